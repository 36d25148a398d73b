#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class URLButton;

// The small window of the About command: the product and its version, a credit text, a link
// to the product's web site and OK. The application keeps one instance and only hides and
// shows it.
class wndAbout : public QDialog {
    Q_OBJECT

public:
    // The caption shows the version given here, once: it is not rebuilt at later showings.
    wndAbout(const QString& version, const QString& siteAddress, QWidget* parent = nullptr);

    static constexpr int kContentWidth = 380;
    static constexpr int kContentHeight = 176;

    QLabel* StaticText1 = nullptr;
    QLabel* StaticText7 = nullptr;
    URLButton* URLButton1 = nullptr;
    QPushButton* BevelButton1 = nullptr;

    // Shows the window and brings it to the front.
    void showInFront();

public slots:
    void BevelButton1_Action();
};
