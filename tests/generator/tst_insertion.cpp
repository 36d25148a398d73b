// "Insert Code...": the script put into the user's page, the name tokens replaced, the page
// kept in its encoding; and the preview address.

#include "apptest.h"
#include "resourcefixture.h"
#include "scripteddesktop.h"

#include "generator/insertion.h"

#include <QDir>
#include <QTemporaryDir>

namespace {

const QString kNoHead = QStringLiteral(
    "The </head> tag wasn't found. Please paste in the tandeo.js code manually. See the "
    "instructions for more details.");
const QByteArray kScript = "<script>\r\nvar fname = \"Friend\";\r\n</script>";
const QByteArray kScriptInserted = "\n<script>\nvar fname = \"Friend\";\n</script>\n";
const QByteArray kName = "<script>document.write(fname);</script>";

} // namespace

class TestInsertion : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void insertScript_data();
    void insertScript();
    void insertCode_data();
    void insertCode();
    void utf8PageKeptByteForByte();
    void windows1252PageStaysWindows1252();
    void utf7LabelIgnored();
    void cancelledDialog();
    void noOutputFolder();
    void missingScript();
    void unreadablePage();
    void previewUrl();

private:
    std::unique_ptr<QTemporaryDir> m_root;
    std::unique_ptr<ScriptedDesktop> m_desktop;
    QString m_out;
    QString m_page;
};

void TestInsertion::init()
{
    m_root = std::make_unique<QTemporaryDir>();
    m_desktop = std::make_unique<ScriptedDesktop>();
    m_out = m_root->filePath("out");
    QDir().mkpath(m_out);
    writeBytes(m_out + "/tandeo.js", kScript);
    m_page = m_root->filePath("my page.html");
}

void TestInsertion::cleanup()
{
    QVERIFY(m_desktop->allAnswersUsed());
    m_desktop.reset();
    m_root.reset();
}

void TestInsertion::insertScript_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("result");
    QTest::addColumn<int>("tokens");
    QTest::addColumn<bool>("headFound");
    const QString s = QString::fromLatin1(kScriptInserted);
    const QString n = QString::fromLatin1(kName);
    QTest::newRow("empty page") << ""
                                << "" << 0 << false;
    QTest::newRow("head, no token") << "<head></head>"
                                    << "<head>" + s + "</head>" << 0 << true;
    QTest::newRow("capital head tag") << "<HEAD></HEAD>x"
                                      << "<HEAD>" + s + "</HEAD>x" << 0 << true;
    QTest::newRow("two head tags: the first only")
        << "</head>[fname]</head>" << s + "</head>" + n + "</head>" << 1 << true;
    QTest::newRow("three tokens, capitals") << "<p>[fname] [FNAME] [Fname]</p>"
                                            << "<p>" + n + " " + n + " " + n + "</p>" << 3 << false;
}

void TestInsertion::insertScript()
{
    QFETCH(QString, page);
    QFETCH(QString, result);
    QFETCH(int, tokens);
    QFETCH(bool, headFound);
    const generator::ScriptInsertion insertion =
        generator::insertScript(page, QString::fromLatin1(kScript));
    QCOMPARE(insertion.page, result);
    QCOMPARE(insertion.tokens, tokens);
    QCOMPARE(insertion.headFound, headFound);
}

void TestInsertion::insertCode_data()
{
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<QByteArray>("result");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("no tokens") << QByteArray("<html><head></head></html>")
                               << "<html><head>" + kScriptInserted + "</head></html>"
                               << QStringList{"There were no [fname] tokens to replace."};
    QTest::newRow("one token") << QByteArray("<head></head>Hi [FNAME]!")
                               << "<head>" + kScriptInserted + "</head>Hi " + kName + "!"
                               << QStringList{"One [fname] token was replaced."};
    QTest::newRow("three tokens") << QByteArray("<head></head>[fname][fname][fname]")
                                  << "<head>" + kScriptInserted + "</head>" + kName + kName + kName
                                  << QStringList{"3 [fname] tokens were replaced."};
    QTest::newRow("no head, no token: two messages")
        << QByteArray("<p>plain</p>") << QByteArray("<p>plain</p>")
        << QStringList{kNoHead, "There were no [fname] tokens to replace."};
    QTest::newRow("no head, a token") << QByteArray("[fname]") << kName
                                      << QStringList{kNoHead, "One [fname] token was replaced."};
}

