// The menu bar: its items, the Edit items following the focused field, the Help pages and the
// about window.

#include "apptest.h"
#include "scripteddesktop.h"
#include "testapp.h"

#include "app/menubar.h"
#include "news/urlbutton.h"
#include "tandeo_version.h"
#include "ui/wndabout.h"

#include <QAction>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>

class TestMenus : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void menuTable_data();
    void menuTable();
    void editEnabling_data();
    void editEnabling();
    void editCommands();
    void helpPages_data();
    void helpPages();
    void aboutTwiceIsOneWindow();
    void okHidesAbout();
    void aboutLink();
    void shortcutsFromTheAboutWindow();
    void quitClosesAbout();

private:
    MenuBar1& bar() { return *m_started->app.menuBar(); }
    wndMain& window() { return m_started->window(); }
    // Shows the main window in front, on the page that holds the field, and focuses it.
    void focusField(QWidget* field);

    std::unique_ptr<ScriptedDesktop> m_desktop;
    std::unique_ptr<StartedApp> m_started;
};

void TestMenus::init()
{
    m_desktop = std::make_unique<ScriptedDesktop>();
    m_started = std::make_unique<StartedApp>();
    QGuiApplication::clipboard()->clear();
}

void TestMenus::cleanup()
{
    m_started.reset();
    QVERIFY(m_desktop->allAnswersUsed());
    m_desktop.reset();
}

void TestMenus::focusField(QWidget* field)
{
    wndMain& w = window();
    for (int page = 0; page < w.pnlMain->count(); ++page)
        if (w.pnlMain->widget(page)->isAncestorOf(field))
            w.pnlMain->setCurrentIndex(page);
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    field->setFocus(Qt::OtherFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), field);
}

void TestMenus::menuTable_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("caption"); // "-" for a separator
    QTest::addColumn<QKeySequence>("shortcut");
    QTest::addColumn<bool>("byField"); // enabled by the focused field, not always

    auto row = [](const char* menu, const char* name, const char* caption,
                  QKeySequence shortcut = {}, bool byField = false) {
        QTest::newRow(name) << QString::fromLatin1(menu) << QString::fromLatin1(caption) << shortcut
                            << byField;
    };
    const auto cmd = [](Qt::Key key) { return QKeySequence(Qt::CTRL | key); };
    row("FileMenu", "FileNew", "New", cmd(Qt::Key_N));
    row("FileMenu", "FileOpen", "Open...", cmd(Qt::Key_O));
    row("FileMenu", "FileSave", "Save", cmd(Qt::Key_S));
    row("FileMenu", "FileSaveAs", "Save As...");
    row("FileMenu", "UntitledMenu2", "-");
    row("FileMenu", "FileQuit", "Quit", cmd(Qt::Key_Q));
    row("EditMenu", "EditUndo", "Undo", cmd(Qt::Key_Z), true);
    row("EditMenu", "UntitledMenu1", "-");
    row("EditMenu", "EditCut", "Cut", cmd(Qt::Key_X), true);
    row("EditMenu", "EditCopy", "Copy", cmd(Qt::Key_C), true);
    row("EditMenu", "EditPaste", "Paste", cmd(Qt::Key_V), true);
    row("EditMenu", "EditClear", "Clear");
    row("EditMenu", "EditSelectAll", "Select All", cmd(Qt::Key_A), true);
    row("EditMenu", "UntitledMenu0", "-");
    row("HelpMenu", "HelpOnlineManual", "Online Manual...");
    row("HelpMenu", "HelpCheckforUpdates", "Check for Updates...");
    row("HelpMenu", "UntitledItem", "-");
    row("HelpMenu", "HelpTestimonials", "Testimonials...");
    row("HelpMenu", "HelpAboutTandeo", "About Tandeo...");
}

