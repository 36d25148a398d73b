// The main window's controls, their places and initial states, page navigation, and a
// picture of each wizard page for people to look at.

#include "apptest.h"
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
#include <QTimer>

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void init() { m_started = std::make_unique<StartedApp>(); }
    void cleanup() { m_started.reset(); }

    void controlsOfTheLayout_data();
    void controlsOfTheLayout();
    void windowItself();
    void navigation();
    void pagePictures();

private:
    wndMain& window() { return m_started->window(); }
    std::unique_ptr<StartedApp> m_started;
};

void TestMainWindow::controlsOfTheLayout_data()
{
    QTest::addColumn<QString>("kind"); // the Qt class the control is made of
    QTest::addColumn<QRect>("place");  // window coordinates
    QTest::addColumn<QString>("text"); // its caption or text, "*" for not checked here
    QTest::addColumn<int>("page");     // -1 outside the page panel
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("visible"); // on its own (hidden at creation or not)

    const QString any = QStringLiteral("*");
    auto row = [](const char* name, const char* kind, QRect place, const QString& text, int page,
                  bool enabled = true, bool visible = true) {
        QTest::newRow(name) << QString::fromLatin1(kind) << place << text << page << enabled << visible;
    };
    // Outside the panel
    row("pnlMain", "QStackedWidget", {20, 14, 672, 410}, any, -1);
    row("cmdPrev", "QPushButton", {520, 432, 80, 20}, "<< Prev", -1, false);
    row("cmdNext", "QPushButton", {612, 432, 80, 20}, "Next >>", -1);
    row("lblHeadlines", "QLabel", {15, 451, 91, 16}, "Click for more info:", -1, true, false);
    // The link fits itself to its placeholder caption when it opens.
    QFont link(QStringLiteral("Arial"));
    link.setPixelSize(11);
    link.setUnderline(true);
    const QFontMetrics linkMetrics(link);
    const QString hyphens(98, QLatin1Char('-'));
    row("URLButton1", "URLButton",
        {31, 466, linkMetrics.horizontalAdvance(hyphens) + 4, linkMetrics.height()}, hyphens, -1,
        true, false);
    // Page 0
    row("Rectangle1", "QFrame", {92, 31, 528, 370}, any, 0);
    row("Canvas1", "QLabel", {180, 48, 353, 265}, any, 0);
    row("StaticText2", "QLabel", {198, 316, 316, 45}, any, 0);
    // Page 1
    row("StaticText1", "QLabel", {31, 21, 53, 20}, "Step 1:", 1);
    row("StaticText39", "QLabel", {95, 26, 527, 18}, "Fill in the following for your new Tandeo page.", 1);
    row("StaticText37", "QLabel", {41, 70, 118, 20}, "Product Name:", 1);
    row("txtProductName", "QLineEdit", {163, 70, 215, 22}, "New Blue Widgets", 1);
    row("StaticText38", "QLabel", {163, 96, 500, 31}, any, 1);
    row("StaticText3", "QLabel", {41, 141, 118, 20}, "Default Salutation:", 1);
    row("txtSalutation", "QLineEdit", {163, 139, 215, 22}, "Fellow Entrepreneur", 1);
    row("StaticText26", "QLabel", {163, 165, 500, 49}, any, 1);
    row("StaticText4", "QLabel", {41, 236, 118, 20}, "Domain Name:", 1);
    row("txtDomain", "QLineEdit", {163, 236, 215, 22}, "example.com", 1);
    row("StaticText27", "QLabel", {163, 262, 500, 31},
        "The main domain of your site. Don't include the http:// header, just the domain name, "
        "such as example.com or www.example.com.", 1);
    row("StaticText5", "QLabel", {41, 314, 118, 20}, "AR Email Address:", 1);
    row("txtARAddress", "QLineEdit", {163, 314, 215, 22}, "subscribe@example.com", 1);
    row("StaticText28", "QLabel", {163, 340, 500, 64}, any, 1);
    // Page 2
    row("StaticText29", "QLabel", {31, 21, 53, 20}, "Step 2:", 2);
    row("StaticText30", "QLabel", {94, 26, 527, 42}, any, 2);
    row("RadioButton1", "QRadioButton", {31, 92, 20, 20}, "", 2);
    row("GroupBox2", "QGroupBox", {50, 83, 613, 75}, "", 2);
    row("StaticText9", "QLabel", {62, 92, 100, 20}, "Sales Letter URL:", 2);
    row("txtSalesLetterURL", "QLineEdit", {165, 92, 396, 22}, "http://example.com/salescopy.html", 2);
    row("chkThanks", "QCheckBox", {68, 121, 20, 20}, "", 2);
    row("lblThanks", "QLabel", {81, 121, 81, 20}, "Thanks URL:", 2, false);
    row("txtThanksURL", "QLineEdit", {165, 121, 396, 22}, "http://example.com/thanks.html", 2, false);
    row("StaticText43", "QLabel", {96, 149, 527, 20}, QString(121, QLatin1Char('_')), 2);
    row("RadioButton2", "QRadioButton", {31, 170, 20, 20}, "", 2);
    row("GroupBox3", "QGroupBox", {50, 170, 613, 235}, "", 2, false);
    row("StaticText46", "QLabel", {56, 215, 64, 20}, "Wording:", 2);
    row("txtChoiceWording", "QLineEdit", {126, 215, 273, 22}, "I am most interested in:", 2);
    row("StaticText21", "QLabel", {432, 215, 64, 20}, "Display:", 2);
    row("popChoiceFormat", "QComboBox", {508, 215, 124, 20}, "Drop-down List", 2);
    row("StaticText41", "QLabel", {118, 260, 87, 19}, "Display Text", 2);
    row("StaticText45", "QLabel", {319, 260, 101, 19}, "Page URL", 2);
    row("StaticText20", "QLabel", {508, 260, 109, 19}, "AR Email Address", 2);
    const int tops[] = {276, 301, 326, 350, 375};
    for (int n = 1; n <= 5; ++n) {
        const int top = tops[n - 1];
        row(qPrintable(QStringLiteral("txtDisplay%1").arg(n)), "QLineEdit", {56, top, 214, 20}, "", 2);
        row(qPrintable(QStringLiteral("txtChoice%1").arg(n)), "QLineEdit", {282, top, 176, 20}, "", 2);
        row(qPrintable(QStringLiteral("txtChoiceAR%1").arg(n)), "QLineEdit", {470, top, 184, 20}, "", 2);
    }
    // Page 3
    row("StaticText32", "QLabel", {31, 21, 53, 20}, "Step 3:", 3);
    row("StaticText34", "QLabel", {96, 26, 523, 35}, any, 3);
    row("StaticText14", "QLabel", {65, 71, 56, 20}, "Headline:", 3);
    row("txtHeadline", "QPlainTextEdit", {133, 71, 307, 70}, "", 3);
    row("StaticText40", "QLabel", {468, 71, 99, 20}, "HTML Template:", 3);
    row("popTemplate", "QComboBox", {475, 93, 179, 20}, any, 3);
    row("lblUserTemplate", "QLabel", {475, 114, 179, 20}, "", 3);
    row("StaticText17", "QLabel", {475, 145, 38, 20}, "Audio:", 3);
    row("popAudio", "QComboBox", {475, 164, 179, 18}, "No audio", 3);
    row("StaticText15", "QLabel", {72, 146, 49, 20}, "Body:", 3);
    row("txtBody", "QPlainTextEdit", {133, 146, 307, 70}, "", 3);
    row("StaticText48", "QLabel", {72, 221, 49, 20}, "Bullets:", 3);
    row("lstBullets", "QListWidget", {133, 221, 307, 70}, any, 3);
    row("cmdAdd", "QPushButton", {440, 221, 24, 22}, "+", 3);
    row("cmdDelete", "QPushButton", {440, 242, 24, 22}, "-", 3);
    row("StaticText12", "QLabel", {24, 296, 97, 20}, "Opt-In Message:", 3);
    row("txtOptin", "QPlainTextEdit", {133, 296, 307, 48}, "Join the email list to get your free information.", 3);
    row("StaticText13", "QLabel", {472, 298, 91, 20}, "Submit Button:", 3);
    row("txtSubmit", "QLineEdit", {475, 320, 169, 22}, "Send me the info now!", 3);
    row("StaticText16", "QLabel", {51, 350, 70, 20}, "Testimonial:", 3);
    row("txtTestimonial", "QPlainTextEdit", {133, 350, 307, 53}, "", 3);
    // Page 4
    row("StaticText35", "QLabel", {31, 21, 53, 20}, "Step 4:", 4);
    row("StaticText36", "QLabel", {96, 26, 523, 53}, any, 4);
    row("PushButton2", "QPushButton", {381, 67, 117, 20}, "Generate Code", 4);
    row("lblPath", "QLabel", {85, 94, 546, 14}, "", 4);
    row("GroupBox1", "QGroupBox", {60, 115, 594, 290}, "", 4, true, false);
    row("PushButton1", "QPushButton", {79, 129, 143, 20}, "Preview Opt-In Page", 4);
    row("StaticText44", "QLabel", {250, 122, 392, 34},
        "The opt-in page will not work until you upload it to your server.\nThis is a *view* only.", 4);
    row("txtNotes", "QPlainTextEdit", {71, 167, 572, 192}, "", 4);
    row("cmdInsertCode", "QPushButton", {79, 371, 143, 20}, "Insert Code...", 4);
    row("StaticText19", "QLabel", {234, 368, 392, 34}, any, 4);
}

