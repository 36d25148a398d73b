#include "ui/wndmain.h"

#include "news/urlbutton.h"
#include "project/pagesettings.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// Where the page panel sits in the window; controls are laid out in window coordinates.
constexpr QPoint kPanelOrigin{20, 14};

QFont makeFont(const char* family, int pixels, bool bold = false, bool italic = false)
{
    QFont f(QString::fromLatin1(family));
    f.setPixelSize(pixels);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

QFont systemFont(int pixels)
{
    QFont f = QApplication::font();
    f.setPixelSize(pixels);
    return f;
}

// Puts a new control into its parent at a place given in window coordinates; origin is
// the parent's top-left corner in window coordinates.
template <class W>
W* place(W* widget, QWidget* parent, QPoint origin, const char* name, int x, int y, int width,
         int height)
{
    widget->setParent(parent);
    widget->setObjectName(QLatin1StringView(name));
    widget->setGeometry(x - origin.x(), y - origin.y(), width, height);
    return widget;
}

// A bold, right-aligned field label.
QLabel* label(QWidget* parent, QPoint origin, const char* name, QRect r, const QString& text)
{
    auto* l = place(new QLabel(text), parent, origin, name, r.x(), r.y(), r.width(), r.height());
    l->setFont(makeFont("Arial", 12, true));
    l->setAlignment(Qt::AlignRight | Qt::AlignTop);
    return l;
}

// A plain explanatory text that wraps inside its box.
QLabel* explanation(QWidget* parent, QPoint origin, const char* name, QRect r, const QString& text)
{
    auto* l = place(new QLabel(text), parent, origin, name, r.x(), r.y(), r.width(), r.height());
    l->setFont(makeFont("Arial", 12));
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l->setWordWrap(true);
    return l;
}

// "Step n:" in large type.
QLabel* stepTitle(QWidget* parent, QPoint origin, const char* name, const QString& text)
{
    auto* l = place(new QLabel(text), parent, origin, name, 31, 21, 53, 20);
    QFont title = makeFont("Tahoma", 18);
    // The free Tahoma runs a little wider than the box was drawn for; tighten it so the
    // colon stays in sight.
    title.setLetterSpacing(QFont::AbsoluteSpacing, -0.7);
    l->setFont(title);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}

QLineEdit* edit(QWidget* parent, QPoint origin, const char* name, QRect r)
{
    auto* e = place(new QLineEdit, parent, origin, name, r.x(), r.y(), r.width(), r.height());
    e->setFont(makeFont("Arial", 12));
    QPalette p = e->palette();
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::Text, Qt::black);
    e->setPalette(p);
    e->setText(project::defaultText(*project::findSetting(QLatin1StringView(name))));
    return e;
}

QPlainTextEdit* multiLineEdit(QWidget* parent, QPoint origin, const char* name, QRect r)
{
    auto* e = place(new QPlainTextEdit, parent, origin, name, r.x(), r.y(), r.width(), r.height());
    e->setFont(makeFont("Arial", 12));
    QPalette p = e->palette();
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::Text, Qt::black);
    e->setPalette(p);
    e->setPlainText(project::defaultText(*project::findSetting(QLatin1StringView(name))));
    return e;
}

QPushButton* button(QWidget* parent, QPoint origin, const char* name, QRect r, const QString& text)
{
    auto* b = place(new QPushButton(text), parent, origin, name, r.x(), r.y(), r.width(), r.height());
    b->setFont(makeFont("Arial", 12));
    b->setAutoDefault(false);
    return b;
}

QGroupBox* group(QWidget* parent, QPoint origin, const char* name, QRect r)
{
    auto* g = place(new QGroupBox, parent, origin, name, r.x(), r.y(), r.width(), r.height());
    g->setFlat(false);
    return g;
}

QComboBox* popup(QWidget* parent, QPoint origin, const char* name, QRect r, const QStringList& items)
{
    auto* c = place(new QComboBox, parent, origin, name, r.x(), r.y(), r.width(), r.height());
    c->setFont(makeFont("Arial", 12));
    c->addItems(items);
    if (!items.isEmpty())
        c->setCurrentIndex(project::findSetting(QLatin1StringView(name))->numberDefault);
    return c;
}

