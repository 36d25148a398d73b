#include "generator/insertion.h"

#include "generator/htmlpage.h"
#include "generator/tokens.h"
#include "platform/desktop.h"
#include "platform/textfile.h"

#include <QDir>
#include <QUrl>

#include <algorithm>

namespace generator {

namespace {

#ifdef Q_OS_WIN
const QString kLineEnd = QStringLiteral("\r\n");
#else
const QString kLineEnd = QStringLiteral("\n");
#endif

const QString kNoHead = QStringLiteral(
    "The </head> tag wasn't found. Please paste in the tandeo.js code manually. See the "
    "instructions for more details.");

QString withPlatformLineEnds(QString text)
{
    text.replace(QLatin1StringView("\r\n"), QLatin1StringView("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (kLineEnd != QLatin1StringView("\n"))
        text.replace(QLatin1StringView("\n"), kLineEnd);
    return text;
}

QString countMessage(qsizetype tokens)
{
    if (tokens == 0)
        return QStringLiteral("There were no [fname] tokens to replace.");
    if (tokens == 1)
        return QStringLiteral("One [fname] token was replaced.");
    return QStringLiteral("%1 [fname] tokens were replaced.").arg(tokens);
}

} // namespace

ScriptInsertion insertScript(const QString& page, const QString& script)
{
    ScriptInsertion result;
    result.tokens = countToken(page, u"[fname]");
    const qsizetype head = page.indexOf(QLatin1StringView("</head>"), 0, Qt::CaseInsensitive);
    result.headFound = head >= 0;
    if (!result.headFound) {
        result.page = page;
        replaceToken(result.page, u"[fname]", kNameMarkup);
        return result;
    }
    // The page's own "</head>" stays as it was spelled; the script goes before it. Every
    // "[fname]", the script's own included, is replaced. The script is set off by line breaks,
    // which no token holds, so the three parts are replaced each on its own, into the new page
    // as it is built: a large page is copied once, not once for each step.
    const QString inserted = kLineEnd + withPlatformLineEnds(script) + kLineEnd;
    const QString markup = kNameMarkup.toString();
    const QStringView text(page);
    result.page.reserve(page.size() + inserted.size() +
                        result.tokens * (markup.size() - qsizetype(sizeof "[fname]" - 1)));
    appendReplacingToken(result.page, text.first(head), u"[fname]", markup);
    appendReplacingToken(result.page, inserted, u"[fname]", markup);
    appendReplacingToken(result.page, text.sliced(head), u"[fname]", markup);
    return result;
}

void insertCode(const QString& outputFolder, platform::Desktop& desktop)
{
    platform::FileDialogRequest request;
    request.filters = {{QStringLiteral("Text Files"),
                        {QStringLiteral(".htm"), QStringLiteral(".html"), QStringLiteral(".php")}}};
    const QString pagePath = desktop.openFile(request);
    if (pagePath.isEmpty() || outputFolder.isEmpty())
        return;

    QString script;
    platform::TextFile page;
    try {
        script =
            platform::readTextFile(QDir(outputFolder).filePath(QStringLiteral("tandeo.js"))).text;
    } catch (const platform::TextFileError& error) {
        desktop.showMessage(failureMessage(error) +
                                QStringLiteral(" Generate the code again, then insert it."),
                            platform::Icon::Caution);
        return;
    }
    try {
        page = platform::readTextFile(pagePath);
    } catch (const platform::TextFileError& error) {
        desktop.showMessage(failureMessage(error) + QStringLiteral(" The page was not changed."),
                            platform::Icon::Caution);
        return;
    }

    const ScriptInsertion insertion = insertScript(page.text, script);
    if (!insertion.headFound)
        desktop.showMessage(kNoHead);

    // A page of plain ASCII says nothing by its bytes: it is written in the charset its head
    // declares, else in Windows-1252. Any other page stays in the encoding it was read in.
    platform::TextEncoding encoding = page.encoding;
    if (!encoding.byteOrderMark && platform::isAscii(page.text)) {
        encoding = declaredEncoding(page.text);
        if (encoding.name.isEmpty())
            encoding = platform::TextEncoding::windows1252();
    }
    try {
        platform::writeTextFile(pagePath, insertion.page, encoding);
    } catch (const platform::TextFileError& error) {
        desktop.showMessage(failureMessage(error) + QStringLiteral(" The page was not changed."),
                            platform::Icon::Caution);
        return;
    }
    desktop.showMessage(countMessage(insertion.tokens));
}

QString previewUrl(const QString& outputFolder)
{
    if (outputFolder.isEmpty())
        return QString();
    // A local file address; spaces stay readable, characters that would end the path are
    // percent-encoded.
    return QUrl::fromLocalFile(QDir(outputFolder).absoluteFilePath(QStringLiteral("index.html")))
        .toString();
}

} // namespace generator
