// Start-up, quitting, the reset to defaults and the application-wide error handler.

#include "apptest.h"
#include "project/pagesettings.h"
#include "scripteddesktop.h"
#include "testapp.h"

#include "app/menubar.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTimer>

#include <stdexcept>

namespace {

// The value a setting's control shows, as text, to compare with its default.
QString shownValue(wndMain& window, const project::PageSetting& setting)
{
    QWidget* control = window.control(QLatin1StringView(setting.name));
    if (auto* line = qobject_cast<QLineEdit*>(control))
        return line->text();
    if (auto* text = qobject_cast<QPlainTextEdit*>(control))
        return text->toPlainText();
    if (auto* radio = qobject_cast<QAbstractButton*>(control))
        return radio->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    if (auto* combo = qobject_cast<QComboBox*>(control))
        return QString::number(combo->currentIndex());
    if (auto* list = qobject_cast<QListWidget*>(control))
        return QString::number(list->count());
    return QStringLiteral("?");
}

QString defaultValue(const project::PageSetting& setting)
{
    switch (setting.kind) {
    case project::SettingKind::Text:
        return project::defaultText(setting);
    case project::SettingKind::Rows:
        return QStringLiteral("0");
    default:
        return QString::number(setting.numberDefault);
    }
}

} // namespace

class TestApp : public QObject {
    Q_OBJECT

private slots:
    void init() { m_started = std::make_unique<StartedApp>(); }
    void cleanup() { m_started.reset(); }

    void startUpState();
    void settingsTable();
    void resetRunsChangeHandlersAndKeepsThePage();
    void quitWithoutChangesAsksNothing();
    void quitWithChanges_data();
    void quitWithChanges();
    void closeBoxAsksLikeQuit();
    void outOfRangeErrorsShowTheMessageEachTime();
    void otherErrorsAreSilentAndKeepTheWorkDone();

private:
    App& app() { return m_started->app; }
    wndMain& window() { return m_started->window(); }
    std::unique_ptr<StartedApp> m_started;
};

void TestApp::startUpState()
{
    QCOMPARE(window().windowTitle(), QStringLiteral("Tandeo"));
    QCOMPARE(window().pnlMain->currentIndex(), 0);
    QVERIFY(!window().cmdPrev->isEnabled());
    QVERIFY(window().cmdNext->isEnabled());
    QCOMPARE(app().theVersion, QStringLiteral("1.0.0"));
    QCOMPARE(app().theVersion, QCoreApplication::applicationVersion());
    QVERIFY(app().SavedConfig.isEmpty());
    // Start-up selected the first template row, yet nothing counts as changed.
    QCOMPARE(window().popTemplate->currentIndex(), 0);
    QVERIFY(!app().isDirty);
    QVERIFY(window().menuBar() == app().menuBar());

    for (const project::PageSetting& setting : project::pageSettings())
        QCOMPARE(shownValue(window(), setting), defaultValue(setting));
}

void TestApp::settingsTable()
{
    // 34 saved settings, captured in a fixed order that starts and ends as project files do.
    const auto& order = project::registrationOrder();
    QCOMPARE(order.size(), 34);
    QCOMPARE(QLatin1StringView(order.first()->name), QLatin1StringView("txtSalutation"));
    QCOMPARE(QLatin1StringView(order.at(14)->name), QLatin1StringView("popTemplate"));
    QCOMPARE(QLatin1StringView(order.at(26)->name), QLatin1StringView("popChoiceFormat"));
    QCOMPARE(QLatin1StringView(order.last()->name), QLatin1StringView("lstBullets"));
    for (int n = 0; n < order.size(); ++n)
        QCOMPARE(order.at(n)->registration, n + 1);
    // Every setting has its control on the window, and the URL defaults hold the example domain.
    for (const project::PageSetting& setting : project::pageSettings())
        QVERIFY2(window().control(QLatin1StringView(setting.name)), setting.name);
    QVERIFY(window().txtThanksURL->text().contains(project::kExampleDomain));
    QVERIFY(window().txtSalesLetterURL->text().contains(project::kExampleDomain));
    QVERIFY(QString(project::kExampleAddress).endsWith(QLatin1String("@") + project::kExampleDomain));
}