void TestMenus::menuTable()
{
    QFETCH(QString, menu);
    QFETCH(QString, caption);
    QFETCH(QKeySequence, shortcut);
    QFETCH(bool, byField);

    // The menus themselves, in order, with their captions.
    QStringList menus;
    for (QAction* m : bar().actions())
        menus << m->objectName() + QLatin1Char('=') + m->text();
    QCOMPARE(menus, (QStringList{QStringLiteral("FileMenu=&File"), QStringLiteral("EditMenu=&Edit"),
                                 QStringLiteral("HelpMenu=Help")}));
    QVERIFY(!bar().isNativeMenuBar());
    QCOMPARE(window().menuBar(), &bar());

    // This row's item sits in its menu right after the previous row's item of that menu.
    static QHash<QString, int> nextIndex;
    if (QTest::currentDataTag() == QLatin1String("FileNew"))
        nextIndex.clear();
    const int index = nextIndex[menu]++;
    auto* m = bar().findChild<QMenu*>(menu);
    QVERIFY(m);
    QVERIFY(index < m->actions().count());
    QAction* item = m->actions().at(index);
    const QString name = QString::fromLatin1(QTest::currentDataTag());
    QCOMPARE(item->objectName(), name);
    QCOMPARE(bar().findChild<QAction*>(name), item);

    if (caption == QLatin1String("-")) {
        QVERIFY(item->isSeparator());
    } else {
        QVERIFY(!item->isSeparator());
        QCOMPARE(item->text(), caption);
        QCOMPARE(item->shortcut(), shortcut);
        QCOMPARE(item->shortcutContext(), Qt::ApplicationShortcut);
        // Nothing has the focus after start-up.
        QCOMPARE(item->isEnabled(), !byField);
    }
    // The Edit menu ends with its separator; nothing follows the last Help item.
    if (name == QLatin1String("UntitledMenu0") || name == QLatin1String("HelpAboutTandeo") ||
        name == QLatin1String("FileQuit"))
        QCOMPARE(m->actions().count(), index + 1);
}

void TestMenus::editEnabling_data()
{
    QTest::addColumn<QString>("field"); // empty for none
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("selectSome");
    QTest::addColumn<bool>("clipboardText");
    QTest::addColumn<QString>("enabled"); // of Undo, Cut, Copy, Paste, Select All: U C c P A

    QTest::newRow("no focus") << QString() << QString() << false << true << QString();
    QTest::newRow("empty line") << "txtProductName" << QString() << false << false << QString();
    QTest::newRow("empty line, clipboard") << "txtProductName" << QString() << false << true << "P";
    QTest::newRow("filled line") << "txtProductName"
                                 << "Blue Widgets" << false << false << "UA";
    QTest::newRow("filled line, selection") << "txtProductName"
                                            << "Blue Widgets" << true << true << "UCcPA";
    QTest::newRow("empty text") << "txtBody" << QString() << false << false << QString();
    QTest::newRow("filled text") << "txtBody"
                                 << "Line one\nLine two" << false << false << "UA";
    QTest::newRow("filled text, selection, clipboard")
        << "txtBody"
        << "Line one\nLine two" << true << true << "UCcPA";
}

void TestMenus::editEnabling()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(bool, selectSome);
    QFETCH(bool, clipboardText);
    QFETCH(QString, enabled);

    if (clipboardText)
        QGuiApplication::clipboard()->setText(QStringLiteral("pasted"));
    if (!field.isEmpty()) {
        QWidget* control = window().control(field);
        focusField(control);
        if (auto* line = qobject_cast<QLineEdit*>(control)) {
            line->setText(QString());     // also forgets what could be undone
            QTest::keyClicks(line, text); // typed, so that it can be undone
            if (selectSome)
                line->setSelection(0, 4);
        } else if (auto* edit = qobject_cast<QPlainTextEdit*>(control)) {
            edit->setPlainText(QString());
            edit->document()->clearUndoRedoStacks();
            edit->insertPlainText(text); // an edit that can be undone
            if (selectSome) {
                QTextCursor c = edit->textCursor();
                c.setPosition(0);
                c.setPosition(4, QTextCursor::KeepAnchor);
                edit->setTextCursor(c);
            }
        }
    }

    QString shown;
    const QList<std::pair<QAction*, QChar>> items{
        {bar().EditUndo, u'U'},  {bar().EditCut, u'C'},       {bar().EditCopy, u'c'},
        {bar().EditPaste, u'P'}, {bar().EditSelectAll, u'A'},
    };
    for (const auto& [item, letter] : items)
        if (item->isEnabled())
            shown += letter;
    QCOMPARE(shown, enabled);
    QVERIFY(bar().EditClear->isEnabled());

    // Clear with nothing focused or nothing selected deletes nothing.
    bar().EditClear->trigger();
    if (auto* line = qobject_cast<QLineEdit*>(window().control(field)); line && !selectSome)
        QCOMPARE(line->text(), text);
}