const QString kExplainSalutation = QStringLiteral(
    "If the user has Javascript turned off (not very likely) you'll want to specify a greeting to "
    "use instead of seeing, \"Dear (blank),\" -- a good default might be Friend or Prospect, or "
    "maybe be more specific for your market -- Dog Trainer or Long Distance Cycler.");

} // namespace

wndMain::wndMain(QWidget* parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("wndMain"));
    buildWindow();
    connectHandlers();
    Opening();
}

wndMain::~wndMain() = default;

void wndMain::buildWindow()
{
    setWindowTitle(QStringLiteral("Tandeo"));

    auto* content = new QWidget(this);
    content->setObjectName(QStringLiteral("content"));
    content->setFixedSize(kContentWidth, kContentHeight);
    content->setAutoFillBackground(true);
    QPalette white = content->palette();
    white.setColor(QPalette::Window, Qt::white);
    content->setPalette(white);
    setCentralWidget(content);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    const QPoint window(0, 0);
    pnlMain = place(new QStackedWidget, content, window, "pnlMain", 20, 14, 672, 410);
    auto newPage = [this](int number) {
        auto* page = new QWidget;
        page->setObjectName(QStringLiteral("page%1").arg(number));
        pnlMain->addWidget(page);
        return page;
    };
    buildPage0(newPage(0));
    buildPage1(newPage(1));
    buildPage2(newPage(2));
    buildPage3(newPage(3));
    buildPage4(newPage(4));
    pnlMain->setCurrentIndex(0);

    cmdPrev = button(content, window, "cmdPrev", {520, 432, 80, 20}, QStringLiteral("<< Prev"));
    cmdPrev->setEnabled(false);
    cmdNext = button(content, window, "cmdNext", {612, 432, 80, 20}, QStringLiteral("Next >>"));

    lblHeadlines = place(new QLabel(QStringLiteral("Click for more info:")), content, window,
                         "lblHeadlines", 15, 451, 91, 16);
    lblHeadlines->setFont(makeFont("Arial", 10, false, true));
    lblHeadlines->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblHeadlines->hide();

    URLButton1 = place(new URLButton(QString(98, QLatin1Char('-'))), content, window, "URLButton1",
                       31, 466, 640, 20);
    QFont link = makeFont("Arial", 11);
    link.setUnderline(true);
    URLButton1->setFont(link);
    QPalette linkColour = URLButton1->palette();
    linkColour.setColor(QPalette::WindowText, QColor(0x0A, 0x04, 0xFF));
    URLButton1->setPalette(linkColour);
    URLButton1->UseMyTextStyles = true;
    URLButton1->hide();
    URLButton1->Opening();

    RSSTimer = new QTimer(this);
    RSSTimer->setObjectName(QStringLiteral("RSSTimer"));
    RSSTimer->setInterval(5000);
    buildTicker();
}

void wndMain::buildPage0(QWidget* page)
{
    const QPoint origin = kPanelOrigin;
    Rectangle1 = place(new QFrame, page, origin, "Rectangle1", 92, 31, 528, 370);
    Rectangle1->setStyleSheet(
        QStringLiteral("QFrame#Rectangle1 { background: white; border: 2px solid black; }"));

    const QPoint inRectangle(92, 31);
    Canvas1 = place(new QLabel, Rectangle1, inRectangle, "Canvas1", 180, 48, 353, 265);
    Canvas1->setPixmap(QPixmap(QStringLiteral(":/logosm.png")));
    Canvas1->setAlignment(Qt::AlignCenter);

    StaticText2 = place(new QLabel(QStringLiteral("Opt-in pages in four steps\n"
                                                  "Made by the Tandeo team\n"
                                                  "Your page, your list, your autoresponder")),
                        Rectangle1, inRectangle, "StaticText2", 198, 316, 316, 45);
    StaticText2->setFont(systemFont(12));
    StaticText2->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
}

