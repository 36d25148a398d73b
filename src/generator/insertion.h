#pragma once

#include <QString>

namespace platform {
class Desktop;
}

namespace generator {

// The markup that writes the subscriber's name where a page holds "[fname]".
inline constexpr QLatin1StringView kNameMarkup{"<script>document.write(fname);</script>"};

// A page with the personalisation script put before its first "</head>" and every "[fname]"
// replaced by kNameMarkup.
struct ScriptInsertion {
    QString page;
    qsizetype tokens = 0;   // "[fname]" tokens in the page as it was
    bool headFound = false; // false: nothing was inserted
};
ScriptInsertion insertScript(const QString& page, const QString& script);

// "Insert Code...": asks for one of the user's pages, puts the output folder's "tandeo.js"
// into it and reports, all through the desktop. The page keeps the encoding it was read in and
// is written whole or not at all. Nothing happens after the dialog when there is no output
// folder.
void insertCode(const QString& outputFolder, platform::Desktop& desktop);

// The address that shows the output folder's "index.html" in the browser; empty for no folder.
QString previewUrl(const QString& outputFolder);

} // namespace generator
