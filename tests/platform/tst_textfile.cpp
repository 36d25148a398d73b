// Reading and writing whole text files in their encoding.

#include "apptest.h"
#include "resourcefixture.h"

#include "platform/textfile.h"

#include <QDir>
#include <QTemporaryDir>

using platform::TextEncoding;
using platform::TextFileError;
using platform::Unrepresentable;

class TestTextFile : public QObject {
    Q_OBJECT

private slots:
    void reading_data();
    void reading();
    void readingMissingFile();
    void readingFolder();
    void writing_data();
    void writing();
    void writingKeepsByteOrderMark_data();
    void writingKeepsByteOrderMark();
    void writingUnpairedSurrogates_data();
    void writingUnpairedSurrogates();
    void writingReplacesWholeFile();
    void writingIntoMissingFolder();
    void labels_data();
    void labels();

private:
    QTemporaryDir m_folder;
};

void TestTextFile::reading_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("encoding");
    QTest::addColumn<bool>("byteOrderMark");
    QTest::newRow("empty") << QByteArray() << QString() << QByteArray("UTF-8") << false;
    QTest::newRow("ASCII") << QByteArray("a\r\nb\rc\n") << "a\r\nb\rc\n"
                           << QByteArray("UTF-8") << false;
    QTest::newRow("UTF-8") << QByteArray("caf\xc3\xa9 \xe2\x98\x85") << "caf\u00E9 \u2605"
                           << QByteArray("UTF-8") << false;
    QTest::newRow("UTF-8 with BOM")
        << QByteArray("\xef\xbb\xbf\xc3\xa9") << "\u00E9" << QByteArray("UTF-8") << true;
    QTest::newRow("UTF-16LE with BOM")
        << QByteArray("\xff\xfe\x41\x00\x05\x26", 6) << "A\u2605" << QByteArray("UTF-16LE") << true;
    QTest::newRow("Windows-1252") << QByteArray("caf\xe9 \x80 \x93q\x94")
                                  << "caf\u00E9 \u20AC \u201Cq\u201D" << QByteArray("windows-1252")
                                  << false;
    QTest::newRow("truncated UTF-8 is Windows-1252")
        << QByteArray("ab\xc3") << "ab\u00C3" << QByteArray("windows-1252") << false;
}

void TestTextFile::reading()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QFETCH(QByteArray, encoding);
    QFETCH(bool, byteOrderMark);
    const QString path = m_folder.filePath("read.txt");
    writeBytes(path, bytes);
    const platform::TextFile file = platform::readTextFile(path);
    QCOMPARE(file.text, text);
    QCOMPARE(file.encoding.name, encoding);
    QCOMPARE(file.encoding.byteOrderMark, byteOrderMark);
    // Written back in the encoding it was read in, the file is the same byte for byte.
    platform::writeTextFile(path, file.text, file.encoding);
    QCOMPARE(readBytes(path), bytes);
}

void TestTextFile::readingMissingFile()
{
    const QString path = m_folder.filePath("missing.txt");
    try {
        platform::readTextFile(path);
        QFAIL("no error");
    } catch (const TextFileError& error) {
        QCOMPARE(error.operation, TextFileError::Operation::Read);
        QCOMPARE(error.path, path);
        QVERIFY2(error.reason.contains("No such file"), qPrintable(error.reason));
    }
}

void TestTextFile::readingFolder()
{
    QVERIFY_THROWS_EXCEPTION(TextFileError, platform::readTextFile(m_folder.path()));
}

void TestTextFile::writing_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("fallback");
    QTest::addColumn<QByteArray>("bytes");
    const int reference = int(Unrepresentable::CharacterReference);
    const int script = int(Unrepresentable::JavaScriptEscape);
    QTest::newRow("held") << "caf\u00E9 \u20AC\r\n" << reference << QByteArray("caf\xe9 \x80\r\n");
    QTest::newRow("star as reference") << "a\u2605b" << reference << QByteArray("a&#x2605;b");
    QTest::newRow("beyond 16 bits as reference")
        << "\U0001F600" << reference << QByteArray("&#x1F600;");
    QTest::newRow("star as script escape") << "a\u2605b" << script << QByteArray("a\\u2605b");
    QTest::newRow("beyond 16 bits as script escapes")
        << "\U0001F600" << script << QByteArray("\\uD83D\\uDE00");
    QTest::newRow("Greek") << "\u03B1\u03B2" << reference << QByteArray("&#x3B1;&#x3B2;");
    QString ascii;
    for (char16_t c = 0; c < 0x80; ++c)
        ascii += QChar(c);
    QTest::newRow("every ASCII character") << ascii << reference << ascii.toLatin1();
    const QString plain(5000, QLatin1Char('a'));
    QTest::newRow("long ASCII, then a held character")
        << plain + QChar(0x20AC) << reference << plain.toLatin1() + "\x80";
    QTest::newRow("long ASCII, then one to replace")
        << plain + QChar(0x2605) << script << plain.toLatin1() + "\\u2605";
}

void TestTextFile::writing()
{
    QFETCH(QString, text);
    QFETCH(int, fallback);
    QFETCH(QByteArray, bytes);
    const QString path = m_folder.filePath("written.txt");
    const QString written =
        platform::writeTextFile(path, text, TextEncoding::windows1252(), Unrepresentable(fallback));
    QCOMPARE(readBytes(path), bytes);
    QCOMPARE(written, platform::readTextFile(path).text);
}