void wndMain::buildPage1(QWidget* page)
{
    const QPoint o = kPanelOrigin;
    StaticText1 = stepTitle(page, o, "StaticText1", QStringLiteral("Step 1:"));
    StaticText39 = explanation(page, o, "StaticText39", {95, 26, 527, 18},
                               QStringLiteral("Fill in the following for your new Tandeo page."));
    StaticText37 = label(page, o, "StaticText37", {41, 70, 118, 20}, QStringLiteral("Product Name:"));
    txtProductName = edit(page, o, "txtProductName", {163, 70, 215, 22});
    StaticText38 = explanation(page, o, "StaticText38", {163, 96, 500, 31},
                               QStringLiteral("The name of your product will be included in the "
                                              "Title of your opt-in page."));
    StaticText3 = label(page, o, "StaticText3", {41, 141, 118, 20},
                        QStringLiteral("Default Salutation:"));
    txtSalutation = edit(page, o, "txtSalutation", {163, 139, 215, 22});
    StaticText26 = explanation(page, o, "StaticText26", {163, 165, 500, 49}, kExplainSalutation);
    StaticText4 = label(page, o, "StaticText4", {41, 236, 118, 20}, QStringLiteral("Domain Name:"));
    txtDomain = edit(page, o, "txtDomain", {163, 236, 215, 22});
    txtDomain->setToolTip(QStringLiteral("Do not include http:// or www -- this is just the domain "
                                         "name itself of the web server where this code will "
                                         "reside."));
    StaticText27 = explanation(
        page, o, "StaticText27", {163, 262, 500, 31},
        QStringLiteral("The main domain of your site. Don't include the http:// header, just the "
                       "domain name, such as %1 or www.%1.")
            .arg(project::kExampleDomain));
    StaticText5 = label(page, o, "StaticText5", {41, 314, 118, 20},
                        QStringLiteral("AR Email Address:"));
    StaticText5->setToolTip(QStringLiteral("The email address of your autoresponder."));
    txtARAddress = edit(page, o, "txtARAddress", {163, 314, 215, 22});
    StaticText28 = explanation(
        page, o, "StaticText28", {163, 340, 500, 64},
        QStringLiteral("Most autoresponders allow you to subscribe by sending the account a blank "
                       "email -- put the address in this space. If your autoresponder doesn't "
                       "allow that, you can put your own email address here and then enter the "
                       "prospect's info into your autoresponder manually."));
}

