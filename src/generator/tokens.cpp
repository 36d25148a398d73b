#include "generator/tokens.h"

#include <QStringMatcher>

namespace generator {

void replaceToken(QString& text, QStringView token, const QString& value)
{
    text.replace(token.toString(), value, Qt::CaseInsensitive);
}

qsizetype countToken(const QString& text, QStringView token)
{
    // Occurrences that do not overlap, as replaceToken finds them ("aa" occurs twice in "aaaa",
    // not three times).
    if (token.isEmpty())
        return 0;
    const QStringMatcher matcher(token, Qt::CaseInsensitive);
    qsizetype count = 0;
    for (qsizetype at = matcher.indexIn(text); at >= 0;
         at = matcher.indexIn(text, at + token.size()))
        ++count;
    return count;
}

QString javaScriptString(const QString& value)
{
    QString escaped;
    escaped.reserve(value.size());
    for (const QChar c : value) {
        switch (c.unicode()) {
        case '\\':
            escaped += QLatin1StringView("\\\\");
            break;
        case '"':
            escaped += QLatin1StringView("\\\"");
            break;
        case '\'':
            escaped += QLatin1StringView("\\'");
            break;
        case '\n':
            escaped += QLatin1StringView("\\n");
            break;
        case '\r':
            escaped += QLatin1StringView("\\r");
            break;
        case '\t':
            escaped += QLatin1StringView("\\t");
            break;
        default:
            // Each UTF-16 unit on its own, so a character beyond them becomes its surrogate pair.
            if (c.unicode() < 0x20 || c.unicode() >= 0x7F || c == u'<' || c == u'>')
                escaped +=
                    QLatin1StringView("\\u") +
                    QString::number(c.unicode(), 16).toUpper().rightJustified(4, QLatin1Char('0'));
            else
                escaped += c;
        }
    }
    return escaped;
}

} // namespace generator