void TestMenus::editCommands()
{
    QLineEdit* line = window().txtProductName;
    focusField(line);
    line->selectAll();
    QTest::keyClicks(line, QStringLiteral("Blue Widgets"));
    line->setCursorPosition(4); // after "Blue"
    bar().EditClear->trigger();
    QCOMPARE(line->text(), QStringLiteral("Blue Widgets")); // no selection: nothing goes

    line->setSelection(4, 8); // " Widgets"
    bar().EditCut->trigger();
    QCOMPARE(line->text(), QStringLiteral("Blue"));
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral(" Widgets"));
    bar().EditPaste->trigger();
    QCOMPARE(line->text(), QStringLiteral("Blue Widgets"));
    bar().EditSelectAll->trigger();
    QCOMPARE(line->selectedText(), QStringLiteral("Blue Widgets"));
    QVERIFY(!bar().EditSelectAll->isEnabled()); // everything is selected already
    bar().EditCopy->trigger();
    bar().EditClear->trigger();
    QVERIFY(line->text().isEmpty());
    bar().EditUndo->trigger();
    QCOMPARE(line->text(), QStringLiteral("Blue Widgets"));

    // The same on a multi-line field.
    QPlainTextEdit* body = window().txtBody;
    focusField(body);
    body->setPlainText(QStringLiteral("First\nSecond"));
    bar().EditSelectAll->trigger();
    bar().EditCopy->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("First\nSecond"));
    QTextCursor c = body->textCursor();
    c.setPosition(0);
    c.setPosition(6, QTextCursor::KeepAnchor);
    body->setTextCursor(c);
    bar().EditClear->trigger();
    QCOMPARE(body->toPlainText(), QStringLiteral("Second"));
    bar().EditUndo->trigger();
    QCOMPARE(body->toPlainText(), QStringLiteral("First\nSecond"));
    // Editing through the menu is an edit of the project like typing.
    QVERIFY(m_started->app.isDirty);
}

void TestMenus::helpPages_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("page");
    const QString root = QStringLiteral("https://www.example.com/tandeo/");
    QTest::newRow("manual") << "HelpOnlineManual" << QString() << root + "help/";
    QTest::newRow("updates") << "HelpCheckforUpdates" << QString()
                             << root + "checkforupdate.php?v=" +
                                    QString::fromLatin1(tandeo::kVersionString);
    QTest::newRow("updates 1.2.3") << "HelpCheckforUpdates"
                                   << "1.2.3" << root + "checkforupdate.php?v=1.2.3";
    QTest::newRow("testimonials") << "HelpTestimonials" << QString() << root + "testimonials/";
}

void TestMenus::helpPages()
{
    QFETCH(QString, item);
    QFETCH(QString, version);
    QFETCH(QString, page);
    if (!version.isEmpty())
        m_started->app.theVersion = version;
    bar().findChild<QAction*>(item)->trigger();
    QCOMPARE(m_desktop->openedUrls, QStringList{page});
    QVERIFY(m_desktop->shown.isEmpty());
}