void TestApp::resetRunsChangeHandlersAndKeepsThePage()
{
    wndMain& w = window();
    w.txtProductName->setText(QStringLiteral("Red Gadgets"));
    w.txtBody->setPlainText(QStringLiteral("Body text"));
    w.RadioButton2->setChecked(true);
    w.popAudio->setCurrentIndex(2);
    w.lstBullets->addItems({QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three")});
    w.txtDisplay3->setText(QStringLiteral("Third"));
    w.pnlMain->setCurrentIndex(3);
    app().isDirty = false;

    QSignalSpy changes(&w, &wndMain::SettingChanged);
    app().ResetAllFields();

    QVERIFY(app().isDirty);
    QVERIFY(changes.count() >= 4);
    QCOMPARE(w.txtProductName->text(), QStringLiteral("New Blue Widgets"));
    QCOMPARE(w.txtBody->toPlainText(), QString());
    QVERIFY(w.RadioButton1->isChecked());
    QVERIFY(!w.RadioButton2->isChecked());
    QCOMPARE(w.popAudio->currentIndex(), 0);
    QCOMPARE(w.lstBullets->count(), 0);
    QCOMPARE(w.txtDisplay3->text(), QString());
    // The page shown is not part of a project.
    QCOMPARE(w.pnlMain->currentIndex(), 3);
}

void TestApp::quitWithoutChangesAsksNothing()
{
    ScriptedDesktop desktop;
    window().show();
    app().menuBar()->FileQuit->trigger();
    QVERIFY(desktop.questions().isEmpty());
    QVERIFY(!window().isVisible());
}

void TestApp::quitWithChanges_data()
{
    QTest::addColumn<bool>("discard");
    QTest::newRow("Yes ends the program") << true;
    QTest::newRow("No keeps everything") << false;
}

void TestApp::quitWithChanges()
{
    QFETCH(bool, discard);
    ScriptedDesktop desktop;
    window().show();
    window().txtHeadline->setPlainText(QStringLiteral("Unsaved headline"));
    QVERIFY(app().isDirty);

    discard ? desktop.answerYes() : desktop.answerNo();
    app().menuBar()->FileQuit->trigger();

    QCOMPARE(desktop.questions(),
             QStringList{QStringLiteral("You have unsaved changes.\nDo you want to discard them?")});
    QCOMPARE(desktop.shown.first().icon, platform::Icon::Caution);
    QCOMPARE(window().isVisible(), !discard);
    QCOMPARE(window().txtHeadline->toPlainText(), QStringLiteral("Unsaved headline"));
    QVERIFY(app().isDirty);
}

void TestApp::closeBoxAsksLikeQuit()
{
    ScriptedDesktop desktop;
    window().show();
    window().txtSubmit->setText(QStringLiteral("Go"));
    desktop.answerNo();
    window().close();
    QCOMPARE(desktop.questions().size(), 1);
    QVERIFY(window().isVisible());

    desktop.answerYes();
    window().close();
    QVERIFY(!window().isVisible());
}

void TestApp::outOfRangeErrorsShowTheMessageEachTime()
{
    ScriptedDesktop desktop;
    wndMain& w = window();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.pnlMain->setCurrentIndex(4);
    // A command that fails with an index outside its list, run twice, in place of generation.
    disconnect(w.PushButton2, &QPushButton::clicked, &w, &wndMain::PushButton2_Action);
    connect(w.PushButton2, &QPushButton::clicked, &w,
            [] { throw std::out_of_range("row 7 of 3"); });
    QTest::mouseClick(w.PushButton2, Qt::LeftButton);
    QTest::mouseClick(w.PushButton2, Qt::LeftButton);
    QCOMPARE(desktop.messages(), QStringList(2, App::kOutOfBoundsMessage));

    // The program stays usable: navigation still works.
    QTest::mouseClick(w.cmdPrev, Qt::LeftButton);
    QCOMPARE(w.pnlMain->currentIndex(), 3);
}

void TestApp::otherErrorsAreSilentAndKeepTheWorkDone()
{
    ScriptedDesktop desktop;
    wndMain& w = window();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.pnlMain->setCurrentIndex(4);
    bool reachedTheEnd = false;
    disconnect(w.PushButton2, &QPushButton::clicked, &w, &wndMain::PushButton2_Action);
    connect(w.PushButton2, &QPushButton::clicked, &w, [&] {
        w.lblPath->setText(QStringLiteral("work done before the failure"));
        throw std::runtime_error("disk on fire");
        reachedTheEnd = true;
    });
    QTest::mouseClick(w.PushButton2, Qt::LeftButton);
    QVERIFY(desktop.messages().isEmpty());
    QVERIFY(!reachedTheEnd);
    QCOMPARE(w.lblPath->text(), QStringLiteral("work done before the failure"));

    // Errors from a timer reach the same handler.
    QTimer::singleShot(0, &w, [] { throw std::out_of_range("timer"); });
    QTRY_COMPARE(desktop.messages().size(), 1);
}

TANDEO_TEST_MAIN(TestApp)
#include "tst_app.moc"
