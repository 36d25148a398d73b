// How the wizard's fields react to typing, clicks and focus changes: change marking, the
// domain and address carried into placeholder fields, the two modes, the thanks URL switch
// and the bullet list.

#include "apptest.h"
#include "scripteddesktop.h"
#include "testapp.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>

class TestFields : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void changesMarkTheProject_data();
    void changesMarkTheProject();
    void domainPropagation_data();
    void domainPropagation();
    void domainWaitsForTheFocusToLeave();
    void addressPropagation();
    void modeAndThanksEnabling();
    void enablingFollowsResetAndLoad();
    void addingAndDeletingBullets();
    void editingABullet();

private:
    wndMain& window() { return m_started->window(); }
    App& app() { return m_started->app; }
    // Shows the page holding the control, so that it can take the focus and clicks.
    void showPageOf(QWidget* control);
    // The in-place editor of the bullet list, when one is open.
    QLineEdit* bulletEditor();

    std::unique_ptr<ScriptedDesktop> m_desktop;
    std::unique_ptr<StartedApp> m_started;
};

void TestFields::init()
{
    m_desktop = std::make_unique<ScriptedDesktop>();
    m_started = std::make_unique<StartedApp>();
    window().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window()));
    QVERIFY(!app().isDirty);
}

void TestFields::cleanup()
{
    m_started.reset();
    if (m_desktop)
        QVERIFY2(m_desktop->allAnswersUsed(), "a scripted answer was not asked for");
    m_desktop.reset();
}

void TestFields::showPageOf(QWidget* control)
{
    for (int page = 0; page < window().pnlMain->count(); ++page)
        if (window().pnlMain->widget(page)->isAncestorOf(control))
            window().pnlMain->setCurrentIndex(page);
}

QLineEdit* TestFields::bulletEditor()
{
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    return editor && window().lstBullets->isAncestorOf(editor) ? editor : nullptr;
}

void TestFields::changesMarkTheProject_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("marks");

    const char* typed[] = {
        "txtProductName", "txtSalutation",    "txtDomain",    "txtARAddress", "txtSalesLetterURL",
        "txtThanksURL",   "txtChoiceWording", "txtDisplay1",  "txtDisplay2",  "txtDisplay3",
        "txtDisplay4",    "txtDisplay5",      "txtChoice1",   "txtChoice2",   "txtChoice3",
        "txtChoice4",     "txtChoice5",       "txtChoiceAR1", "txtChoiceAR2", "txtChoiceAR3",
        "txtChoiceAR4",   "txtChoiceAR5",     "txtHeadline",  "txtBody",      "txtOptin",
        "txtTestimonial", "txtSubmit"};
    for (const char* name : typed)
        QTest::newRow(name) << QString::fromLatin1(name) << true;
    QTest::newRow("popAudio") << QStringLiteral("popAudio") << true;
    QTest::newRow("popChoiceFormat") << QStringLiteral("popChoiceFormat") << true;
    QTest::newRow("lstBullets") << QStringLiteral("lstBullets") << true;
    QTest::newRow("RadioButton2") << QStringLiteral("RadioButton2") << true;
    QTest::newRow("chkThanks") << QStringLiteral("chkThanks") << true;
    QTest::newRow("cmdAdd") << QStringLiteral("cmdAdd") << true;
    // The notes are the last generation's, and the navigation is not part of a project.
    QTest::newRow("txtNotes") << QStringLiteral("txtNotes") << false;
    QTest::newRow("cmdNext") << QStringLiteral("cmdNext") << false;
}

void TestFields::changesMarkTheProject()
{
    QFETCH(QString, control);
    QFETCH(bool, marks);

    wndMain& w = window();
    QWidget* widget = w.control(control);
    QVERIFY(widget);
    // Make the control usable first, then start from an unchanged project.
    if (w.GroupBox3->isAncestorOf(widget))
        w.RadioButton2->setChecked(true);
    if (widget == w.txtThanksURL)
        w.chkThanks->setChecked(true);
    if (widget == w.txtNotes)
        w.GroupBox1->show();
    if (widget == w.lstBullets)
        w.lstBullets->addItems({QStringLiteral("one"), QStringLiteral("two")});
    showPageOf(widget);
    app().isDirty = false;

    if (qobject_cast<QLineEdit*>(widget) || qobject_cast<QPlainTextEdit*>(widget)) {
        widget->setFocus();
        QTest::keyClick(widget, Qt::Key_X);
    } else if (widget == w.popAudio || widget == w.popChoiceFormat) {
        widget->setFocus();
        QTest::keyClick(widget, Qt::Key_Down);
        QCOMPARE(static_cast<QComboBox*>(widget)->currentIndex(), 1);
    } else if (widget == w.lstBullets) {
        const QRect second = w.lstBullets->visualItemRect(w.lstBullets->item(1));
        QTest::mouseClick(w.lstBullets->viewport(), Qt::LeftButton, {}, second.center());
        QCOMPARE(w.lstBullets->currentRow(), 1);
    } else {
        QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
    }

    QCOMPARE(app().isDirty, marks);
    if (marks) {
        // The change is not dropped silently: Quit asks.
        m_desktop->answerNo();
        app().requestQuit();
        QCOMPARE(m_desktop->questions().size(), 1);
        QVERIFY(w.isVisible());
    }
}

