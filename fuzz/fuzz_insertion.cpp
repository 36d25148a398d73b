// Insert Code's page rewrite on arbitrary pages and scripts. The input is a page and the script,
// separated by a NUL byte. The script goes in before the first "</head>" whatever its case, every
// "[fname]" becomes the name markup, the count is that of the page as it was, and the rest of
// the page is kept character for character; the page is then written in an encoding that holds
// it and reads back as written.

#include "fuzzinput.h"
#include "generator/htmlpage.h"
#include "generator/insertion.h"
#include "platform/textfile.h"

#include <QStringDecoder>

using fuzzing::check;
using fuzzing::referenceReplace;

namespace {

const QString kToken = QStringLiteral("[fname]");

QString withUnixLineEnds(QString text)
{
    text.replace(QLatin1StringView("\r\n"), QLatin1StringView("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

qsizetype referenceFind(const QString& text, const QString& what)
{
    for (qsizetype i = 0; i + what.size() <= text.size(); ++i)
        if (QStringView(text).mid(i, what.size()).compare(what, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QStringList parts = fuzzing::texts(data, size, 2);
    const QString& page = parts[0];
    const QString& script = parts[1];
    const QString markup = generator::kNameMarkup;

    const generator::ScriptInsertion insertion = generator::insertScript(page, script);

    qsizetype tokens = 0;
    referenceReplace(page, kToken, markup, &tokens);
    check(insertion.tokens == tokens, "the count is that of the page as read");

    const qsizetype head = referenceFind(page, QStringLiteral("</head>"));
    check(insertion.headFound == (head >= 0), "the head is found when the page has one");
    QString expected;
    if (head < 0) {
        expected = referenceReplace(page, kToken, markup);
    } else {
        expected = referenceReplace(page.left(head), kToken, markup) + QLatin1Char('\n') +
                   referenceReplace(withUnixLineEnds(script), kToken, markup) + QLatin1Char('\n') +
                   referenceReplace(page.mid(head), kToken, markup);
    }
    check(insertion.page == expected, "only the script and the tokens change the page");

    // A page declares its charset in its head; whatever it names, the page written in it reads
    // back as the text that was written.
    const platform::TextEncoding declared = generator::declaredEncoding(insertion.page);
    if (!declared.name.isEmpty()) {
        QString written;
        const QByteArray bytes = platform::encodeText(
            insertion.page, declared, platform::Unrepresentable::CharacterReference, &written);
        // Some decoders (ISCII's) hold back the last character until more bytes come: a space
        // after the page lets it out.
        QStringDecoder decoder(declared.name.constData(), QStringConverter::Flag::Stateless);
        check(decoder.isValid(), "a declared charset can be read");
        const QString read = decoder.decode(bytes + ' ');
        check(read.startsWith(written) && read.size() - written.size() <= 1,
              "the page reads back as written");
    }
    return 0;
}
