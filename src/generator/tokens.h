#pragma once

#include <QString>

namespace generator {

// Replaces every occurrence of the token, matched without regard to letter case, in one pass
// from start to end: text put in is not searched again for this token.
void replaceToken(QString& text, QStringView token, const QString& value);

// How many times replaceToken would replace the token: its occurrences, letter case not
// significant, none overlapping another. An empty token occurs nowhere.
qsizetype countToken(const QString& text, QStringView token);

// The value as it may stand inside a script's string literal, whichever quote the literal
// uses: quotes, backslashes, line breaks and other control characters, angle brackets (so
// that no "</script" or "<!--" can end the script) and every non-ASCII character are written
// as escapes, so the value reads the same whatever charset the page that loads it declares.
QString javaScriptString(const QString& value);

} // namespace generator
