// The project commands New, Open, Save and Save As: the window title, the project file and the
// unsaved-changes flag through each of them, the files they write and the files they refuse.

#include "apptest.h"
#include "scripteddesktop.h"
#include "testapp.h"

#include "app/menubar.h"
#include "project/pagesettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStackedWidget>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

#include "resourcefixture.h"

namespace {

// A page setting's value as one string: text, "true"/"false", the row, or the rows and the
// selected row.
QString settingValue(const wndMain& window, const char* name)
{
    QWidget* control = window.control(QLatin1StringView(name));
    if (auto* line = qobject_cast<QLineEdit*>(control))
        return line->text();
    if (auto* text = qobject_cast<QPlainTextEdit*>(control))
        return text->toPlainText();
    if (auto* radio = qobject_cast<QRadioButton*>(control))
        return radio->isChecked() ? QStringLiteral("true") : QStringLiteral("false");
    if (auto* popup = qobject_cast<QComboBox*>(control))
        return QString::number(popup->currentIndex());
    if (auto* list = qobject_cast<QListWidget*>(control)) {
        QStringList rows;
        for (int row = 0; row < list->count(); ++row)
            rows << list->item(row)->text();
        const QList<QListWidgetItem*> selected = list->selectedItems();
        rows << QString::number(selected.isEmpty() ? -1 : list->row(selected.constFirst()));
        return rows.join(QLatin1Char('|'));
    }
    return QStringLiteral("?");
}

// Every saved setting by name.
QMap<QString, QString> savedSettings(const wndMain& window)
{
    QMap<QString, QString> values;
    for (const project::PageSetting* setting : project::registrationOrder())
        values.insert(QString::fromLatin1(setting->name), settingValue(window, setting->name));
    return values;
}

// Gives every saved setting a value other than its default.
void changeEverySetting(wndMain& w)
{
    for (const project::PageSetting* setting : project::registrationOrder()) {
        const QString name = QString::fromLatin1(setting->name);
        QWidget* control = w.control(name);
        if (auto* line = qobject_cast<QLineEdit*>(control))
            line->setText(QStringLiteral("  %1 <&> \u00E9  ").arg(name));
        else if (auto* text = qobject_cast<QPlainTextEdit*>(control))
            text->setPlainText(QStringLiteral("%1\nsecond line\n\n  fourth").arg(name));
    }
    w.RadioButton2->setChecked(true);
    w.popAudio->setCurrentIndex(2);
    w.popChoiceFormat->setCurrentIndex(1);
    w.popTemplate->setCurrentIndex(1); // the second catalogue row, not "Browse..."
    w.lstBullets->addItems(
        {QStringLiteral("First & best"), QStringLiteral("Second"), QStringLiteral("Third <b>")});
}

// A copy of the shipped resource folder whose catalogue has two templates, so that every row
// of the template menu but the last can be chosen without a dialog.
void makeResourceFolder(const QString& target)
{
    const QDir source(shippedResourceFolder());
    QDirIterator it(source.path(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString copy = QDir(target).filePath(source.relativeFilePath(file));
        QDir().mkpath(QFileInfo(copy).path());
        QFile::copy(file, copy);
    }
    QFile::remove(QDir(target).filePath(QStringLiteral("templates.xml")));
    writeBytes(QDir(target).filePath(QStringLiteral("templates.xml")),
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<templates>\n"
               "  <template name=\"Plain White\" id=\"plainwhite\" desc=\"One\" bgcolor=\"ffffff\" "
               "author=\"T\"/>\n"
               "  <template name=\"Plain White Again\" id=\"plainwhite\" desc=\"Two\" "
               "bgcolor=\"ffffff\" author=\"T\"/>\n"
               "</templates>\n");
}

// Limits the size of files this process may write, for a write that fails half-way.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

} // namespace

class TestProjectFiles : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void savingFollowsTheStateTable();
    void newConfig();
    void openCancellations();
    void everySettingSurvivesAFreshRun();
    void savedFileFormat();
    void fileOfAnotherProgramOpens();
    void badFilesAreRefused_data();
    void badFilesAreRefused();
    void failedSaveSaysSoAndKeepsTheOldFile_data();
    void failedSaveSaysSoAndKeepsTheOldFile();

private:
    wndMain& window() { return m_started->window(); }
    App& app() { return m_started->app; }
    QString path(const QString& name) const { return m_dir.filePath(name); }
    // Saves the current project as the file, through Save As.
    void saveAs(const QString& file);
    void checkState(const QString& title, const QString& savedConfig, bool dirty);

