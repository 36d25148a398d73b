#pragma once

#include <QString>

namespace generator {

// Replaces every occurrence of the token, matched without regard to letter case, in one pass
// from start to end: text put in is not searched again for this token.
void replaceToken(QString& text, QStringView token, const QString& value);

// Appends the text to out with every occurrence of the token replaced, as replaceToken does.
void appendReplacingToken(QString& out, QStringView text, QStringView token, const QString& value);

// How many times replaceToken would replace the token: its occurrences, letter case not
// significant, none overlapping another. An empty token occurs nowhere.
qsizetype countToken(const QString& text, QStringView token);

// The value as it may stand inside a script's string literal, whichever quote the literal
// uses: quotes, backslashes, line breaks and other control characters, angle brackets (so
// that no "</script" or "<!--" can end the script) and every non-ASCII character are written
// as escapes, so the value reads the same whatever charset the page that loads it declares.
QString javaScriptString(const QString& value);

// The value as it may stand inside a string of a style sheet: quotes, backslashes, angle
// brackets, control and non-ASCII characters written as CSS escapes.
QString cssString(const QString& value);

// Replaces the token in the text of a script file with the value escaped for where each
// occurrence stands: inside a <style> element for a style sheet string, anywhere else for a
// script's string literal. (A script file may carry the style a page uses without scripts.)
void replaceScriptToken(QString& text, QStringView token, const QString& value);

} // namespace generator
