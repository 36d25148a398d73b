#pragma once

#include <QByteArray>
#include <QString>

#include <stdexcept>

namespace platform {

// A text encoding by the name Qt's converters know ("windows-1252", "UTF-8", "Shift_JIS"...),
// and whether the file starts with a byte order mark.
struct TextEncoding {
    QByteArray name;
    bool byteOrderMark = false;

    static TextEncoding windows1252() { return {QByteArrayLiteral("windows-1252"), false}; }
    static TextEncoding utf8() { return {QByteArrayLiteral("UTF-8"), false}; }

    // True for UTF-8, UTF-16 and UTF-32, which hold every character.
    bool isUnicode() const;
    friend bool operator==(const TextEncoding&, const TextEncoding&) = default;
};

// True when every character of the text is ASCII.
bool isAscii(QStringView text);

// The encoding an HTML page's <meta charset> or http-equiv Content-Type names, as a browser
// reads it (ISO-8859-1 and US-ASCII are read as Windows-1252, a UTF-16 label as UTF-8).
// An empty name for a label that no converter knows.
TextEncoding encodingForLabel(QByteArrayView label);

// What a character that the encoding cannot hold becomes.
enum class Unrepresentable {
    CharacterReference, // &#x2605; for HTML, PHP and text files
    JavaScriptEscape,   // \u2605 for script files
};

// A file that could not be read or written; reason is the system's explanation.
class TextFileError : public std::runtime_error {
public:
    enum class Operation { Read, Write };
    TextFileError(Operation operation, const QString& path, const QString& reason);

    Operation operation;
    QString path;
    QString reason;
};

struct TextFile {
    QString text;
    TextEncoding encoding;
};

// Reads a whole file as text: by its byte order mark, else as UTF-8 when it is valid UTF-8,
// else as Windows-1252. Line endings stay as they are. Throws TextFileError.
TextFile readTextFile(const QString& path);
// The same reading rules on bytes already in memory.
TextFile decodeText(const QByteArray& data);

// The text with every character the encoding cannot hold replaced as the fallback says (half
// a surrogate pair, which no encoding holds, becomes U+FFFD in UTF-8, -16 and -32): the text
// exactly as it will stand in the file.
QString representable(const QString& text, const TextEncoding& encoding,
                      Unrepresentable fallback = Unrepresentable::CharacterReference);

// The bytes writeTextFile puts in a file for the text; the encoding must be one a converter
// knows. written, when given, receives the text as it stands in those bytes.
QByteArray encodeText(const QString& text, const TextEncoding& encoding,
                      Unrepresentable fallback = Unrepresentable::CharacterReference,
                      QString* written = nullptr);

// Writes the text whole (or leaves the file as it was) in the encoding, with characters it
// cannot hold replaced as the fallback says, and returns the text as it now stands in the file.
// Throws TextFileError.
QString writeTextFile(const QString& path, const QString& text, const TextEncoding& encoding,
                      Unrepresentable fallback = Unrepresentable::CharacterReference);

} // namespace platform
