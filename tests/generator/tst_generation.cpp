// "Generate Code" without a window: the engine on a small resource folder whose files hold
// every token, answering its dialogs from a script.

#include "apptest.h"
#include "resourcefixture.h"
#include "scripteddesktop.h"

#include "generator/choices.h"
#include "generator/generation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using generator::GenerationResult;
using generator::PageValues;
using Outcome = GenerationResult::Outcome;

namespace {

const QString kFixtureTag = QStringLiteral("fixture|Every page token|ffffff|Tests");

PageValues sampleValues()
{
    PageValues v;
    v.productName = QStringLiteral("  Blue Widgets  ");
    v.salutation = QStringLiteral(" Valued Friend ");
    v.domain = QStringLiteral(" example.com ");
    v.arAddress = QStringLiteral(" list@example.com ");
    v.salesLetterURL = QStringLiteral(" http://example.com/sales.html ");
    v.thanksURL = QStringLiteral(" http://example.com/thanks.html ");
    v.choiceWording = QStringLiteral("Pick one:");
    v.display = {QStringLiteral("Dogs. All about dogs"), QStringLiteral("Cats"), QString(),
                 QStringLiteral("Birds"), QStringLiteral("Fish")};
    v.choiceURL = {QStringLiteral("http://c1"), QStringLiteral(" http://c2 "),
                   QStringLiteral("http://c3"), QStringLiteral("http://c4"),
                   QStringLiteral("http://c5")};
    v.choiceAR = {QStringLiteral("a1@x"), QStringLiteral("a2@x"), QStringLiteral("a3@x"),
                  QStringLiteral("a4@x"), QStringLiteral("a5@x")};
    v.headline = QStringLiteral(" Big Headline ");
    v.body = QStringLiteral("Body <i>text</i>");
    v.optin = QStringLiteral("Sign up now");
    v.submit = QStringLiteral("Go");
    v.testimonial = QStringLiteral("Great stuff");
    v.templateRowText = QStringLiteral("Fixture");
    v.templateRowTag = kFixtureTag;
    return v;
}

QString text(const QString& path)
{
    return QString::fromLatin1(readBytes(path));
}

} // namespace

class TestGeneration : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void everyTokenInEveryFile();
    void thanksURL_data();
    void thanksURL();
    void choicesMode_data();
    void choicesMode();
    void audio_data();
    void audio();
    void bullets_data();
    void bullets();
    void valueHoldingALaterToken();
    void outsideWindows1252();
    void templateDeclaringUtf8();
    void overwriteAnsweredNo();
    void overwriteAnsweredYes();
    void onlyIndexPresentAsksNothing();
    void resourceFolderRefused();
    void resourceFolderRefusedThroughLink();
    void folderInsideResourceFolderAllowed();
    void cancelledFolderDialog();
    void missingResourceFolder();
    void missingPickedTemplate_data();
    void missingPickedTemplate();
    void pickedTemplate();
    void imageFolderKeptWhenImgExists();
    void missingSupportFile();
    void unwritableOutput();

private:
    GenerationResult generate(const PageValues& values);

    std::unique_ptr<ResourceFixture> m_fixture;
    std::unique_ptr<ScriptedDesktop> m_desktop;
    QString m_out;
};

void TestGeneration::init()
{
    m_fixture = std::make_unique<ResourceFixture>();
    m_desktop = std::make_unique<ScriptedDesktop>();
    m_out = m_fixture->newFolder(QStringLiteral("out"));
}

void TestGeneration::cleanup()
{
    QVERIFY(m_desktop->allAnswersUsed());
    m_desktop.reset();
    m_fixture.reset();
}

GenerationResult TestGeneration::generate(const PageValues& values)
{
    m_desktop->answerFolder(m_out);
    return generator::generateSite(values, m_fixture->resources(), QStringLiteral("/app"),
                                   *m_desktop);
}