void TestTextFile::writingKeepsByteOrderMark_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("encoding");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("UTF-8") << "\u2605" << QByteArray("UTF-8")
                           << QByteArray("\xef\xbb\xbf\xe2\x98\x85");
    QTest::newRow("empty UTF-8") << "" << QByteArray("UTF-8") << QByteArray("\xef\xbb\xbf");
    QTest::newRow("empty UTF-16LE") << "" << QByteArray("UTF-16LE") << QByteArray("\xff\xfe");
    QTest::newRow("UTF-16BE") << "A" << QByteArray("UTF-16BE")
                              << QByteArray("\xfe\xff\x00"
                                            "A",
                                            4);
    QTest::newRow("text starting with U+FEFF") << QStringLiteral("\uFEFFx") << QByteArray("UTF-8")
                                               << QByteArray("\xef\xbb\xbf\xef\xbb\xbfx");
}

void TestTextFile::writingKeepsByteOrderMark()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, encoding);
    QFETCH(QByteArray, bytes);
    const QString path = m_folder.filePath("bom.txt");
    platform::writeTextFile(path, text, {encoding, true});
    QCOMPARE(readBytes(path), bytes);
    // Read back in the same encoding, even when there is no text to tell it by.
    const platform::TextFile read = platform::readTextFile(path);
    QCOMPARE(read.text, text);
    QCOMPARE(read.encoding, (TextEncoding{encoding, true}));
}

void TestTextFile::writingUnpairedSurrogates_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("written");
    QTest::addColumn<bool>("byteOrderMark");
    const QChar high(0xD83D);
    const QChar low(0xDE00);
    QTest::newRow("high alone") << QStringLiteral("a") + high + u'b' << "a\uFFFDb" << false;
    QTest::newRow("low alone, marked") << QStringLiteral("a") + low << "a\uFFFD" << true;
    QTest::newRow("high at the end")
        << QStringLiteral("\U0001F600") + high << "\U0001F600\uFFFD" << false;
    QTest::newRow("reversed pair") << QString(low) + high << "\uFFFD\uFFFD" << false;
}

void TestTextFile::writingUnpairedSurrogates()
{
    QFETCH(QString, text);
    QFETCH(QString, written);
    QFETCH(bool, byteOrderMark);
    // Half a pair cannot be written in any Unicode encoding; the text reported as written is
    // the one the file holds.
    for (const QByteArray& encoding : {QByteArray("UTF-8"), QByteArray("UTF-16LE")}) {
        if (encoding != "UTF-8" && !byteOrderMark)
            continue;
        const QString path = m_folder.filePath("surrogates.txt");
        QCOMPARE(platform::writeTextFile(path, text, {encoding, byteOrderMark}), written);
        QCOMPARE(platform::readTextFile(path).text, written);
    }
}

void TestTextFile::writingReplacesWholeFile()
{
    const QString path = m_folder.filePath("long.txt");
    writeBytes(path, QByteArray(1000, 'x'));
    platform::writeTextFile(path, "short", TextEncoding::windows1252());
    QCOMPARE(readBytes(path), QByteArray("short"));
}

void TestTextFile::writingIntoMissingFolder()
{
    const QString path = m_folder.filePath("no/such/folder/file.txt");
    try {
        platform::writeTextFile(path, "x", TextEncoding::windows1252());
        QFAIL("no error");
    } catch (const TextFileError& error) {
        QCOMPARE(error.operation, TextFileError::Operation::Write);
        QCOMPARE(error.path, path);
        QVERIFY(!error.reason.isEmpty());
    }
    QVERIFY(!QFileInfo::exists(path));
}

void TestTextFile::labels_data()
{
    QTest::addColumn<QByteArray>("label");
    QTest::addColumn<QByteArray>("name");
    QTest::newRow("utf-8") << QByteArray("utf-8") << QByteArray("UTF-8");
    QTest::newRow("UTF8 spaced") << QByteArray(" UTF8 ") << QByteArray("UTF-8");
    QTest::newRow("utf-16 means UTF-8") << QByteArray("utf-16") << QByteArray("UTF-8");
    QTest::newRow("iso-8859-1 means Windows-1252")
        << QByteArray("ISO-8859-1") << QByteArray("windows-1252");
    QTest::newRow("us-ascii means Windows-1252")
        << QByteArray("us-ascii") << QByteArray("windows-1252");
    QTest::newRow("windows-1252") << QByteArray("Windows-1252") << QByteArray("windows-1252");
    QTest::newRow("shift_jis") << QByteArray("Shift_JIS") << QByteArray("shift_jis");
    QTest::newRow("unknown") << QByteArray("no-such-charset") << QByteArray();
    QTest::newRow("utf-7 is not read by browsers") << QByteArray("utf-7") << QByteArray();
    QTest::newRow("utf7") << QByteArray("UTF7") << QByteArray();
    QTest::newRow("another name of UTF-7") << QByteArray("unicode-1-1-utf-7") << QByteArray();
    QTest::newRow("empty") << QByteArray() << QByteArray();
}

void TestTextFile::labels()
{
    QFETCH(QByteArray, label);
    QFETCH(QByteArray, name);
    QCOMPARE(platform::encodingForLabel(label).name, name);
}

TANDEO_TEST_MAIN(TestTextFile)
#include "tst_textfile.moc"