void wndMain::buildPage2(QWidget* page)
{
    const QPoint o = kPanelOrigin;
    StaticText29 = stepTitle(page, o, "StaticText29", QStringLiteral("Step 2:"));
    StaticText30 = explanation(
        page, o, "StaticText30", {94, 26, 527, 42},
        QStringLiteral("You have two options when a prospect subscribes -- send them to a Sales "
                       "Letter or Thank You page, or you can ask them to choose an option (up to "
                       "five choices) and send them to a different page and subscribe them to a "
                       "different autoresponder depending on their choice."));

    RadioButton1 = place(new QRadioButton, page, o, "RadioButton1", 31, 92, 20, 20);
    RadioButton1->setChecked(true);
    GroupBox2 = group(page, o, "GroupBox2", {50, 83, 613, 75});
    const QPoint g2(50, 83);
    StaticText9 = label(GroupBox2, g2, "StaticText9", {62, 92, 100, 20},
                        QStringLiteral("Sales Letter URL:"));
    txtSalesLetterURL = edit(GroupBox2, g2, "txtSalesLetterURL", {165, 92, 396, 22});
    chkThanks = place(new QCheckBox, GroupBox2, g2, "chkThanks", 68, 121, 20, 20);
    chkThanks->setToolTip(QStringLiteral("Check this only if you want to specify a different "
                                         "\"thanks for signing up\" page than the sales letter."));
    lblThanks = label(GroupBox2, g2, "lblThanks", {81, 121, 81, 20}, QStringLiteral("Thanks URL:"));
    lblThanks->setEnabled(false);
    lblThanks->setToolTip(
        QStringLiteral("The URL of the page that should be seen after the opt-in page."));
    txtThanksURL = edit(GroupBox2, g2, "txtThanksURL", {165, 121, 396, 22});
    txtThanksURL->setEnabled(false);

    StaticText43 = place(new QLabel(QString(121, QLatin1Char('_'))), page, o, "StaticText43", 96,
                         149, 527, 20);
    StaticText43->setFont(makeFont("Arial", 12));
    StaticText43->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    RadioButton2 = place(new QRadioButton, page, o, "RadioButton2", 31, 170, 20, 20);
    GroupBox3 = group(page, o, "GroupBox3", {50, 170, 613, 235});
    GroupBox3->setEnabled(false);
    const QPoint g3(50, 170);
    StaticText46 = label(GroupBox3, g3, "StaticText46", {56, 215, 64, 20}, QStringLiteral("Wording:"));
    txtChoiceWording = edit(GroupBox3, g3, "txtChoiceWording", {126, 215, 273, 22});
    StaticText21 = label(GroupBox3, g3, "StaticText21", {432, 215, 64, 20}, QStringLiteral("Display:"));
    popChoiceFormat = popup(GroupBox3, g3, "popChoiceFormat", {508, 215, 124, 20},
                            {QStringLiteral("Drop-down List"), QStringLiteral("Radio-button List")});

    auto heading = [&](const char* name, QRect r, const QString& text) {
        QLabel* l = label(GroupBox3, g3, name, r, text);
        l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        return l;
    };
    StaticText41 = heading("StaticText41", {118, 260, 87, 19}, QStringLiteral("Display Text"));
    StaticText45 = heading("StaticText45", {319, 260, 101, 19}, QStringLiteral("Page URL"));
    StaticText20 = heading("StaticText20", {508, 260, 109, 19}, QStringLiteral("AR Email Address"));

    QLineEdit** display[] = {&txtDisplay1, &txtDisplay2, &txtDisplay3, &txtDisplay4, &txtDisplay5};
    QLineEdit** url[] = {&txtChoice1, &txtChoice2, &txtChoice3, &txtChoice4, &txtChoice5};
    QLineEdit** address[] = {&txtChoiceAR1, &txtChoiceAR2, &txtChoiceAR3, &txtChoiceAR4,
                             &txtChoiceAR5};
    const int rowTops[] = {276, 301, 326, 350, 375};
    for (int n = 0; n < 5; ++n) {
        const QByteArray row = QByteArray::number(n + 1);
        *display[n] = edit(GroupBox3, g3, ("txtDisplay" + row).constData(), {56, rowTops[n], 214, 20});
        *url[n] = edit(GroupBox3, g3, ("txtChoice" + row).constData(), {282, rowTops[n], 176, 20});
        *address[n] = edit(GroupBox3, g3, ("txtChoiceAR" + row).constData(), {470, rowTops[n], 184, 20});
    }
}