void TestGeneration::everyTokenInEveryFile()
{
    const GenerationResult result = generate(sampleValues());
    QCOMPARE(result.outcome, Outcome::Completed);
    QCOMPARE(result.dest, m_out);
    QCOMPARE(m_desktop->messages(), QStringList());
    QCOMPARE(m_desktop->questions(), QStringList());

    // The folder dialog as the user sees it.
    const ScriptedDesktop::Shown& dialog = m_desktop->shown.constFirst();
    QCOMPARE(dialog.kind, ScriptedDesktop::Kind::Folder);
    QCOMPARE(dialog.request.title, QStringLiteral("Save Opt-In Page"));
    QCOMPARE(dialog.request.prompt, QStringLiteral("Choose a folder to hold the generated code."));
    QCOMPARE(dialog.request.actionCaption, QStringLiteral("Select"));
    QCOMPARE(dialog.request.initialFolder, QStringLiteral("/app"));

    const QDir out(m_out);
    const QByteArray tandeo =
        "<script type=\"text/javascript\">\nvar fname = \"Valued Friend\";\n</script>\n";
    const QByteArray tandeolg =
        "<script type=\"text/javascript\">\nvar salesLetter = "
        "'http://example.com/sales.html';\nvar greeting = 'Valued Friend';\n"
        "</script>\n";
    QCOMPARE(readBytes(out.filePath("tandeo.js")), tandeo);
    QCOMPARE(readBytes(out.filePath("tandeolg.js")), tandeolg);
    QCOMPARE(
        readBytes(out.filePath("lgsignup.php")),
        QByteArray("<?php\n$choices = array('http://c1', 'http://c2', 'http://c3', 'http://c4', "
                   "'http://c5');\n$ars = array('a1@x', 'a2@x', 'a3@x', 'a4@x', 'a5@x');\n"
                   "$ar = 'list@example.com';\n$thanks = 'http://example.com/sales.html';\n"
                   "$domain = 'example.com';\n?>\n"));
    const QByteArray form =
        "<form method=\"post\" action=\"http://example.com/lgsignup.php\"><table>"
        "<taCHOICES><tr><td><input type=\"submit\" value=\"Go\"></td></tr></table></form>";
    QCOMPARE(readBytes(out.filePath("index.html")),
             "<html><head><title>Blue Widgets</title>" + tandeo + tandeolg + "</head><body>\n" +
                 tandeo + tandeolg +
                 "|http://c2|example.com|Big Headline|Big Headline|Sign up now|Body "
                 "<i>text</i>|<ul></ul>|" +
                 form + "|Great stuff\n</body></html>\n");
    const QByteArray notes =
        "Upload to example.com.\r\nThanks page: http://example.com/sales.html\r\n"
        "Audio files: \r\n";
    QCOMPARE(readBytes(out.filePath("READ-ME-NOW.txt")), notes);
    QCOMPARE(result.notes, QString::fromLatin1(notes));

    // The sales-letter mode leaves only the choices token.
    for (const char* name : {"tandeo.js", "tandeolg.js", "lgsignup.php", "READ-ME-NOW.txt"})
        QCOMPARE(leftTokens(text(out.filePath(QLatin1StringView(name)))), QStringList());
    QCOMPARE(leftTokens(text(out.filePath("index.html"))), QStringList{"<taCHOICES>"});

    QCOMPARE(result.written, (QStringList{"tandeo.js", "tandeolg.js", "lgsignup.php", "index.html",
                                          "READ-ME-NOW.txt"}));
    // The template's images, renamed; no audio.
    QCOMPARE(treeOf(m_out), (QStringList{"READ-ME-NOW.txt", "img", "img/icons", "img/icons/dot.png",
                                         "img/logo.gif", "index.html", "lgsignup.php", "tandeo.js",
                                         "tandeolg.js"}));
    QCOMPARE(readBytes(out.filePath("img/logo.gif")),
             readBytes(m_fixture->resources() + "/templates/fixture-img/logo.gif"));
}

void TestGeneration::thanksURL_data()
{
    QTest::addColumn<bool>("checked");
    QTest::addColumn<QString>("expected");
    QTest::newRow("not ticked: the sales letter") << false << "http://example.com/sales.html";
    QTest::newRow("ticked: the thanks page") << true << "http://example.com/thanks.html";
}