    QTemporaryDir m_dir;
    QString m_resources;
    std::unique_ptr<ScriptedDesktop> m_desktop;
    std::unique_ptr<StartedApp> m_started;
};

void TestProjectFiles::init()
{
    QVERIFY(m_dir.isValid());
    m_resources = path(QStringLiteral("tautils"));
    makeResourceFolder(m_resources);
    m_desktop = std::make_unique<ScriptedDesktop>();
    m_started = std::make_unique<StartedApp>(m_resources);
    QCOMPARE(window().popTemplate->count(), 3);
}

void TestProjectFiles::cleanup()
{
    m_started.reset();
    if (m_desktop)
        QVERIFY2(m_desktop->allAnswersUsed(), "a scripted answer was not asked for");
    m_desktop.reset();
    m_dir.remove();
    m_dir = QTemporaryDir();
}

void TestProjectFiles::saveAs(const QString& file)
{
    m_desktop->answerSaveFile(file);
    app().SaveConfigAs();
}

void TestProjectFiles::checkState(const QString& title, const QString& savedConfig, bool dirty)
{
    QCOMPARE(window().windowTitle(), title);
    QCOMPARE(app().SavedConfig, savedConfig);
    QCOMPARE(app().isDirty, dirty);
}

void TestProjectFiles::savingFollowsTheStateTable()
{
    const QString first = path(QStringLiteral("first.tdo"));
    const QString second = path(QStringLiteral("second"));
    checkState(QStringLiteral("Tandeo"), QString(), false);

    window().txtProductName->setText(QStringLiteral("Red Gadgets"));
    checkState(QStringLiteral("Tandeo"), QString(), true);

    // Save without a file is Save As: the dialog proposes the name and filters nothing.
    m_desktop->answerSaveFile(first);
    app().menuBar()->FileSave->trigger();
    QCOMPARE(m_desktop->shown.size(), 1);
    QCOMPARE(m_desktop->shown[0].kind, ScriptedDesktop::Kind::SaveFile);
    QCOMPARE(m_desktop->shown[0].request.proposedName, QStringLiteral("untitled.tdo"));
    QVERIFY(m_desktop->shown[0].request.filters.isEmpty());
    checkState(QStringLiteral("Tandeo - first.tdo"), first, false);
    QVERIFY(readBytes(first).contains("<value>Red Gadgets</value>"));

    // Save with a file asks nothing and rewrites it; twice gives the same bytes.
    window().txtBody->setPlainText(QStringLiteral("Body"));
    QVERIFY(app().isDirty);
    QFile::remove(first);
    app().menuBar()->FileSave->trigger();
    checkState(QStringLiteral("Tandeo - first.tdo"), first, false);
    const QByteArray once = readBytes(first);
    QVERIFY(once.contains("<value>Body</value>"));
    app().SaveConfig();
    QCOMPARE(readBytes(first), once);
    QCOMPARE(m_desktop->shown.size(), 1);

    // A cancelled Save As forgets the file but keeps the title and the flag.
    window().txtBody->setPlainText(QStringLiteral("Changed"));
    m_desktop->answerSaveFile(QString());
    app().menuBar()->FileSaveAs->trigger();
    checkState(QStringLiteral("Tandeo - first.tdo"), QString(), true);
    QCOMPARE(readBytes(first), once);

    // So the next Save asks where; a name without the extension is taken as it is.
    m_desktop->answerSaveFile(second);
    app().SaveConfig();
    QCOMPARE(m_desktop->shown.last().kind, ScriptedDesktop::Kind::SaveFile);
    checkState(QStringLiteral("Tandeo - second"), second, false);
    QVERIFY(readBytes(second).contains("<value>Changed</value>"));
    QCOMPARE(m_desktop->messages(), QStringList());
}