void wndMain::buildPage3(QWidget* page)
{
    const QPoint o = kPanelOrigin;
    StaticText32 = stepTitle(page, o, "StaticText32", QStringLiteral("Step 3:"));
    StaticText34 = explanation(
        page, o, "StaticText34", {96, 26, 523, 35},
        QStringLiteral("Here's where you set the wording for your opt-in page. The formatting is set "
                       "to a default that can be changed in the page later, if you like. Most of "
                       "these fields are optional."));
    StaticText14 = label(page, o, "StaticText14", {65, 71, 56, 20}, QStringLiteral("Headline:"));
    txtHeadline = multiLineEdit(page, o, "txtHeadline", {133, 71, 307, 70});
    txtHeadline->setFont(makeFont("Tahoma", 18));
    QPalette red = txtHeadline->palette();
    red.setColor(QPalette::Text, QColor(0xFF, 0x05, 0x12));
    txtHeadline->setPalette(red);

    StaticText40 = label(page, o, "StaticText40", {468, 71, 99, 20}, QStringLiteral("HTML Template:"));
    popTemplate = popup(page, o, "popTemplate", {475, 93, 179, 20}, {});
    lblUserTemplate = place(new QLabel, page, o, "lblUserTemplate", 475, 114, 179, 20);
    lblUserTemplate->setFont(makeFont("Arial", 10));
    lblUserTemplate->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    StaticText17 = label(page, o, "StaticText17", {475, 145, 38, 20}, QStringLiteral("Audio:"));
    popAudio = popup(page, o, "popAudio", {475, 164, 179, 18},
                     {QStringLiteral("No audio"), QStringLiteral("Audio - manual start"),
                      QStringLiteral("Audio - autostart")});

    StaticText15 = label(page, o, "StaticText15", {72, 146, 49, 20}, QStringLiteral("Body:"));
    txtBody = multiLineEdit(page, o, "txtBody", {133, 146, 307, 70});
    StaticText48 = label(page, o, "StaticText48", {72, 221, 49, 20}, QStringLiteral("Bullets:"));
    lstBullets = place(new QListWidget, page, o, "lstBullets", 133, 221, 307, 70);
    lstBullets->setFont(makeFont("Arial", 12));
    cmdAdd = place(new QPushButton(QStringLiteral("+")), page, o, "cmdAdd", 440, 221, 24, 22);
    cmdAdd->setFont(systemFont(12));
    cmdAdd->setToolTip(QStringLiteral("Add a new bullet to the list."));
    cmdAdd->setAutoDefault(false);
    cmdDelete = place(new QPushButton(QStringLiteral("-")), page, o, "cmdDelete", 440, 242, 24, 22);
    cmdDelete->setFont(systemFont(12));
    cmdDelete->setToolTip(QStringLiteral("Delete the selected bullet from the list."));
    cmdDelete->setAutoDefault(false);

    StaticText12 = label(page, o, "StaticText12", {24, 296, 97, 20}, QStringLiteral("Opt-In Message:"));
    txtOptin = multiLineEdit(page, o, "txtOptin", {133, 296, 307, 48});
    StaticText13 = label(page, o, "StaticText13", {472, 298, 91, 20}, QStringLiteral("Submit Button:"));
    txtSubmit = edit(page, o, "txtSubmit", {475, 320, 169, 22});
    StaticText16 = label(page, o, "StaticText16", {51, 350, 70, 20}, QStringLiteral("Testimonial:"));
    txtTestimonial = multiLineEdit(page, o, "txtTestimonial", {133, 350, 307, 53});
}

void wndMain::buildPage4(QWidget* page)
{
    const QPoint o = kPanelOrigin;
    StaticText35 = stepTitle(page, o, "StaticText35", QStringLiteral("Step 4:"));
    StaticText36 = explanation(
        page, o, "StaticText36", {96, 26, 523, 53},
        QStringLiteral("When you Generate the code you will be able to choose a folder for the "
                       "files. After generation you can Preview the opt-in page and view the "
                       "installation notes that will get your new Tandeo page up and running."));
    PushButton2 = button(page, o, "PushButton2", {381, 67, 117, 20}, QStringLiteral("Generate Code"));
    PushButton2->setDefault(true);
    PushButton2->setToolTip(QStringLiteral("Generate the HTML code for your web page."));
    lblPath = place(new QLabel, page, o, "lblPath", 85, 94, 546, 14);
    lblPath->setFont(makeFont("Arial", 11));
    lblPath->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    GroupBox1 = group(page, o, "GroupBox1", {60, 115, 594, 290});
    GroupBox1->hide();
    const QPoint g1(60, 115);
    PushButton1 = button(GroupBox1, g1, "PushButton1", {79, 129, 143, 20},
                         QStringLiteral("Preview Opt-In Page"));
    StaticText44 = explanation(GroupBox1, g1, "StaticText44", {250, 122, 392, 34},
                               QStringLiteral("The opt-in page will not work until you upload it "
                                              "to your server.\nThis is a *view* only."));
    txtNotes = multiLineEdit(GroupBox1, g1, "txtNotes", {71, 167, 572, 192});
    txtNotes->setFont(makeFont("Courier New", 12, true));
    cmdInsertCode = button(GroupBox1, g1, "cmdInsertCode", {79, 371, 143, 20},
                           QStringLiteral("Insert Code..."));
    StaticText19 = explanation(GroupBox1, g1, "StaticText19", {234, 368, 392, 34},
                               QStringLiteral("Choose HTML pages you'd like to personalize. The "
                                              "JavaScript will be inserted and any [fname] tokens "
                                              "found will be replaced."));
}