void TestGeneration::thanksURL()
{
    QFETCH(bool, checked);
    QFETCH(QString, expected);
    PageValues values = sampleValues();
    values.thanksChecked = checked;
    values.choicesMode = true; // the mode does not matter
    QCOMPARE(generate(values).outcome, Outcome::Completed);
    QVERIFY(text(m_out + "/lgsignup.php").contains("$thanks = '" + expected + "';"));
    QVERIFY(text(m_out + "/READ-ME-NOW.txt").contains("Thanks page: " + expected + "\r\n"));
    // "[SALES LETTER URL]" is the sales letter whatever the box says.
    QVERIFY(text(m_out + "/tandeolg.js").contains("'http://example.com/sales.html'"));
}

void TestGeneration::choicesMode_data()
{
    QTest::addColumn<bool>("choicesMode");
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("choices");
    const PageValues v = sampleValues();
    QTest::newRow("sales letter") << false << 0 << QStringLiteral("<taCHOICES>");
    QTest::newRow("drop-down") << true << 0
                               << generator::DropDownChoices(v.choiceWording, v.display);
    QTest::newRow("radio buttons")
        << true << 1 << generator::RadioButtonChoices(v.choiceWording, v.display);
}

void TestGeneration::choicesMode()
{
    QFETCH(bool, choicesMode);
    QFETCH(int, format);
    QFETCH(QString, choices);
    PageValues values = sampleValues();
    values.choicesMode = choicesMode;
    values.choiceFormat = format;
    QCOMPARE(generate(values).outcome, Outcome::Completed);
    const QString page = text(m_out + "/index.html");
    QVERIFY2(page.contains("<table>" + choices + "<tr><td><input"), qPrintable(page));
    // The choice list's own third token stays, as its display text is empty.
    QCOMPARE(page.count("<taCHOICE03>"), choicesMode ? 1 : 0);
    // The sign-up script gets the choices in both modes.
    QVERIFY(text(m_out + "/lgsignup.php").contains("'http://c2'"));
}

void TestGeneration::audio_data()
{
    QTest::addColumn<int>("audio");
    QTest::addColumn<QByteArray>("script"); // tdoaudio.js, empty for none
    QTest::newRow("no audio") << 0 << QByteArray();
    QTest::newRow("manual start") << 1 << QByteArray("var tdoAutoplay = 0;\n");
    QTest::newRow("autostart") << 2 << QByteArray("var tdoAutoplay = 1;\n");
}

void TestGeneration::audio()
{
    QFETCH(int, audio);
    QFETCH(QByteArray, script);
    PageValues values = sampleValues();
    values.audio = audio;
    const GenerationResult result = generate(values);
    QCOMPARE(result.outcome, Outcome::Completed);
    const QString tag = QStringLiteral(
        "<script language='JavaScript' src='tdoaudio.js' type='text/javascript'></script>");
    const QString page = text(m_out + "/index.html");
    QCOMPARE(QFileInfo::exists(m_out + "/tdoaudio.js"), !script.isEmpty());
    QCOMPARE(QFileInfo::exists(m_out + "/tdo_greeting.swf"), !script.isEmpty());
    if (script.isEmpty()) {
        QVERIFY(page.contains("</script>\n</head>"));
        QVERIFY(!page.contains(tag));
        QVERIFY(result.notes.endsWith("Audio files: \r\n"));
    } else {
        QCOMPARE(readBytes(m_out + "/tdoaudio.js"), script);
        QCOMPARE(readBytes(m_out + "/tdo_greeting.swf"),
                 readBytes(m_fixture->resources() + "/tdo_greeting.swf"));
        QVERIFY(page.contains("</script>\n" + tag + "</head>"));
        QVERIFY(result.notes.endsWith(
            "Audio files: tdo_greeting.swf\rgreeting.mp3 (you have to supply this yourself)\r\n"));
    }
}

void TestGeneration::bullets_data()
{
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("markup");
    QTest::newRow("none") << QStringList() << "<ul></ul>";
    QTest::newRow("two") << QStringList{"Fast", "Cheap"}
                         << "<ul><li>Fast</li>\r<li>Cheap</li>\r</ul>";
    QTest::newRow("space-only rows skipped")
        << QStringList{"   ", "", "One", " \t "} << "<ul><li>One</li>\r</ul>";
    QTest::newRow("leading spaces kept")
        << QStringList{"  Indented "} << "<ul><li>  Indented </li>\r</ul>";
    QTest::newRow("markup kept") << QStringList{"<b>Bold</b>"} << "<ul><li><b>Bold</b></li>\r</ul>";
}

