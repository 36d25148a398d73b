#include "generator/tokens.h"

#include <QList>

namespace generator {

void replaceToken(QString& text, QStringView token, const QString& value)
{
    text.replace(token.toString(), value, Qt::CaseInsensitive);
}

qsizetype countToken(const QString& text, QStringView token)
{
    return text.count(token, Qt::CaseInsensitive);
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

QString cssString(const QString& value)
{
    QString escaped;
    escaped.reserve(value.size());
    for (const uint c : value.toUcs4()) {
        const bool plain = c >= 0x20 && c < 0x7F && c != u'"' && c != u'\'' && c != u'\\'
                        && c != u'<' && c != u'>';
        if (plain)
            escaped += QChar(char16_t(c));
        else // the space ends the escape and is not part of the text
            escaped += QLatin1Char('\\') + QString::number(uint(c), 16).toUpper()
                     + QLatin1Char(' ');
    }
    return escaped;
}

void replaceScriptToken(QString& text, QStringView token, const QString& value)
{
    const QString inScript = javaScriptString(value);
    const QString inStyle = cssString(value);
    QString result;
    result.reserve(text.size());
    qsizetype done = 0;
    qsizetype styleOpen = -1; // where the <style> element around the current place began
    qsizetype scanned = 0;    // how far the element tags have been followed
    for (qsizetype at = text.indexOf(token, 0, Qt::CaseInsensitive); at >= 0;
         at = text.indexOf(token, at + token.size(), Qt::CaseInsensitive)) {
        // Follow the <style> and </style> tags between the last occurrence and this one.
        while (true) {
            const qsizetype tag = styleOpen < 0
                ? text.indexOf(QLatin1StringView("<style"), scanned, Qt::CaseInsensitive)
                : text.indexOf(QLatin1StringView("</style"), scanned, Qt::CaseInsensitive);
            if (tag < 0 || tag >= at) {
                scanned = at;
                break;
            }
            styleOpen = styleOpen < 0 ? tag : -1;
            scanned = tag + 1;
        }
        result += QStringView(text).mid(done, at - done);
        result += styleOpen >= 0 ? inStyle : inScript;
        done = at + token.size();
    }
    if (done == 0)
        return;
    result += QStringView(text).mid(done);
    text = result;
}

} // namespace generator
