#include "platform/textfile.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <optional>

namespace platform {

namespace {

std::optional<QStringConverter::Encoding> builtinEncoding(const QByteArray& name)
{
    return QStringConverter::encodingForName(name.constData());
}

QString fallbackFor(char32_t character, Unrepresentable fallback)
{
    if (fallback == Unrepresentable::CharacterReference)
        return QStringLiteral("&#x%1;").arg(QString::number(character, 16).toUpper());
    // A script string holds UTF-16 code units, so a character beyond them takes two escapes.
    QString escaped;
    for (QChar unit : QString::fromUcs4(&character, 1))
        escaped += QStringLiteral("\\u%1").arg(QString::number(unit.unicode(), 16).toUpper(), 4,
                                               QLatin1Char('0'));
    return escaped;
}

// True when the text is ASCII and the encoding is Windows-1252, which holds ASCII byte for
// byte: such text needs no converter, which takes many times longer over it than a copy. Most
// of what the program writes is such text.
bool plainAscii(const QString& text, const TextEncoding& encoding)
{
    return !encoding.byteOrderMark &&
           encoding.name.compare("windows-1252", Qt::CaseInsensitive) == 0 && isAscii(text);
}

// A Unicode encoder cannot write half a surrogate pair: it writes U+FFFD or a unit that reads
// back as U+FFFD. The text says so itself.
QString withPairedSurrogates(const QString& text)
{
    QString result = text;
    for (qsizetype i = 0; i < result.size(); ++i) {
        if (result.at(i).isHighSurrogate() && i + 1 < result.size() &&
            result.at(i + 1).isLowSurrogate())
            ++i;
        else if (result.at(i).isSurrogate())
            result[i] = QChar::ReplacementCharacter;
    }
    return result;
}

} // namespace

bool isAscii(QStringView text)
{
    // Without an early exit, so that the compiler can look at many characters at a time.
    char16_t above = 0;
    for (const QChar c : text)
        above |= c.unicode();
    return above < 0x80;
}

bool TextEncoding::isUnicode() const
{
    const auto builtin = builtinEncoding(name);
    return builtin && *builtin != QStringConverter::Latin1 && *builtin != QStringConverter::System;
}

TextEncoding encodingForLabel(QByteArrayView label)
{
    const QByteArray name = label.trimmed().toByteArray().toLower();
    if (name.isEmpty())
        return {};
    // Browsers read these labels as Windows-1252, so the page is written in it.
    static const QByteArray windows1252Labels[] = {
        "windows-1252", "cp1252",   "x-cp1252", "iso-8859-1",    "iso8859-1", "iso_8859-1",
        "iso88591",     "latin1",   "l1",       "cp819",         "ibm819",    "iso-ir-100",
        "csisolatin1",  "us-ascii", "ascii",    "ansi_x3.4-1968"};
    for (const QByteArray& known : windows1252Labels)
        if (name == known)
            return TextEncoding::windows1252();
    // An ASCII page cannot really be UTF-16 encoded; browsers read such a label as UTF-8.
    if (name.startsWith("utf-16") || name.startsWith("utf16") || name == "utf-8" ||
        name == "utf8" || name == "unicode-1-1-utf-8")
        return TextEncoding::utf8();
    if (name.startsWith("utf-32") || name.startsWith("utf32"))
        return {};
    const QStringEncoder encoder(name.constData());
    if (!encoder.isValid())
        return {};
    // Browsers do not read UTF-7 (under any of its names), and its encoder here keeps the
    // last characters of a text back: such a page is written as one without a charset.
    if (QByteArrayView(encoder.name()).compare("UTF-7", Qt::CaseInsensitive) == 0)
        return {};
    return {name, false};
}

TextFileError::TextFileError(Operation operation, const QString& path, const QString& reason)
    : std::runtime_error((path + QStringLiteral(": ") + reason).toStdString()),
      operation(operation), path(path), reason(reason)
{
}

TextFile readTextFile(const QString& path)
{
    using Op = TextFileError::Operation;
    if (QFileInfo(path).isDir())
        throw TextFileError(Op::Read, path, QStringLiteral("it is a folder, not a file"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw TextFileError(Op::Read, path, file.errorString());
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw TextFileError(Op::Read, path, file.errorString());
    return decodeText(data);
}

TextFile decodeText(const QByteArray& data)
{
    TextFile result;
    if (const auto marked = QStringConverter::encodingForData(data)) {
        // The decoder drops the byte order mark; writing puts it back.
        QStringDecoder decoder(*marked);
        result.text = decoder.decode(data);
        result.encoding = {QByteArray(QStringConverter::nameForEncoding(*marked)), true};
        return result;
    }
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    result.text = utf8.decode(data);
    if (!utf8.hasError()) {
        result.encoding = TextEncoding::utf8();
        return result;
    }
    QStringDecoder windows1252("windows-1252", QStringConverter::Flag::Stateless);
    result.text = windows1252.decode(data);
    result.encoding = TextEncoding::windows1252();
    return result;
}

QString representable(const QString& text, const TextEncoding& encoding, Unrepresentable fallback)
{
    if (encoding.isUnicode())
        return withPairedSurrogates(text);
    if (plainAscii(text, encoding))
        return text;
    QStringEncoder encoder(encoding.name.constData(), QStringConverter::Flag::Stateless);
    QStringDecoder decoder(encoding.name.constData(), QStringConverter::Flag::Stateless);
    if (!encoder.isValid() || !decoder.isValid())
        return text;
    const auto roundTrips = [&](QStringView piece) {
        const QByteArray bytes = encoder.encode(piece);
        return QString(decoder.decode(bytes)) == piece;
    };
    if (roundTrips(text))
        return text;

    // Only some characters cannot be held: look at each one, remembering the answers.
    QString result;
    result.reserve(text.size() + 16);
    QHash<char32_t, bool> holds;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length =
            text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()
                ? 2
                : 1;
        const QStringView piece = QStringView(text).mid(i, length);
        const char32_t character =
            length == 2 ? QChar::surrogateToUcs4(piece.at(0), piece.at(1)) : piece.at(0).unicode();
        if (character < 0x80) {
            result += piece;
        } else {
            auto known = holds.constFind(character);
            if (known == holds.constEnd())
                known = holds.insert(character, roundTrips(piece));
            if (*known)
                result += piece;
            else
                result += fallbackFor(character, fallback);
        }
        i += length;
    }
    return result;
}

QByteArray encodeText(const QString& text, const TextEncoding& encoding, Unrepresentable fallback,
                      QString* written)
{
    if (plainAscii(text, encoding)) {
        if (written)
            *written = text;
        return text.toLatin1();
    }
    QStringEncoder encoder(encoding.name.constData());
    const QString representableText = representable(text, encoding, fallback);
    // The mark is written even before an empty text, so that the file is read back in its
    // encoding (the encoder's own option writes none when there is no text).
    QByteArray bytes =
        encoding.byteOrderMark ? encoder.encode(QChar(QChar::ByteOrderMark)) : QByteArray();
    bytes += encoder.encode(representableText);
    if (written)
        *written = representableText;
    return bytes;
}

QString writeTextFile(const QString& path, const QString& text, const TextEncoding& encoding,
                      Unrepresentable fallback)
{
    using Op = TextFileError::Operation;
    if (!QStringEncoder(encoding.name.constData()).isValid())
        throw TextFileError(
            Op::Write, path,
            QStringLiteral("the encoding %1 is not known").arg(QString::fromLatin1(encoding.name)));
    QString written;
    const QByteArray bytes = encodeText(text, encoding, fallback, &written);

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw TextFileError(Op::Write, path, file.errorString());
    if (file.write(bytes) != bytes.size() || !file.commit())
        throw TextFileError(Op::Write, path, file.errorString());
    return written;
}

} // namespace platform
