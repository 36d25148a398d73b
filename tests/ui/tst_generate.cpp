// The window's side of generation: the template menu, "Generate Code", preview and
// "Insert Code...", on a small resource folder whose files hold every token.

#include "apptest.h"
#include "resourcefixture.h"
#include "scripteddesktop.h"
#include "testapp.h"

#include "generator/choices.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

const QString kPickedTag = QStringLiteral("|User-chosen template|ffffff|n/a");

QStringList rowTexts(const QComboBox* menu)
{
    QStringList texts;
    for (int row = 0; row < menu->count(); ++row)
        texts << menu->itemText(row);
    return texts;
}

} // namespace

class TestGenerate : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void generateOnTheDefaults();
    void generateChoicesWithAudio();
    void cancelledGenerationKeepsTheResult();
    void failedGenerationReportsAndKeepsTheResult();
    void preview();
    void insertCode();
    void windowWrappers();

    void browseCompletedThenCancelled();
    void catalogueEntryNamedBrowse();
    void catalogueMissing();
    void catalogueNotXml();
    void catalogueWithoutEntries();

private:
    void start();
    wndMain& window() { return m_started->window(); }
    // Presses "Generate Code", answering the folder dialog with the output folder.
    void generate();

    std::unique_ptr<ResourceFixture> m_fixture;
    std::unique_ptr<ScriptedDesktop> m_desktop;
    std::unique_ptr<StartedApp> m_started;
    QString m_out;
};

void TestGenerate::init()
{
    m_fixture = std::make_unique<ResourceFixture>();
    m_desktop = std::make_unique<ScriptedDesktop>();
    m_out = m_fixture->newFolder("out");
}

void TestGenerate::cleanup()
{
    m_started.reset();
    QVERIFY(m_desktop->allAnswersUsed());
    m_desktop.reset();
    m_fixture.reset();
}

void TestGenerate::start()
{
    m_started = std::make_unique<StartedApp>(m_fixture->resources());
}

void TestGenerate::generate()
{
    m_desktop->answerFolder(m_out);
    window().PushButton2->click();
}

void TestGenerate::generateOnTheDefaults()
{
    start();
    QCOMPARE(rowTexts(window().popTemplate), (QStringList{"Fixture", "Unicode Page", "Browse..."}));
    QVERIFY(!m_started->app.isDirty);
    generate();

    QCOMPARE(m_desktop->messages(), QStringList());
    QCOMPARE(window().dest, m_out);
    QCOMPARE(window().lblPath->text(), "Saved at: " + m_out);
    QVERIFY(!window().GroupBox1->isHidden());
    const QString notes = QString::fromLatin1(readBytes(m_out + "/READ-ME-NOW.txt"));
    // The edit field shows every line break of the notes as its own.
    QCOMPARE(window().txtNotes->toPlainText(), QString(notes).replace("\r\n", "\n"));
    QVERIFY(notes.startsWith("Upload to example.com."));
    // Writing the notes is no change to the project.
    QVERIFY(!m_started->app.isDirty);

    for (const char* name : {"tandeo.js", "tandeolg.js", "lgsignup.php", "READ-ME-NOW.txt"})
        QCOMPARE(leftTokens(QString::fromLatin1(readBytes(m_out + "/" + name))), QStringList());
    const QString page = QString::fromLatin1(readBytes(m_out + "/index.html"));
    QCOMPARE(leftTokens(page), QStringList{"<taCHOICES>"});
    QVERIFY(page.contains("<title>New Blue Widgets</title>"));
    QVERIFY(QFileInfo(m_out + "/img/logo.gif").isFile());
}