void TestInsertion::insertCode()
{
    QFETCH(QByteArray, page);
    QFETCH(QByteArray, result);
    QFETCH(QStringList, messages);
    writeBytes(m_page, page);
    m_desktop->answerOpenFile(m_page);
    generator::insertCode(m_out, *m_desktop);
    QCOMPARE(readBytes(m_page), result);
    QCOMPARE(m_desktop->messages(), messages);
    const platform::FileDialogRequest request = m_desktop->shown.constFirst().request;
    QCOMPARE(request.filters.size(), 1);
    QCOMPARE(request.filters.constFirst().name, QStringLiteral("Text Files"));
    QCOMPARE(request.filters.constFirst().extensions, (QStringList{".htm", ".html", ".php"}));
}

void TestInsertion::utf8PageKeptByteForByte()
{
    const QByteArray before =
        "<html><head><title>\xd0\x9f\xd1\x80\xd0\xb8\xd0\xb2\xd0\xb5\xd1\x82</title>";
    const QByteArray after =
        "</head>\r\n<body>\xe6\x97\xa5\xe6\x9c\xac [fname] \xe2\x98\x85</body></html>\r\n";
    writeBytes(m_page, before + after);
    m_desktop->answerOpenFile(m_page);
    generator::insertCode(m_out, *m_desktop);
    QByteArray expectedAfter = after;
    expectedAfter.replace("[fname]", kName);
    QCOMPARE(readBytes(m_page), before + kScriptInserted + expectedAfter);
    QCOMPARE(m_desktop->messages(), QStringList{"One [fname] token was replaced."});
}

void TestInsertion::windows1252PageStaysWindows1252()
{
    writeBytes(m_page, "<head></head>Caf\xe9 [fname]");
    m_desktop->answerOpenFile(m_page);
    generator::insertCode(m_out, *m_desktop);
    QCOMPARE(readBytes(m_page), "<head>" + kScriptInserted + "</head>Caf\xe9 " + kName);
}

void TestInsertion::utf7LabelIgnored()
{
    // Browsers do not read UTF-7, and writing in it would turn the page's "+" into "+-" (and can
    // lose its last characters): the page is written as one that declares nothing.
    const QByteArray head = "<head><meta charset=\"utf-7\">";
    writeBytes(m_page, head + "</head>[fname]+!");
    m_desktop->answerOpenFile(m_page);
    generator::insertCode(m_out, *m_desktop);
    QCOMPARE(readBytes(m_page), head + kScriptInserted + "</head>" + kName + "+!");
}

void TestInsertion::cancelledDialog()
{
    writeBytes(m_page, "<head></head>");
    m_desktop->answerOpenFile(QString());
    generator::insertCode(m_out, *m_desktop);
    QCOMPARE(readBytes(m_page), QByteArray("<head></head>"));
    QCOMPARE(m_desktop->messages(), QStringList());
}

void TestInsertion::noOutputFolder()
{
    writeBytes(m_page, "<head></head>");
    m_desktop->answerOpenFile(m_page);
    generator::insertCode(QString(), *m_desktop);
    QCOMPARE(readBytes(m_page), QByteArray("<head></head>"));
    QCOMPARE(m_desktop->messages(), QStringList());
}

void TestInsertion::missingScript()
{
    QVERIFY(QFile::remove(m_out + "/tandeo.js"));
    writeBytes(m_page, "<head></head>");
    m_desktop->answerOpenFile(m_page);
    generator::insertCode(m_out, *m_desktop);
    QCOMPARE(readBytes(m_page), QByteArray("<head></head>"));
    QCOMPARE(m_desktop->messages().size(), 1);
    QVERIFY(m_desktop->messages().constFirst().startsWith("The file \"" + m_out +
                                                          "/tandeo.js\" could not be read: "));
}

void TestInsertion::unreadablePage()
{
    m_desktop->answerOpenFile(m_page); // does not exist
    generator::insertCode(m_out, *m_desktop);
    QCOMPARE(m_desktop->messages().size(), 1);
    QVERIFY(m_desktop->messages().constFirst().startsWith("The file \"" + m_page +
                                                          "\" could not be read: "));
    QVERIFY(m_desktop->messages().constFirst().endsWith("The page was not changed."));
    QVERIFY(!QFileInfo::exists(m_page));
}

void TestInsertion::previewUrl()
{
    QCOMPARE(generator::previewUrl(QString()), QString());
    QCOMPARE(generator::previewUrl("/tmp/my site"),
             QStringLiteral("file:///tmp/my site/index.html"));
    QCOMPARE(generator::previewUrl("/tmp/a#b"), QStringLiteral("file:///tmp/a%23b/index.html"));
}

TANDEO_TEST_MAIN(TestInsertion)
#include "tst_insertion.moc"