void TestMenus::aboutTwiceIsOneWindow()
{
    App& app = m_started->app;
    bar().HelpAboutTandeo->trigger();
    wndAbout* about = app.aboutWindow();
    QVERIFY(QTest::qWaitForWindowActive(about));
    QCOMPARE(about->windowTitle(), QStringLiteral("About Tandeo"));
    QCOMPARE(about->size(), QSize(380, 176));
    QCOMPARE(about->StaticText1->text(), QStringLiteral("Tandeo v") + app.theVersion);
    QCOMPARE(about->StaticText7->text().count(QLatin1Char('\n')), 2);
    QCOMPARE(about->BevelButton1->text(), QStringLiteral("OK"));
    QVERIFY(!about->isModal());

    // Bring the main window forward, then ask again: the same window comes to the front,
    // its caption made once.
    const QString firstVersion = app.theVersion;
    app.theVersion = QStringLiteral("9.9.9");
    window().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window()));
    bar().HelpAboutTandeo->trigger();
    QCOMPARE(app.aboutWindow(), about);
    QVERIFY(QTest::qWaitForWindowActive(about));
    QCOMPARE(about->StaticText1->text(), QStringLiteral("Tandeo v") + firstVersion);

    int abouts = 0;
    for (QWidget* top : QApplication::topLevelWidgets())
        abouts += qobject_cast<wndAbout*>(top) ? 1 : 0;
    QCOMPARE(abouts, 1);
}

void TestMenus::okHidesAbout()
{
    bar().HelpAboutTandeo->trigger();
    wndAbout* about = m_started->app.aboutWindow();
    QVERIFY(QTest::qWaitForWindowExposed(about));
    QTest::mouseClick(about->BevelButton1, Qt::LeftButton);
    QVERIFY(about->isHidden());
    bar().HelpAboutTandeo->trigger();
    QCOMPARE(m_started->app.aboutWindow(), about);
    QVERIFY(about->isVisible());
}

void TestMenus::aboutLink()
{
    bar().HelpAboutTandeo->trigger();
    wndAbout* about = m_started->app.aboutWindow();
    URLButton* link = about->URLButton1;
    QCOMPARE(link->text(), App::kSiteRoot);
    QCOMPARE(link->URL, App::kSiteRoot);
    QVERIFY(!link->IsMailto);
    QVERIFY(link->UseMyTextStyles);
    QCOMPARE(link->font().family(), QFont(QStringLiteral("Arial")).family());
    QVERIFY(link->font().underline());
    QCOMPARE(link->geometry().topLeft(), QPoint(20, 136));
    // Fitted to the address, and clear of the OK button.
    QCOMPARE(link->width(), QFontMetrics(link->font()).horizontalAdvance(App::kSiteRoot) + 4);
    QVERIFY(!link->geometry().intersects(about->BevelButton1->geometry()));

    QTest::mouseClick(link, Qt::LeftButton);
    QCOMPARE(m_desktop->openedUrls, QStringList{App::kSiteRoot});
    link->CopyURL();
    QCOMPARE(QGuiApplication::clipboard()->text(), App::kSiteRoot);
}

void TestMenus::shortcutsFromTheAboutWindow()
{
    bar().HelpAboutTandeo->trigger();
    wndAbout* about = m_started->app.aboutWindow();
    QVERIFY(QTest::qWaitForWindowActive(about));
    QSignalSpy quit(bar().FileQuit, &QAction::triggered);
    QTest::keyClick(about, Qt::Key_Q, Qt::ControlModifier);
    QCOMPARE(quit.count(), 1);
    // No unsaved changes: the program closes its windows, the about window among them.
    QVERIFY(about->isHidden());
    QVERIFY(window().isHidden());
}

void TestMenus::quitClosesAbout()
{
    bar().HelpAboutTandeo->trigger();
    wndAbout* about = m_started->app.aboutWindow();
    QVERIFY(about->isVisible());
    // With unsaved changes the quit asks first; No leaves both windows open.
    m_started->app.isDirty = true;
    m_desktop->answerNo();
    m_started->app.requestQuit();
    QVERIFY(about->isVisible());
    QVERIFY(window().isVisible());
    m_desktop->answerYes();
    m_started->app.requestQuit();
    QVERIFY(about->isHidden());
    QVERIFY(window().isHidden());
}

TANDEO_TEST_MAIN(TestMenus)
#include "tst_menus.moc"