void TestProjectFiles::newConfig()
{
    wndMain& w = window();
    saveAs(path(QStringLiteral("p.tdo")));
    w.pnlMain->setCurrentIndex(3);
    w.GroupBox1->show();
    w.txtProductName->setText(QStringLiteral("Unsaved"));
    w.lstBullets->addItem(QStringLiteral("Unsaved bullet"));
    const auto storeBefore = w.XMLPrefs1.repository;

    // No keeps everything.
    m_desktop->answerNo();
    app().menuBar()->FileNew->trigger();
    QCOMPARE(
        m_desktop->questions(),
        QStringList{QStringLiteral("You have unsaved changes.\nDo you want to discard them?")});
    QCOMPARE(m_desktop->shown.last().icon, platform::Icon::Caution);
    checkState(QStringLiteral("Tandeo - p.tdo"), path(QStringLiteral("p.tdo")), true);
    QCOMPARE(w.txtProductName->text(), QStringLiteral("Unsaved"));
    QCOMPARE(w.lstBullets->count(), 1);
    QVERIFY(!w.GroupBox1->isHidden());

    // Yes resets, hides the results group and leaves the page and the store alone.
    m_desktop->answerYes();
    app().NewConfig();
    checkState(QStringLiteral("Tandeo"), QString(), false);
    QCOMPARE(w.txtProductName->text(), QStringLiteral("New Blue Widgets"));
    QCOMPARE(w.lstBullets->count(), 0);
    QVERIFY(w.GroupBox1->isHidden());
    QCOMPARE(w.pnlMain->currentIndex(), 3);
    QCOMPARE(w.XMLPrefs1.repository, storeBefore);

    // Without changes it asks nothing.
    m_desktop->clear();
    w.GroupBox1->show();
    app().NewConfig();
    QCOMPARE(m_desktop->shown.size(), 0);
    QVERIFY(w.GroupBox1->isHidden());
    checkState(QStringLiteral("Tandeo"), QString(), false);
}

void TestProjectFiles::openCancellations()
{
    wndMain& w = window();
    w.txtSalutation->setText(QStringLiteral("Friend"));

    m_desktop->answerNo();
    app().menuBar()->FileOpen->trigger();
    QCOMPARE(m_desktop->shown.size(), 1); // the question only, no dialog
    checkState(QStringLiteral("Tandeo"), QString(), true);

    m_desktop->answerYes();
    m_desktop->answerOpenFile(QString());
    app().OpenConfig();
    QCOMPARE(m_desktop->shown.last().kind, ScriptedDesktop::Kind::OpenFile);
    QVERIFY(m_desktop->shown.last().request.filters.isEmpty());
    checkState(QStringLiteral("Tandeo"), QString(), true);
    QCOMPARE(w.txtSalutation->text(), QStringLiteral("Friend"));
}

void TestProjectFiles::everySettingSurvivesAFreshRun()
{
    const QString file = path(QStringLiteral("every.tdo"));
    changeEverySetting(window());
    window().chkThanks->setChecked(true); // not part of a project
    window().lstBullets->setCurrentRow(1);
    const QMap<QString, QString> saved = savedSettings(window());
    for (const project::PageSetting* setting : project::registrationOrder()) {
        const QString name = QString::fromLatin1(setting->name);
        QWidget* control = window().control(name);
        // Every setting really differs from the default it will be reset to.
        if (auto* line = qobject_cast<QLineEdit*>(control))
            QVERIFY2(line->text() != project::defaultText(*setting), qPrintable(name));
    }
    saveAs(file);

    // A fresh run: new window, new store.
    m_started.reset();
    m_started = std::make_unique<StartedApp>(m_resources);
    wndMain& w = window();
    QVERIFY(w.XMLPrefs1.repository.empty());
    m_desktop->answerOpenFile(file);
    app().OpenConfig();

    QMap<QString, QString> expected = saved;
    // The stored selection is applied before the bullets are back, so none is selected.
    expected[QStringLiteral("lstBullets")].replace(QLatin1String("|1"), QLatin1String("|-1"));
    QCOMPARE(savedSettings(w), expected);
    checkState(QStringLiteral("Tandeo - every.tdo"), file, false);
    // The loaded mode shows its group; the check box is the window's, not the project's.
    QVERIFY(!w.GroupBox2->isEnabled());
    QVERIFY(w.GroupBox3->isEnabled());
    QVERIFY(!w.chkThanks->isChecked());
    QCOMPARE(w.XMLPrefs1.repository.size(), std::size_t(34));
    QCOMPARE(m_desktop->messages(), QStringList());

    // Saving the opened project again writes the same file.
    const QByteArray before = readBytes(file);
    app().SaveConfig();
    QByteArray after = readBytes(file);
    after.replace("<value>-1</value><listitem>First", "<value>1</value><listitem>First");
    QCOMPARE(after, before);
}