void TestFields::domainPropagation_data()
{
    QTest::addColumn<QString>("thanks");
    QTest::addColumn<QString>("sales");
    QTest::addColumn<QString>("domain");
    QTest::addColumn<QString>("thanksAfter");
    QTest::addColumn<QString>("salesAfter");

    const QString thanks = QStringLiteral("http://example.com/thanks.html");
    const QString sales = QStringLiteral("http://example.com/salescopy.html");
    QTest::newRow("defaults") << thanks << sales << "mine.net"
                              << "http://mine.net/thanks.html"
                              << "http://mine.net/salescopy.html";
    QTest::newRow("already replaced: nothing changes") << "http://mine.net/thanks.html"
                                                       << "http://mine.net/salescopy.html"
                                                       << "other.org"
                                                       << "http://mine.net/thanks.html"
                                                       << "http://mine.net/salescopy.html";
    QTest::newRow("emptied domain") << thanks << sales << ""
                                    << "http:///thanks.html"
                                    << "http:///salescopy.html";
    QTest::newRow("untrimmed") << thanks << sales << " mine.net "
                               << "http:// mine.net /thanks.html"
                               << "http:// mine.net /salescopy.html";
    QTest::newRow("any letter case, first occurrence only") << "http://EXAMPLE.com/example.com.html"
                                                            << "https://www.Example.Com/x"
                                                            << "mine.net"
                                                            << "http://mine.net/example.com.html"
                                                            << "https://www.mine.net/x";
    QTest::newRow("only one URL still holds it") << thanks << "http://shop.org/buy.html"
                                                 << "mine.net"
                                                 << "http://mine.net/thanks.html"
                                                 << "http://shop.org/buy.html";
    QTest::newRow("domain containing the example domain is put in once")
        << "http://myexample.com/thanks.html" << sales << "myexample.com"
        << "http://myexample.com/thanks.html"
        << "http://myexample.com/salescopy.html";
}

