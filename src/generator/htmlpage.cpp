#include "generator/htmlpage.h"

#include <QRegularExpression>

namespace generator {

platform::TextEncoding declaredEncoding(const QString& page)
{
    // Only the head declares; a charset mentioned in the body's text does not count.
    const qsizetype headEnd = page.indexOf(QLatin1StringView("</head"), 0, Qt::CaseInsensitive);
    const QStringView head = headEnd < 0 ? QStringView(page) : QStringView(page).left(headEnd);
    static const QRegularExpression meta(
        QStringLiteral(R"(<meta\s[^>]*?charset\s*=\s*["']?\s*([A-Za-z0-9._:\-]+))"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = meta.match(head);
    if (!match.hasMatch())
        return {};
    return platform::encodingForLabel(match.captured(1).toLatin1());
}

QString failureMessage(const platform::TextFileError& error)
{
    const QString what = error.operation == platform::TextFileError::Operation::Read
                             ? QStringLiteral("The file \"%1\" could not be read: %2.")
                             : QStringLiteral("The file \"%1\" could not be written: %2.");
    return what.arg(error.path, error.reason);
}

} // namespace generator