void TestProjectFiles::savedFileFormat()
{
    const QString file = path(QStringLiteral("format.tdo"));
    window().txtBody->setPlainText(QStringLiteral("one\ntwo"));
    saveAs(file);

    const QByteArray bytes = readBytes(file);
    QVERIFY(!bytes.endsWith('\r') && !bytes.endsWith('\n'));
    QVERIFY(!bytes.contains("\r\n"));
    const QList<QByteArray> lines = bytes.split('\r');
    QCOMPARE(lines.first(), QByteArray("<?xml version='1.0' encoding='UTF-8' standalone='yes'?>"));
    QCOMPARE(lines.at(1), QByteArray("<prefs>"));
    QCOMPARE(lines.last(), QByteArray("</prefs>"));
    QCOMPARE(lines.size(), 3 + 34);

    // One item per line, each of its kind; the line feed belongs to the body's text.
    QMap<QString, QByteArray> kinds;
    for (const QByteArray& line : lines.mid(2, 34)) {
        const QRegularExpression shape(
            QStringLiteral("^<(\\w+)><name>(\\w+)</name><value(/>|>.*</value>)"),
            QRegularExpression::DotMatchesEverythingOption);
        const QRegularExpressionMatch match = shape.match(QString::fromUtf8(line));
        QVERIFY2(match.hasMatch(), line.constData());
        kinds.insert(match.captured(2), match.captured(1).toUtf8());
    }
    QCOMPARE(kinds.size(), 34);
    for (const project::PageSetting* setting : project::registrationOrder()) {
        const QByteArray expected = setting->kind == project::SettingKind::Text     ? "editfield"
                                    : setting->kind == project::SettingKind::Choice ? "radiobutton"
                                    : setting->kind == project::SettingKind::Index  ? "popupmenu"
                                                                                    : "listbox";
        QCOMPARE(kinds.value(QString::fromLatin1(setting->name)), expected);
    }
    QVERIFY(bytes.contains("<editfield><name>txtBody</name><value>one\ntwo</value></editfield>\r"));
    QVERIFY(bytes.contains("<editfield><name>txtHeadline</name><value/></editfield>\r"));
    QVERIFY(bytes.contains("<listbox><name>lstBullets</name><value>-1</value></listbox>\r"));
    QVERIFY(bytes.contains(
        "<radiobutton><name>RadioButton1</name><value>true</value></radiobutton>\r"));
    QVERIFY(bytes.contains("<popupmenu><name>popTemplate</name><value>0</value></popupmenu>\r"));
}

void TestProjectFiles::fileOfAnotherProgramOpens()
{
    wndMain& w = window();
    // Changes that the open replaces with defaults or the file's values.
    w.txtHeadline->setPlainText(QStringLiteral("Old headline"));
    w.txtSalutation->setText(QStringLiteral("Old salutation"));
    w.lstBullets->addItem(QStringLiteral("Old bullet"));
    w.pnlMain->setCurrentIndex(2);

    const QString file = path(QStringLiteral("Other Program's Project"));
    QVERIFY(writeBytes(
        file, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<settings>\n"
              "  <item><id>lstBullets</id><value>-1</value><listitem>Imported</listitem></item>\n"
              "  <setting><key>txtProductName</key><value>Imported Widgets</value></setting>\n"
              "  <setting><key>txtSalutation</key><value/></setting>\n"
              "  <choice><key>RadioButton2</key><VALUE>True</VALUE></choice>\n"
              "  <menu><key>popAudio</key><value>1</value></menu>\n"
              "</settings>\n"));
    m_desktop->answerYes();
    m_desktop->answerOpenFile(file);
    app().OpenConfig();

    QCOMPARE(m_desktop->messages(), QStringList());
    checkState(QStringLiteral("Tandeo - Other Program's Project"), file, false);
    QCOMPARE(w.txtProductName->text(), QStringLiteral("Imported Widgets"));
    // An empty value leaves the reset default in place.
    QCOMPARE(w.txtSalutation->text(), QStringLiteral("Fellow Entrepreneur"));
    QCOMPARE(w.txtHeadline->toPlainText(), QString());
    QCOMPARE(w.lstBullets->count(), 1);
    QCOMPARE(w.lstBullets->item(0)->text(), QStringLiteral("Imported"));
    QVERIFY(w.RadioButton2->isChecked());
    QVERIFY(!w.RadioButton1->isChecked());
    QVERIFY(w.GroupBox3->isEnabled());
    QVERIFY(!w.GroupBox2->isEnabled());
    QCOMPARE(w.popAudio->currentIndex(), 1);
    QCOMPARE(w.txtDomain->text(), QStringLiteral("example.com"));
    QCOMPARE(w.pnlMain->currentIndex(), 2);
}

void TestProjectFiles::badFilesAreRefused_data()
{
    QTest::addColumn<QByteArray>("bytes"); // empty with "folder": a folder of that name
    QTest::addColumn<bool>("folder");
    QTest::addColumn<QString>("reason");

    const QByteArray head =
        "<?xml version='1.0' encoding='UTF-8' standalone='yes'?>\r<prefs>\r"
        "<editfield><name>txtProductName</name><value>From the bad file</value></editfield>\r";
    QTest::newRow("not XML") << QByteArray("Dear customer,\nthank you.\n") << false
                             << QStringLiteral("not well-formed XML");
    QTest::newRow("item without a name")
        << head + "<editfield><name></name><value>x</value></editfield>\r</prefs>" << false
        << QStringLiteral("has no name");
    QTest::newRow("empty radio value")
        << head + "<radiobutton><name>RadioButton2</name><value/></radiobutton>\r</prefs>" << false
        << QStringLiteral("\"RadioButton2\" has no value");
    QTest::newRow("truncated") << head.left(head.size() - 20) << false
                               << QStringLiteral("not well-formed XML");
    QTest::newRow("empty file") << QByteArray() << false << QStringLiteral("empty");
    QTest::newRow("folder") << QByteArray() << true << QStringLiteral("folder");
}