void TestGenerate::generateChoicesWithAudio()
{
    start();
    wndMain& w = window();
    w.RadioButton2->setChecked(true);
    w.popChoiceFormat->setCurrentIndex(1);
    w.popAudio->setCurrentIndex(2);
    w.txtChoiceWording->setText("  Pick one:  ");
    w.txtDisplay1->setText("Dogs. All about dogs");
    w.txtDisplay2->setText("Cats");
    w.txtChoice2->setText("http://example.com/cats.html");
    w.txtSalutation->setText("Ch\u00E8re amie");
    w.lstBullets->addItem("  Fast");
    w.lstBullets->addItem(" ");
    w.lstBullets->addItem("Cheap");
    generate();

    QCOMPARE(m_desktop->messages(), QStringList());
    const QString page = QString::fromLatin1(readBytes(m_out + "/index.html"));
    // Only the choice list's own tokens of the choices left empty.
    QCOMPARE(leftTokens(page), (QStringList{"<taCHOICE03>", "<taCHOICE04>", "<taCHOICE05>"}));
    QVERIFY(page.contains(
        generator::RadioButtonChoices("Pick one:", {"Dogs. All about dogs", "Cats", "", "", ""})));
    QVERIFY(page.contains(w.RadioButtonChoices()));
    QVERIFY(page.contains("|http://example.com/cats.html|"));
    QVERIFY(page.contains("<ul><li>  Fast</li>\r<li>Cheap</li>\r</ul>"));
    QVERIFY(page.contains("src='tdoaudio.js'"));
    QVERIFY(page.contains("var fname = \"Ch\\u00E8re amie\";"));
    QCOMPARE(readBytes(m_out + "/tdoaudio.js"), QByteArray("var tdoAutoplay = 1;\n"));
    QVERIFY(QFileInfo(m_out + "/tdo_greeting.swf").isFile());
    QVERIFY(w.txtNotes->toPlainText().contains("tdo_greeting.swf\ngreeting.mp3"));
}

void TestGenerate::cancelledGenerationKeepsTheResult()
{
    start();
    generate();
    QCOMPARE(window().dest, m_out);
    const QString notes = window().txtNotes->toPlainText();

    m_desktop->answerFolder(QString());
    window().PushButton2->click();
    QVERIFY(window().dest.isEmpty());
    QCOMPARE(window().lblPath->text(), "Saved at: " + m_out);
    // The edit field shows every line break of the notes as its own.
    QCOMPARE(window().txtNotes->toPlainText(), QString(notes).replace("\r\n", "\n"));
    QVERIFY(!window().GroupBox1->isHidden());
}

void TestGenerate::failedGenerationReportsAndKeepsTheResult()
{
    start();
    QVERIFY(QFile::remove(m_fixture->resources() + "/READ-ME-NOW.txt"));
    generate();
    QCOMPARE(m_desktop->messages().size(), 1);
    QVERIFY(m_desktop->messages().constFirst().contains("READ-ME-NOW.txt\" could not be read"));
    QCOMPARE(window().dest, m_out); // chosen all the same
    QVERIFY(window().lblPath->text().isEmpty());
    QVERIFY(window().txtNotes->toPlainText().isEmpty());
    QVERIFY(window().GroupBox1->isHidden());
}

void TestGenerate::preview()
{
    start();
    window().PushButton1->click(); // no output folder yet: nothing
    QCOMPARE(m_desktop->openedUrls, QStringList());
    m_out = m_fixture->newFolder("my site");
    generate();
    window().PushButton1->click();
    QCOMPARE(m_desktop->openedUrls, QStringList{"file://" + m_out + "/index.html"});
    QVERIFY(!m_started->app.isDirty);
}

void TestGenerate::insertCode()
{
    start();
    generate();
    const QString page = m_fixture->path("mine.html");
    writeBytes(page, "<html><HEAD></HEAD><body>Hello [fname], [FNAME]!</body></html>");
    m_desktop->answerOpenFile(page);
    window().cmdInsertCode->click();
    QCOMPARE(m_desktop->messages(), QStringList{"2 [fname] tokens were replaced."});
    const QByteArray name = "<script>document.write(fname);</script>";
    QCOMPARE(readBytes(page), "<html><HEAD>\n" + readBytes(m_out + "/tandeo.js") +
                                  "\n</HEAD><body>Hello " + name + ", " + name + "!</body></html>");
    QCOMPARE(m_desktop->shown.last().kind, ScriptedDesktop::Kind::Message);
    QVERIFY(!m_started->app.isDirty);
}

void TestGenerate::windowWrappers()
{
    start();
    wndMain& w = window();
    w.txtDisplay3->setText("Third. Choice");
    QCOMPARE(w.DropDownChoices(), generator::DropDownChoices(w.txtChoiceWording->text(),
                                                             {"", "", "Third. Choice", "", ""}));
    QCOMPARE(w.FormatDropDownText("A. B"), QStringLiteral("A."));
    QCOMPARE(w.FormatRadioText("A. B"), QStringLiteral("<b>A.</b></br>B"));
    const QString file = m_fixture->path("w.txt");
    w.WriteText(file, "caf\u00E9 \u2605");
    QCOMPARE(readBytes(file), QByteArray("caf\xe9 &#x2605;"));
    QCOMPARE(w.LoadText(file), QStringLiteral("caf\u00E9 &#x2605;"));
    w.CopyFileorFolder(file, m_out);
    QVERIFY(QFileInfo(m_out + "/w.txt").isFile());
    w.DeleteFilesFromFolder(m_out);
    QCOMPARE(treeOf(m_out), QStringList());
}

