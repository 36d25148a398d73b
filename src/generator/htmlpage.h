#pragma once

#include "platform/textfile.h"

#include <QString>

namespace generator {

// The charset a page's head declares (<meta charset> or the http-equiv Content-Type), as a
// browser reads it; an empty name when it declares none that a converter knows.
platform::TextEncoding declaredEncoding(const QString& page);

// The words of a failed read or write, naming the file and the reason.
QString failureMessage(const platform::TextFileError& error);

} // namespace generator