void TestProjectFiles::badFilesAreRefused()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, folder);
    QFETCH(QString, reason);

    wndMain& w = window();
    // An open project with unsaved changes.
    const QString good = path(QStringLiteral("good.tdo"));
    w.txtProductName->setText(QStringLiteral("Filed"));
    w.lstBullets->addItem(QStringLiteral("Filed bullet"));
    saveAs(good);
    w.txtProductName->setText(QStringLiteral("Unsaved"));
    w.RadioButton2->setChecked(true);
    const QMap<QString, QString> fieldsBefore = savedSettings(w);
    const auto storeBefore = w.XMLPrefs1.repository;

    const QString bad = path(QStringLiteral("bad project.tdo"));
    if (folder)
        QVERIFY(QDir().mkdir(bad));
    else
        QVERIFY(writeBytes(bad, bytes));
    m_desktop->answerYes();
    m_desktop->answerOpenFile(bad);
    app().OpenConfig();

    const QStringList messages = m_desktop->messages();
    QCOMPARE(messages.size(), 1);
    QVERIFY2(messages[0].contains(QStringLiteral("Could not open the project file \"%1\"")
                                      .arg(QDir::toNativeSeparators(bad))),
             qPrintable(messages[0]));
    QVERIFY2(messages[0].contains(reason), qPrintable(messages[0]));
    QCOMPARE(savedSettings(w), fieldsBefore);
    QCOMPARE(w.XMLPrefs1.repository, storeBefore);
    QVERIFY(w.GroupBox3->isEnabled());
    checkState(QStringLiteral("Tandeo - good.tdo"), good, true);
}

void TestProjectFiles::failedSaveSaysSoAndKeepsTheOldFile_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("folder that does not exist") << QStringLiteral("missing");
    QTest::newRow("write fails half-way") << QStringLiteral("full");
    QTest::newRow("folder that cannot be written") << QStringLiteral("read-only");
}

void TestProjectFiles::failedSaveSaysSoAndKeepsTheOldFile()
{
    QFETCH(QString, how);
    wndMain& w = window();

    const QString first = path(QStringLiteral("first.tdo"));
    saveAs(first);
    w.txtProductName->setText(QStringLiteral("Unsaved"));

    QString target;
    QByteArray old;
    if (how == QLatin1String("missing")) {
        target = path(QStringLiteral("no such folder/p.tdo"));
        saveAs(target);
    } else {
        // An older project in the target's place, which the failed save must leave alone.
        const QString folder = path(QStringLiteral("locked"));
        QVERIFY(QDir().mkdir(folder));
        target = QDir(folder).filePath(QStringLiteral("p.tdo"));
        old = "<?xml version='1.0' encoding='UTF-8' standalone='yes'?>\r<prefs>\r</prefs>";
        QVERIFY(writeBytes(target, old));
        if (how == QLatin1String("full")) {
            const FileSizeLimit limit(old.size() + 100);
            saveAs(target);
        } else {
            if (geteuid() == 0)
                QSKIP("folder permissions do not bind the superuser");
            QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
            saveAs(target);
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
    }

    const QStringList messages = m_desktop->messages();
    QCOMPARE(messages.size(), 1);
    QVERIFY2(
        messages[0].startsWith(QStringLiteral("Could not save the project file \"%1\".\nReason: ")
                                   .arg(QDir::toNativeSeparators(target))),
        qPrintable(messages[0]));
    QCOMPARE(m_desktop->shown.last().icon, platform::Icon::Stop);
    // Nothing changed: the project is still filed where it was, with its unsaved change.
    checkState(QStringLiteral("Tandeo - first.tdo"), first, true);
    QCOMPARE(readBytes(target), old);
    QCOMPARE(QDir(QFileInfo(target).path()).entryList(QDir::Files | QDir::Hidden),
             old.isEmpty() ? QStringList() : QStringList{QStringLiteral("p.tdo")});
}

TANDEO_TEST_MAIN(TestProjectFiles)
#include "tst_projectfiles.moc"
