// The text decoder and encoder on arbitrary bytes. Decoding never fails; bytes that are valid
// UTF-8 are read as UTF-8; text written in an encoding reads back as the text that was written.

#include "fuzzinput.h"
#include "platform/textfile.h"

#include <QStringDecoder>

using fuzzing::check;
using platform::TextEncoding;
using platform::Unrepresentable;

namespace {

// Strict UTF-8: shortest forms only, no surrogates, nothing beyond U+10FFFF.
bool validUtf8(const QByteArray& bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const unsigned char c = p[i];
        int length = 0;
        char32_t code = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
            code = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            code = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            code = c & 0x07;
        } else {
            return false;
        }
        if (i + length > n)
            return false;
        for (int k = 1; k < length; ++k) {
            if ((p[i + k] & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (p[i + k] & 0x3F);
        }
        const char32_t smallest = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
        if (code < smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}

bool startsWithByteOrderMark(const QByteArray& bytes)
{
    return bytes.startsWith("\xEF\xBB\xBF") || bytes.startsWith("\xFE\xFF") ||
           bytes.startsWith("\xFF\xFE") || bytes.startsWith(QByteArray("\0\0\xFE\xFF", 4));
}

void checkRoundTrip(const QString& text, const TextEncoding& encoding, Unrepresentable fallback)
{
    QString written;
    const QByteArray bytes = platform::encodeText(text, encoding, fallback, &written);
    // A text of its own may start with U+FEFF; only the mark written for it is dropped.
    QStringDecoder decoder(encoding.name.constData(),
                           encoding.byteOrderMark ? QStringConverter::Flag::Stateless
                                                  : QStringConverter::Flag::Stateless |
                                                        QStringConverter::Flag::ConvertInitialBom);
    check(QString(decoder.decode(bytes)) == written, "encoded text decodes as written");
    if (written == text)
        check(platform::representable(text, encoding, fallback) == text,
              "representable text stays as it is");

    // Read back by the reading rules, without knowing the encoding.
    const platform::TextFile read = platform::decodeText(bytes);
    // (UTF-16LE's mark followed by U+0000 is UTF-32LE's mark: such a text cannot be told apart.)
    const bool utf32Lookalike =
        encoding.name == "UTF-16LE" && written.startsWith(QChar(QChar::Null));
    if (encoding.byteOrderMark && !utf32Lookalike) {
        check(read.text == written && read.encoding == encoding,
              "a byte order mark brings back the text and the encoding");
    } else if (encoding == TextEncoding::utf8() && !written.startsWith(QChar(0xFEFF))) {
        check(read.text == written, "UTF-8 text reads back as written");
    } else if (encoding == TextEncoding::windows1252() && !validUtf8(bytes) &&
               !startsWithByteOrderMark(bytes)) {
        check(read.text == written && read.encoding == encoding,
              "Windows-1252 text reads back as written");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = fuzzing::bytes(data, size);
    const platform::TextFile read = platform::decodeText(bytes);

    if (validUtf8(bytes)) {
        const bool marked = bytes.startsWith("\xEF\xBB\xBF");
        check(read.encoding == TextEncoding{QByteArrayLiteral("UTF-8"), marked},
              "valid UTF-8 is read as UTF-8");
        // Every character after the mark, a second U+FEFF included.
        QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
        check(read.text == QString(utf8.decode(marked ? bytes.mid(3) : bytes)),
              "valid UTF-8 is read character for character");
    } else if (!startsWithByteOrderMark(bytes)) {
        check(read.encoding == TextEncoding::windows1252(), "other bytes are Windows-1252");
        check(read.text.size() == bytes.size(), "Windows-1252 gives one character per byte");
    }

    // The texts to write: the one read, and the bytes taken as UTF-16 code units, which reach
    // every code unit, unpaired surrogates included.
    const QString units = QString(reinterpret_cast<const QChar*>(bytes.constData()), size / 2);
    for (const QString& text : {read.text, units}) {
        for (const Unrepresentable fallback :
             {Unrepresentable::CharacterReference, Unrepresentable::JavaScriptEscape}) {
            checkRoundTrip(text, TextEncoding::windows1252(), fallback);
            checkRoundTrip(text, TextEncoding::utf8(), fallback);
            checkRoundTrip(text, {QByteArrayLiteral("UTF-8"), true}, fallback);
            checkRoundTrip(text, {QByteArrayLiteral("UTF-16LE"), true}, fallback);
        }
    }
    return 0;
}