void TestGeneration::bullets()
{
    QFETCH(QStringList, rows);
    QFETCH(QString, markup);
    PageValues values = sampleValues();
    values.bullets = rows;
    QCOMPARE(generate(values).outcome, Outcome::Completed);
    QVERIFY(text(m_out + "/index.html").contains("|" + markup + "|"));
}

void TestGeneration::valueHoldingALaterToken()
{
    PageValues values = sampleValues();
    values.body = QStringLiteral("Read <taSUBMIT BUTTON> on [domain]"); // a later token: filled in
    values.testimonial = QStringLiteral("<taBODY>");                    // an earlier one: stays
    QCOMPARE(generate(values).outcome, Outcome::Completed);
    const QString page = text(m_out + "/index.html");
    QVERIFY(page.contains("|Read Go on [domain]|")); // "[DOMAIN]" came before the body
    QVERIFY(page.contains("|<taBODY>\n</body>"));
}

void TestGeneration::outsideWindows1252()
{
    PageValues values = sampleValues();
    values.headline = QStringLiteral("Star \u2605 and caf\u00E9 \U0001F600");
    values.salutation = QStringLiteral("Ch\u00E8re \"amie\" </script>\\");
    values.domain = QStringLiteral("ex\u2605.com");
    const GenerationResult result = generate(values);
    QCOMPARE(result.outcome, Outcome::Completed);
    const QByteArray page = readBytes(m_out + "/index.html");
    // Windows-1252 holds the é; the star and the face become character references.
    QVERIFY(page.contains("|Star &#x2605; and caf\xE9 &#x1F600;|"));
    // In the scripts every non-ASCII character, quote, backslash and angle bracket is escaped.
    const QByteArray salutation = "Ch\\u00E8re \\\"amie\\\" \\u003C/script\\u003E\\\\";
    QCOMPARE(readBytes(m_out + "/tandeo.js"),
             "<script type=\"text/javascript\">\nvar fname = \"" + salutation + "\";\n</script>\n");
    QVERIFY(readBytes(m_out + "/tandeolg.js").contains("var greeting = '" + salutation + "';"));
    QVERIFY(page.contains(salutation));
    QVERIFY(readBytes(m_out + "/lgsignup.php").contains("$domain = 'ex&#x2605;.com';"));
    QVERIFY(readBytes(m_out + "/READ-ME-NOW.txt").startsWith("Upload to ex&#x2605;.com."));
    // The window shows the notes with the characters as typed.
    QVERIFY(result.notes.startsWith(QStringLiteral("Upload to ex\u2605.com.")));
}

void TestGeneration::templateDeclaringUtf8()
{
    PageValues values = sampleValues();
    values.templateRowText = QStringLiteral("Unicode Page");
    values.templateRowTag = QStringLiteral("unicodepage|Declares UTF-8|eeeeee|Tests");
    values.headline = QStringLiteral("Star \u2605");
    QCOMPARE(generate(values).outcome, Outcome::Completed);
    QCOMPARE(
        readBytes(m_out + "/index.html"),
        QByteArray("<html><head><meta charset=\"utf-8\"><title>Blue Widgets</title></head><body>"
                   "\xc3\x9cnic\xc3\xb8"
                   "de \xe2\x98\xba Star \xe2\x98\x85</body></html>\n"));
    // No image folder: no "img".
    QVERIFY(!QFileInfo::exists(m_out + "/img"));
}