void TestFields::domainPropagation()
{
    QFETCH(QString, thanks);
    QFETCH(QString, sales);
    QFETCH(QString, domain);
    QFETCH(QString, thanksAfter);
    QFETCH(QString, salesAfter);

    wndMain& w = window();
    w.txtThanksURL->setText(thanks); // disabled, as chkThanks is not ticked
    w.txtSalesLetterURL->setText(sales);
    QVERIFY(!w.txtThanksURL->isEnabled());
    QStringList order;
    connect(w.txtThanksURL, &QLineEdit::textChanged, [&] { order << QStringLiteral("thanks"); });
    connect(w.txtSalesLetterURL, &QLineEdit::textChanged,
            [&] { order << QStringLiteral("sales"); });

    showPageOf(w.txtDomain);
    w.txtDomain->setFocus();
    QTest::keyClick(w.txtDomain, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(w.txtDomain, Qt::Key_Delete);
    QTest::keyClicks(w.txtDomain, domain);
    QCOMPARE(w.txtDomain->text(), domain);
    QTest::keyClick(w.txtDomain, Qt::Key_Tab);
    QVERIFY(!w.txtDomain->hasFocus());

    QCOMPARE(w.txtThanksURL->text(), thanksAfter);
    QCOMPARE(w.txtSalesLetterURL->text(), salesAfter);
    QStringList expectedOrder;
    if (thanksAfter != thanks)
        expectedOrder << QStringLiteral("thanks");
    if (salesAfter != sales)
        expectedOrder << QStringLiteral("sales");
    QCOMPARE(order, expectedOrder);
}

void TestFields::domainWaitsForTheFocusToLeave()
{
    wndMain& w = window();
    showPageOf(w.txtDomain);
    w.txtDomain->setFocus();
    QTest::keyClick(w.txtDomain, Qt::Key_End);
    QTest::keyClicks(w.txtDomain, QStringLiteral(".au"));
    QCOMPARE(w.txtThanksURL->text(), QStringLiteral("http://example.com/thanks.html"));

    // A menu opening over the field is not leaving it.
    QFocusEvent popup(QEvent::FocusOut, Qt::PopupFocusReason);
    QApplication::sendEvent(w.txtDomain, &popup);
    QCOMPARE(w.txtSalesLetterURL->text(), QStringLiteral("http://example.com/salescopy.html"));

    QTest::mouseClick(w.txtARAddress, Qt::LeftButton);
    QVERIFY(w.txtARAddress->hasFocus());
    QCOMPARE(w.txtThanksURL->text(), QStringLiteral("http://example.com.au/thanks.html"));
    QCOMPARE(w.txtSalesLetterURL->text(), QStringLiteral("http://example.com.au/salescopy.html"));
}

void TestFields::addressPropagation()
{
    wndMain& w = window();
    QLineEdit* fields[] = {w.txtChoiceAR1, w.txtChoiceAR2, w.txtChoiceAR3, w.txtChoiceAR4,
                           w.txtChoiceAR5};
    const QString before[] = {QString(), QStringLiteral("   "), QStringLiteral("kept@shop.org"),
                              QString(), QStringLiteral("\t")};
    for (int n = 0; n < 5; ++n)
        fields[n]->setText(before[n]);
    QVERIFY(!w.GroupBox3->isEnabled()); // filled whichever mode is selected
    app().isDirty = false;

    showPageOf(w.txtARAddress);
    w.txtARAddress->setFocus();
    QTest::keyClick(w.txtARAddress, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(w.txtARAddress, QStringLiteral("  list@mine.net "));
    QCOMPARE(w.txtChoiceAR1->text(), QString()); // typing alone carries nothing
    QTest::mouseClick(w.txtProductName, Qt::LeftButton);

    const QString after[] = {QStringLiteral("list@mine.net"), QStringLiteral("list@mine.net"),
                             QStringLiteral("kept@shop.org"), QStringLiteral("list@mine.net"),
                             QStringLiteral("list@mine.net")};
    for (int n = 0; n < 5; ++n)
        QCOMPARE(fields[n]->text(), after[n]);
    QCOMPARE(w.txtARAddress->text(), QStringLiteral("  list@mine.net "));
    QVERIFY(app().isDirty);
}

void TestFields::modeAndThanksEnabling()
{
    wndMain& w = window();
    showPageOf(w.RadioButton1);
    QVERIFY(w.GroupBox2->isEnabled());
    QVERIFY(!w.GroupBox3->isEnabled());

    QTest::mouseClick(w.RadioButton2, Qt::LeftButton, {}, w.RadioButton2->rect().center());
    QVERIFY(w.RadioButton2->isChecked());
    QVERIFY(!w.RadioButton1->isChecked());
    QVERIFY(!w.GroupBox2->isEnabled());
    QVERIFY(w.GroupBox3->isEnabled());
    QVERIFY(app().isDirty);
    // The controls inside keep their contents.
    QCOMPARE(w.txtSalesLetterURL->text(), QStringLiteral("http://example.com/salescopy.html"));

    QTest::mouseClick(w.RadioButton1, Qt::LeftButton, {}, w.RadioButton1->rect().center());
    QVERIFY(w.GroupBox2->isEnabled());
    QVERIFY(!w.GroupBox3->isEnabled());

    app().isDirty = false;
    QTest::mouseClick(w.chkThanks, Qt::LeftButton, {}, w.chkThanks->rect().center());
    QVERIFY(w.chkThanks->isChecked());
    QVERIFY(w.lblThanks->isEnabled());
    QVERIFY(w.txtThanksURL->isEnabled());
    QVERIFY(app().isDirty);
    w.chkThanks->setFocus();
    QTest::keyClick(w.chkThanks, Qt::Key_Space);
    QVERIFY(!w.chkThanks->isChecked());
    QVERIFY(!w.lblThanks->isEnabled());
    QVERIFY(!w.txtThanksURL->isEnabled());
}

void TestFields::enablingFollowsResetAndLoad()
{
    wndMain& w = window();
    showPageOf(w.RadioButton2);
    QTest::mouseClick(w.chkThanks, Qt::LeftButton, {}, w.chkThanks->rect().center());
    QTest::mouseClick(w.RadioButton2, Qt::LeftButton, {}, w.RadioButton2->rect().center());
    QVERIFY(w.GroupBox3->isEnabled());

    // Loading a project in the other mode shows its group; the check box is not the project's.
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("mode.tdo"));
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write("<prefs><radiobutton><name>RadioButton1</name><value>true</value></radiobutton>"
              "<radiobutton><name>RadioButton2</name><value>false</value></radiobutton></prefs>");
    out.close();
    m_desktop->answerYes();
    m_desktop->answerOpenFile(file);
    app().OpenConfig();
    QVERIFY(w.RadioButton1->isChecked());
    QVERIFY(w.GroupBox2->isEnabled());
    QVERIFY(!w.GroupBox3->isEnabled());
    QVERIFY(w.chkThanks->isChecked());
    QVERIFY(w.txtThanksURL->isEnabled());

    // And back through the choices mode and a reset.
    QTest::mouseClick(w.RadioButton2, Qt::LeftButton, {}, w.RadioButton2->rect().center());
    QVERIFY(w.GroupBox3->isEnabled());
    m_desktop->answerYes();
    app().NewConfig();
    QVERIFY(w.RadioButton1->isChecked());
    QVERIFY(w.GroupBox2->isEnabled());
    QVERIFY(!w.GroupBox3->isEnabled());
    QVERIFY(w.lblThanks->isEnabled());
}

void TestFields::addingAndDeletingBullets()
{
    wndMain& w = window();
    showPageOf(w.lstBullets);

    // "-" with nothing selected does nothing.
    QTest::mouseClick(w.cmdDelete, Qt::LeftButton);
    QCOMPARE(w.lstBullets->count(), 0);
    QVERIFY(!app().isDirty);

    // "+" adds an empty row at the end and opens it for typing.
    QTest::mouseClick(w.cmdAdd, Qt::LeftButton);
    QCOMPARE(w.lstBullets->count(), 1);
    QVERIFY(app().isDirty);
    QLineEdit* editor = bulletEditor();
    QVERIFY(editor);
    QTest::keyClicks(editor, QStringLiteral("Free shipping"));
    QTest::keyClick(editor, Qt::Key_Return);
    // The editor hands its text over once the event loop runs.
    QTRY_COMPARE(w.lstBullets->item(0)->text(), QStringLiteral("Free shipping"));

    QTest::mouseClick(w.cmdAdd, Qt::LeftButton);
    QTest::mouseClick(w.cmdAdd, Qt::LeftButton); // the first empty row's editor closes
    QCOMPARE(w.lstBullets->count(), 3);
    QCOMPARE(w.lstBullets->item(1)->text(), QString());
    QVERIFY(bulletEditor());
    QTest::keyClicks(bulletEditor(), QStringLiteral("Third"));
    w.txtBody->setFocus(); // leaving the cell ends the editing too
    QCOMPARE(w.lstBullets->item(2)->text(), QStringLiteral("Third"));

    // "-" removes the selected row and marks the change.
    const QRect first = w.lstBullets->visualItemRect(w.lstBullets->item(0));
    QTest::mouseClick(w.lstBullets->viewport(), Qt::LeftButton, {}, first.center());
    app().isDirty = false;
    QTest::mouseClick(w.cmdDelete, Qt::LeftButton);
    QCOMPARE(w.lstBullets->count(), 2);
    QCOMPARE(w.lstBullets->item(0)->text(), QString());
    QCOMPARE(w.lstBullets->item(1)->text(), QStringLiteral("Third"));
    QVERIFY(app().isDirty);
}

void TestFields::editingABullet()
{
    wndMain& w = window();
    showPageOf(w.lstBullets);
    // Rows as a loaded project leaves them.
    w.lstBullets->addItems({QStringLiteral("Loaded one"), QStringLiteral("Loaded two")});
    QCOMPARE(bulletEditor(), nullptr);

    const QRect second = w.lstBullets->visualItemRect(w.lstBullets->item(1));
    QTest::mouseClick(w.lstBullets->viewport(), Qt::LeftButton, {}, second.center());
    app().isDirty = false;
    QTest::mouseDClick(w.lstBullets->viewport(), Qt::LeftButton, {}, second.center());
    QVERIFY(bulletEditor());
    QVERIFY(!app().isDirty); // opening the editor is no change

    // Escape leaves the row as it was, and the project unchanged.
    QTest::keyClick(bulletEditor(), Qt::Key_Escape);
    QTRY_COMPARE(bulletEditor(), nullptr);
    QCOMPARE(w.lstBullets->item(1)->text(), QStringLiteral("Loaded two"));
    QVERIFY(!app().isDirty);

    QTest::mouseDClick(w.lstBullets->viewport(), Qt::LeftButton, {}, second.center());
    QLineEdit* editor = bulletEditor();
    QVERIFY(editor);
    QCOMPARE(editor->text(), QStringLiteral("Loaded two"));
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("Edited"));
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(w.lstBullets->item(1)->text(), QStringLiteral("Edited"));
    QCOMPARE(w.lstBullets->item(0)->text(), QStringLiteral("Loaded one"));
    QVERIFY(app().isDirty);

    // Without a selected row a double-click edits nothing.
    w.lstBullets->clearSelection();
    w.lstBullets_DoubleClick();
    QCOMPARE(bulletEditor(), nullptr);
}

TANDEO_TEST_MAIN(TestFields)
#include "tst_fields.moc"
