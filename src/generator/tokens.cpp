#include "generator/tokens.h"

#include <QList>
#include <QStringMatcher>

namespace generator {

namespace {

// Calls found(position) for each place the token occurs, letter case not significant, in order;
// after a match the search goes on at its end, or at the next character when overlapping.
// Returns false, having found nothing, for a token it does not take.
//
// Every token of the program starts with a bracket, which has no other letter case: the scan
// jumps from one such bracket to the next, a fast search for one character, and compares only
// there. Qt's case-insensitive search looks at every character of the text instead.
template <class Found>
bool findBracketToken(QStringView text, QStringView token, bool overlapping, Found found)
{
    if (token.isEmpty())
        return false;
    const QChar first = token.front();
    if (first.unicode() >= 0x80 || first.isLetterOrNumber() || first.isSpace())
        return false;
    const qsizetype last = text.size() - token.size();
    for (qsizetype at = text.indexOf(first); at >= 0 && at <= last;) {
        if (text.mid(at, token.size()).compare(token, Qt::CaseInsensitive) == 0) {
            found(at);
            at = text.indexOf(first, at + (overlapping ? 1 : token.size()));
        } else {
            at = text.indexOf(first, at + 1);
        }
    }
    return true;
}

} // namespace

void appendReplacingToken(QString& out, QStringView text, QStringView token, const QString& value)
{
    qsizetype from = 0;
    const auto replaceAt = [&](qsizetype at) {
        out.append(text.sliced(from, at - from)).append(value);
        from = at + token.size();
    };
    if (findBracketToken(text, token, false, replaceAt)) {
        out.append(text.sliced(from));
        return;
    }
    QString replaced = text.toString();
    replaced.replace(token.toString(), value, Qt::CaseInsensitive);
    out.append(replaced);
}

void replaceToken(QString& text, QStringView token, const QString& value)
{
    QList<qsizetype> positions;
    if (!findBracketToken(text, token, false, [&](qsizetype at) { positions.append(at); })) {
        text.replace(token.toString(), value, Qt::CaseInsensitive);
        return;
    }
    if (positions.isEmpty())
        return;
    // The new text is built once, at its final size.
    QString replaced;
    replaced.reserve(text.size() + positions.size() * (value.size() - token.size()));
    qsizetype from = 0;
    for (const qsizetype at : positions) {
        replaced.append(QStringView(text).sliced(from, at - from)).append(value);
        from = at + token.size();
    }
    replaced.append(QStringView(text).sliced(from));
    text = std::move(replaced);
}

qsizetype countToken(const QString& text, QStringView token)
{
    // Occurrences that do not overlap, as replaceToken finds them ("aa" occurs twice in "aaaa",
    // not three times).
    if (token.isEmpty())
        return 0;
    qsizetype count = 0;
    if (findBracketToken(text, token, false, [&](qsizetype) { ++count; }))
        return count;
    const QStringMatcher matcher(token, Qt::CaseInsensitive);
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