void TestGenerate::browseCompletedThenCancelled()
{
    start();
    wndMain& w = window();
    const QString picked = m_fixture->newFolder("mine") + "/my.own.page.html";
    writeBytes(picked, "<html><head></head><body><taHEADLINE></body></html>");
    m_desktop->answerOpenFile(picked);
    w.popTemplate->setCurrentIndex(2);
    const ScriptedDesktop::Shown dialog = m_desktop->shown.last();
    QCOMPARE(dialog.kind, ScriptedDesktop::Kind::OpenFile);
    QCOMPARE(dialog.request.filters.size(), 1);
    QCOMPARE(dialog.request.filters.constFirst().name, QStringLiteral("Web/HTML Files"));
    QCOMPARE(dialog.request.filters.constFirst().extensions,
             (QStringList{".htm", ".html", ".php"}));
    QCOMPARE(w.popTemplate->itemData(2).toString(), picked + kPickedTag);
    QCOMPARE(w.lblUserTemplate->text(), QStringLiteral("Template: my.own.page.html"));
    QVERIFY(m_started->app.isDirty);

    // The picked page is the one generated from.
    generate();
    QCOMPARE(readBytes(m_out + "/index.html"),
             "<html><head></head><body>" + w.txtHeadline->toPlainText().trimmed().toLatin1() +
                 "</body></html>");

    // Selecting a catalogue row leaves the label; browsing again and cancelling clears it but
    // keeps the earlier file.
    w.popTemplate->setCurrentIndex(0);
    QCOMPARE(w.lblUserTemplate->text(), QStringLiteral("Template: my.own.page.html"));
    m_desktop->answerOpenFile(QString());
    w.popTemplate->setCurrentIndex(2);
    QVERIFY(w.lblUserTemplate->text().isEmpty());
    QCOMPARE(w.popTemplate->itemData(2).toString(), picked + kPickedTag);
    QCOMPARE(w.popTemplate->currentIndex(), 2);
}

void TestGenerate::catalogueEntryNamedBrowse()
{
    writeBytes(
        m_fixture->resources() + "/templates.xml",
        "<list><t name=\"bRoWsE...\" id=\"fixture\"/><t name=\"Fixture\" id=\"fixture\"/></list>");
    // Start-up selects the first row, which behaves as the browse row: the dialog opens.
    m_desktop->answerOpenFile(QString());
    start();
    QCOMPARE(rowTexts(window().popTemplate), (QStringList{"bRoWsE...", "Fixture", "Browse..."}));
    QCOMPARE(m_desktop->shown.size(), 1);
    QCOMPARE(window().popTemplate->itemData(0).toString(), QStringLiteral("fixture|||"));
    QVERIFY(!m_started->app.isDirty);
}

void TestGenerate::catalogueMissing()
{
    QVERIFY(QFile::remove(m_fixture->resources() + "/templates.xml"));
    start();
    QCOMPARE(rowTexts(window().popTemplate), QStringList{"No HTML templates found."});
    QCOMPARE(window().popTemplate->currentIndex(), 0);
    // Generating with it finds no template file and says which.
    generate();
    QCOMPARE(m_desktop->messages().size(), 1);
    QVERIFY(m_desktop->messages().constFirst().contains("templates/.html\" could not be read"));
}

void TestGenerate::catalogueNotXml()
{
    writeBytes(m_fixture->resources() + "/templates.xml", "<templates><template name=");
    start();
    QCOMPARE(rowTexts(window().popTemplate), QStringList{"No HTML templates found."});
    QCOMPARE(window().popTemplate->currentIndex(), -1);
    QCOMPARE(m_desktop->shown.size(), 0);
}

void TestGenerate::catalogueWithoutEntries()
{
    writeBytes(m_fixture->resources() + "/templates.xml",
               "<templates>\n  <!-- none yet -->\n</templates>");
    m_desktop->answerOpenFile(QString());
    start();
    QCOMPARE(rowTexts(window().popTemplate), QStringList{"Browse..."});
    QCOMPARE(m_desktop->shown.size(), 1); // the open-file dialog during start-up
    QVERIFY(window().lblUserTemplate->text().isEmpty());
}

TANDEO_TEST_MAIN(TestGenerate)
#include "tst_generate.moc"