void TestMainWindow::controlsOfTheLayout()
{
    QFETCH(QString, kind);
    QFETCH(QRect, place);
    QFETCH(QString, text);
    QFETCH(int, page);
    QFETCH(bool, enabled);
    QFETCH(bool, visible);

    const QString name = QString::fromLatin1(QTest::currentDataTag());
    QWidget* control = window().control(name);
    QVERIFY2(control, qPrintable(name));
    QCOMPARE(control->objectName(), name);
    QVERIFY(control->inherits(qPrintable(kind)));

    const QWidget* content = window().centralWidget();
    QCOMPARE(QRect(control->mapTo(content, QPoint(0, 0)), control->size()), place);

    if (page >= 0) {
        QWidget* pageWidget = window().pnlMain->widget(page);
        QVERIFY(pageWidget->isAncestorOf(control));
    } else {
        QCOMPARE(control->parentWidget(), content);
    }

    QString shown;
    if (auto* l = qobject_cast<QLabel*>(control))
        shown = l->text();
    else if (auto* e = qobject_cast<QLineEdit*>(control))
        shown = e->text();
    else if (auto* t = qobject_cast<QPlainTextEdit*>(control))
        shown = t->toPlainText();
    else if (auto* b = qobject_cast<QAbstractButton*>(control))
        shown = b->text();
    else if (auto* c = qobject_cast<QComboBox*>(control))
        shown = c->currentText();
    if (text != QLatin1String("*"))
        QCOMPARE(shown, text);

    QCOMPARE(control->isEnabledTo(control->parentWidget()), enabled);
    QCOMPARE(!control->isHidden(), visible);
}

