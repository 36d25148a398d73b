#include "ui/wndabout.h"

#include "news/urlbutton.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

namespace {

QFont systemFont(int pixels)
{
    QFont f = QApplication::font();
    f.setPixelSize(pixels);
    return f;
}

template <class W> W* place(W* widget, QWidget* parent, const char* name, QRect r)
{
    widget->setParent(parent);
    widget->setObjectName(QLatin1StringView(name));
    widget->setGeometry(r);
    return widget;
}

} // namespace

wndAbout::wndAbout(const QString& version, const QString& siteAddress, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("wndAbout"));
    setWindowTitle(QStringLiteral("About Tandeo"));
    setModal(false);
    setFixedSize(kContentWidth, kContentHeight);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);

    StaticText1 = place(new QLabel, this, "StaticText1", {20, 6, 321, 34});
    QFont title(QStringLiteral("Tahoma"));
    title.setPixelSize(24);
    title.setBold(true);
    title.setItalic(true);
    StaticText1->setFont(title);
    StaticText1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    QPalette darkBlue = StaticText1->palette();
    darkBlue.setColor(QPalette::WindowText, QColor(29, 15, 122));
    StaticText1->setPalette(darkBlue);

    StaticText7 = place(new QLabel(QStringLiteral("Tandeo builds opt-in pages for your "
                                                  "autoresponder.\n"
                                                  "Written and looked after by the Tandeo team.\n"
                                                  "Thank you for building with us!")),
                        this, "StaticText7", {32, 72, 316, 45});
    StaticText7->setFont(systemFont(12));
    StaticText7->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    QPalette black = StaticText7->palette();
    black.setColor(QPalette::WindowText, Qt::black);
    StaticText7->setPalette(black);

    URLButton1 = place(new URLButton(siteAddress), this, "URLButton1", {20, 136, 110, 20});
    QFont link(QStringLiteral("Arial"));
    link.setPixelSize(11);
    link.setUnderline(true);
    URLButton1->setFont(link);
    URLButton1->SetJustification(0);
    URLButton1->UseMyTextStyles = true;
    URLButton1->SetURL(siteAddress, false);
    URLButton1->Opening();

    BevelButton1 =
        place(new QPushButton(QStringLiteral("OK")), this, "BevelButton1", {288, 136, 60, 22});
    BevelButton1->setFont(systemFont(12));
    BevelButton1->setDefault(true);
    connect(BevelButton1, &QPushButton::clicked, this, &wndAbout::BevelButton1_Action);

    // The window's opening.
    StaticText1->setText(QStringLiteral("Tandeo v") + version);
}

void wndAbout::showInFront()
{
    show();
    raise();
    activateWindow();
}

void wndAbout::BevelButton1_Action()
{
    hide();
}