void TestGeneration::overwriteAnsweredNo()
{
    writeBytes(m_out + "/lgsignup.php", "old");
    QDir(m_out).mkpath("img/old");
    const QStringList before = treeOf(m_out);
    m_desktop->answerNo();
    const GenerationResult result = generate(sampleValues());
    QCOMPARE(result.outcome, Outcome::Stopped);
    QCOMPARE(result.dest, m_out); // recorded all the same
    QCOMPARE(m_desktop->questions(),
             QStringList{"Do you want to overwrite the existing files in that folder?"});
    const ScriptedDesktop::Shown& question = m_desktop->shown.last();
    QCOMPARE(question.icon, platform::Icon::Question);
    QVERIFY(question.yesIsDefault);
    QCOMPARE(treeOf(m_out), before);
    QCOMPARE(readBytes(m_out + "/lgsignup.php"), QByteArray("old"));
}

void TestGeneration::overwriteAnsweredYes()
{
    writeBytes(m_out + "/READ-ME-NOW.txt", "old notes");
    writeBytes(m_out + "/tdoaudio.js", "left alone");
    writeBytes(m_out + "/mine.txt", "not looked at");
    QDir(m_out).mkpath("img/deeper");
    writeBytes(m_out + "/img/deeper/old.gif", "old");
    m_desktop->answerYes();
    QCOMPARE(generate(sampleValues()).outcome, Outcome::Completed);
    QCOMPARE(m_desktop->questions().size(), 1);
    // The old images went; the template's came; other items stay.
    QCOMPARE(treeOf(m_out), (QStringList{"READ-ME-NOW.txt", "img", "img/icons", "img/icons/dot.png",
                                         "img/logo.gif", "index.html", "lgsignup.php", "mine.txt",
                                         "tandeo.js", "tandeolg.js", "tdoaudio.js"}));
    QCOMPARE(readBytes(m_out + "/tdoaudio.js"), QByteArray("left alone"));
}

void TestGeneration::onlyIndexPresentAsksNothing()
{
    writeBytes(m_out + "/index.html", "old page");
    QCOMPARE(generate(sampleValues()).outcome, Outcome::Completed);
    QCOMPARE(m_desktop->questions(), QStringList());
    QVERIFY(readBytes(m_out + "/index.html").startsWith("<html>"));
}

void TestGeneration::resourceFolderRefused()
{
    const QStringList before = treeOf(m_fixture->resources());
    m_out = m_fixture->resources() + "/templates/..";
    const GenerationResult result = generate(sampleValues());
    QCOMPARE(result.outcome, Outcome::Stopped);
    QCOMPARE(result.dest, m_out);
    QCOMPARE(
        m_desktop->messages(),
        QStringList{"You can NOT save the generated files into that folder. That folder is for "
                    "Tandeo program files only. Please choose another."});
    QCOMPARE(treeOf(m_fixture->resources()), before);
}

void TestGeneration::resourceFolderRefusedThroughLink()
{
    const QStringList before = treeOf(m_fixture->resources());
    m_out = m_fixture->path("link-to-tautils");
    QVERIFY(QFile::link(m_fixture->resources(), m_out));
    QCOMPARE(generate(sampleValues()).outcome, Outcome::Stopped);
    QCOMPARE(m_desktop->messages().size(), 1);
    QVERIFY(m_desktop->messages().constFirst().startsWith("You can NOT save"));
    QCOMPARE(treeOf(m_fixture->resources()), before);
}

void TestGeneration::folderInsideResourceFolderAllowed()
{
    m_out = m_fixture->resources() + "/templates";
    QCOMPARE(generate(sampleValues()).outcome, Outcome::Completed);
    QVERIFY(QFileInfo::exists(m_out + "/index.html"));
    // The template's own image folder is neither moved nor changed.
    QVERIFY(QFileInfo::exists(m_out + "/fixture-img/logo.gif"));
    QVERIFY(!QFileInfo::exists(m_out + "/img"));
}

void TestGeneration::cancelledFolderDialog()
{
    m_out.clear();
    const GenerationResult result = generate(sampleValues());
    QCOMPARE(result.outcome, Outcome::Cancelled);
    QVERIFY(result.dest.isEmpty());
    QCOMPARE(m_desktop->messages(), QStringList());
}

void TestGeneration::missingResourceFolder()
{
    const GenerationResult result = generator::generateSite(
        sampleValues(), m_fixture->path("nothing-here"), QStringLiteral("/app"), *m_desktop);
    QCOMPARE(result.outcome, Outcome::Stopped);
    QCOMPARE(m_desktop->messages(),
             QStringList{"The folder 'tautils' can not be found. You may need to reinstall the "
                         "application."});
    QVERIFY(result.dest.isEmpty()); // no folder was asked for
}