void TestMainWindow::windowItself()
{
    QCOMPARE(window().windowTitle(), QStringLiteral("Tandeo"));
    QCOMPARE(window().centralWidget()->size(), QSize(712, 487));
    QCOMPARE(window().centralWidget()->palette().color(QPalette::Window), QColor(Qt::white));
    QCOMPARE(window().pnlMain->count(), 5);
    QCOMPARE(window().pnlMain->currentIndex(), 0);
    QVERIFY(window().RadioButton1->isChecked());
    QVERIFY(!window().RadioButton2->isChecked());
    QVERIFY(!window().chkThanks->isChecked());
    QVERIFY(window().PushButton2->isDefault());
    QVERIFY(!window().RSSTimer->isActive());
    QCOMPARE(window().RSSTimer->interval(), 5000);
    QCOMPARE(window().popAudio->count(), 3);
    QCOMPARE(window().popAudio->itemText(2), QStringLiteral("Audio - autostart"));
    QCOMPARE(window().popChoiceFormat->itemText(1), QStringLiteral("Radio-button List"));
    QVERIFY(!window().Canvas1->pixmap().isNull());
    QCOMPARE(window().StaticText2->text().count(QLatin1Char('\n')), 2);
    QCOMPARE(window().txtDomain->toolTip(),
             QStringLiteral("Do not include http:// or www -- this is just the domain name itself of "
                            "the web server where this code will reside."));
    QCOMPARE(window().chkThanks->toolTip(),
             QStringLiteral("Check this only if you want to specify a different \"thanks for signing "
                            "up\" page than the sales letter."));
}

void TestMainWindow::navigation()
{
    wndMain& w = window();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    for (int page = 1; page <= 4; ++page) {
        QVERIFY(w.cmdNext->isEnabled());
        QTest::mouseClick(w.cmdNext, Qt::LeftButton);
        QCOMPARE(w.pnlMain->currentIndex(), page);
        QVERIFY(w.cmdPrev->isEnabled());
    }
    QVERIFY(!w.cmdNext->isEnabled());
    QCOMPARE(w.StaticText35->text(), QStringLiteral("Step 4:"));

    QTest::mouseClick(w.cmdPrev, Qt::LeftButton);
    QCOMPARE(w.pnlMain->currentIndex(), 3);
    QVERIFY(w.cmdNext->isEnabled());
    for (int page = 2; page >= 0; --page)
        QTest::mouseClick(w.cmdPrev, Qt::LeftButton);
    QCOMPARE(w.pnlMain->currentIndex(), 0);
    QVERIFY(!w.cmdPrev->isEnabled());
    QVERIFY(w.cmdNext->isEnabled());
    // Moving between pages never touches a setting.
    QVERIFY(!m_started->app.isDirty);
}

void TestMainWindow::pagePictures()
{
    wndMain& w = window();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QString folder = testOutputFolder();
    for (int page = 0; page < w.pnlMain->count(); ++page) {
        w.pnlMain->setCurrentIndex(page);
        const QImage picture = w.grab().toImage();
        QVERIFY(!picture.isNull());
        const QString file = QStringLiteral("%1/page%2.png").arg(folder).arg(page);
        QVERIFY(picture.save(file));
    }
    // Page 4 once more with its results group shown, as after a generation.
    w.GroupBox1->show();
    QVERIFY(w.grab().toImage().save(folder + QStringLiteral("/page4-generated.png")));
}

TANDEO_TEST_MAIN(TestMainWindow)
#include "tst_wndmain.moc"
