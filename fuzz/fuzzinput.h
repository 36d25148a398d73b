// Helpers shared by the fuzz targets.
#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace fuzzing {

inline QByteArray bytes(const uint8_t* data, size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

// The input as count texts: the parts between NUL bytes, each read as UTF-8. Missing parts are
// empty; a NUL beyond the last part belongs to it.
inline QStringList texts(const uint8_t* data, size_t size, int count)
{
    const QByteArray input = bytes(data, size);
    QStringList parts;
    qsizetype start = 0;
    for (int n = 0; n < count; ++n) {
        if (start > input.size()) {
            parts << QString();
            continue;
        }
        const qsizetype end = n + 1 == count ? -1 : input.indexOf('\0', start);
        const qsizetype stop = end < 0 ? input.size() : end;
        parts << QString::fromUtf8(input.mid(start, stop - start));
        start = stop + 1;
    }
    return parts;
}

// Every occurrence of token (non-empty) replaced by value, matched without regard to letter
// case, scanning once from the start; the plainest way to do it, to check the real one by.
inline QString referenceReplace(const QString& text, const QString& token, const QString& value,
                                qsizetype* count = nullptr)
{
    QString result;
    qsizetype found = 0;
    for (qsizetype i = 0; i < text.size();) {
        if (i + token.size() <= text.size() &&
            QStringView(text).mid(i, token.size()).compare(token, Qt::CaseInsensitive) == 0) {
            result += value;
            i += token.size();
            ++found;
        } else {
            result += text.at(i);
            ++i;
        }
    }
    if (count)
        *count = found;
    return result;
}

// Stops the run with the input that broke the rule.
[[noreturn]] inline void fail(const char* what)
{
    fprintf(stderr, "broken: %s\n", what);
    __builtin_trap();
}

inline void check(bool holds, const char* what)
{
    if (!holds)
        fail(what);
}

} // namespace fuzzing