void TestGeneration::missingPickedTemplate_data()
{
    QTest::addColumn<QString>("rowText");
    QTest::addColumn<QString>("tag");
    QTest::newRow("nothing picked") << "Browse..."
                                    << "";
    QTest::newRow("file gone") << "browse..."
                               << "/no/such/page.html|User-chosen template|ffffff|n/a";
}

void TestGeneration::missingPickedTemplate()
{
    QFETCH(QString, rowText);
    QFETCH(QString, tag);
    PageValues values = sampleValues();
    values.templateRowText = rowText;
    values.templateRowTag = tag;
    QCOMPARE(generate(values).outcome, Outcome::Stopped);
    QCOMPARE(m_desktop->messages(),
             QStringList{"Sorry, the HTML template you chose could not be found. Please make a "
                         "different choice."});
    // The support files before the template are written; the page is not.
    QVERIFY(QFileInfo::exists(m_out + "/lgsignup.php"));
    QVERIFY(!QFileInfo::exists(m_out + "/index.html"));
}

void TestGeneration::pickedTemplate()
{
    // A page of the user's own named with several full stops: its images are looked for in the
    // resource folder's templates under the part before the first one.
    const QString picked = m_fixture->newFolder("mine") + "/my.page.v2.html";
    writeBytes(picked, "<html><head></head><body><taHEADLINE></body></html>");
    QDir(m_fixture->resources()).mkpath("templates/my-img");
    writeBytes(m_fixture->resources() + "/templates/my-img/pic.gif", "pic");
    PageValues values = sampleValues();
    values.templateRowText = QStringLiteral("Browse...");
    values.templateRowTag = picked + "|User-chosen template|ffffff|n/a";
    QCOMPARE(generate(values).outcome, Outcome::Completed);
    QCOMPARE(readBytes(m_out + "/index.html"),
             QByteArray("<html><head></head><body>Big Headline</body></html>"));
    QCOMPARE(readBytes(m_out + "/img/pic.gif"), QByteArray("pic"));
}

void TestGeneration::imageFolderKeptWhenImgExists()
{
    QDir(m_out).mkpath("img");
    writeBytes(m_out + "/img/mine.gif", "mine");
    QCOMPARE(generate(sampleValues()).outcome, Outcome::Completed);
    QCOMPARE(treeOf(m_out + "/img"), QStringList{"mine.gif"});
    QCOMPARE(treeOf(m_out + "/fixture-img"), (QStringList{"icons", "icons/dot.png", "logo.gif"}));
}

void TestGeneration::missingSupportFile()
{
    const QString form = m_fixture->resources() + "/optinForm.html";
    QVERIFY(QFile::remove(form));
    const GenerationResult result = generate(sampleValues());
    QCOMPARE(result.outcome, Outcome::Failed);
    QCOMPARE(m_desktop->messages().size(), 1);
    const QString message = m_desktop->messages().constFirst();
    QVERIFY2(message.startsWith("The file \"" + form + "\" could not be read: "),
             qPrintable(message));
    QVERIFY2(message.contains("No such file"), qPrintable(message));
    // What was written before stays; nothing after.
    QCOMPARE(treeOf(m_out), (QStringList{"lgsignup.php", "tandeo.js", "tandeolg.js"}));
}

void TestGeneration::unwritableOutput()
{
    // A folder where the page should go: it cannot be written, and nothing half-written is left.
    QDir(m_out).mkpath("index.html");
    const GenerationResult result = generate(sampleValues());
    QCOMPARE(result.outcome, Outcome::Failed);
    const QString message = m_desktop->messages().value(0);
    QVERIFY2(message.startsWith("The file \"" + m_out + "/index.html\" could not be written: "),
             qPrintable(message));
    QCOMPARE(treeOf(m_out),
             (QStringList{"index.html", "lgsignup.php", "tandeo.js", "tandeolg.js"}));
}

TANDEO_TEST_MAIN(TestGeneration)
#include "tst_generation.moc"