void wndMain::connectHandlers()
{
    connect(cmdNext, &QPushButton::clicked, this, &wndMain::cmdNext_Action);
    connect(cmdPrev, &QPushButton::clicked, this, &wndMain::cmdPrev_Action);
    connect(pnlMain, &QStackedWidget::currentChanged, this, &wndMain::pnlMain_Change);

    // Change marking: an edit of a page setting, typed or set by the program, marks the
    // project changed.
    for (const project::PageSetting& setting : project::pageSettings()) {
        QWidget* widget = control(QLatin1StringView(setting.name));
        if (auto* line = qobject_cast<QLineEdit*>(widget))
            connect(line, &QLineEdit::textChanged, this, &wndMain::SettingChanged);
        else if (auto* text = qobject_cast<QPlainTextEdit*>(widget); text && text != txtNotes)
            connect(text, &QPlainTextEdit::textChanged, this, &wndMain::SettingChanged);
    }
    connect(popAudio, &QComboBox::currentIndexChanged, this, &wndMain::SettingChanged);
    connect(lstBullets, &QListWidget::currentRowChanged, this, &wndMain::SettingChanged);
    connect(popTemplate, &QComboBox::currentIndexChanged, this, &wndMain::popTemplate_Change);

    connect(PushButton2, &QPushButton::clicked, this, &wndMain::PushButton2_Action);
    connect(PushButton1, &QPushButton::clicked, this, &wndMain::PushButton1_Action);
    connect(cmdInsertCode, &QPushButton::clicked, this, &wndMain::cmdInsertCode_Action);
    connectTicker();
    connectFieldHandlers();
}

void wndMain::Opening()
{
    startDeals();
    // The template menu is still empty at this point, so selecting its first row does
    // nothing.
    if (popTemplate->count() > 0)
        popTemplate->setCurrentIndex(0);
}

QWidget* wndMain::control(const QString& name) const
{
    return findChild<QWidget*>(name);
}

void wndMain::resetSetting(const project::PageSetting& setting)
{
    using project::SettingKind;
    QWidget* widget = control(QLatin1StringView(setting.name));
    switch (setting.kind) {
    case SettingKind::Text:
        if (auto* line = qobject_cast<QLineEdit*>(widget))
            line->setText(project::defaultText(setting));
        else if (auto* text = qobject_cast<QPlainTextEdit*>(widget))
            text->setPlainText(project::defaultText(setting));
        break;
    case SettingKind::Choice:
        if (auto* radio = qobject_cast<QRadioButton*>(widget)) {
            // Radio buttons of one group clear each other; clearing one happens by
            // selecting its partner, which the other row of the table does.
            if (setting.numberDefault)
                radio->setChecked(true);
        }
        break;
    case SettingKind::Index:
        if (auto* combo = qobject_cast<QComboBox*>(widget))
            combo->setCurrentIndex(combo->count() > setting.numberDefault ? setting.numberDefault : -1);
        break;
    case SettingKind::Rows:
        if (auto* list = qobject_cast<QListWidget*>(widget))
            list->clear();
        break;
    case SettingKind::Check:
        break;
    }
}

void wndMain::cmdNext_Action()
{
    pnlMain->setCurrentIndex(pnlMain->currentIndex() + 1);
}

void wndMain::cmdPrev_Action()
{
    pnlMain->setCurrentIndex(pnlMain->currentIndex() - 1);
}

void wndMain::pnlMain_Change(int page)
{
    cmdPrev->setEnabled(page > 0);
    cmdNext->setEnabled(page < pnlMain->count() - 1);
}

void wndMain::closeWithoutAsking()
{
    m_closing = true;
    close();
}

void wndMain::closeEvent(QCloseEvent* event)
{
    if (m_closing) {
        event->accept();
        return;
    }
    // The close box quits the program, so it asks about unsaved changes first. When the
    // quit goes ahead the application marks the window closing, and this close completes.
    emit CloseRequested();
    event->setAccepted(m_closing);
}

void wndMain::keyPressEvent(QKeyEvent* event)
{
    // Return presses "Generate Code", the window's default button, where it can be seen.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && event->modifiers() == Qt::NoModifier && PushButton2->isVisible()
        && PushButton2->isEnabled()) {
        PushButton2->animateClick();
        return;
    }
    QMainWindow::keyPressEvent(event);
}
