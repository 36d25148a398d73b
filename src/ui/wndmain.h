#pragma once

#include "news/kivrss.h"
#include "project/xmlprefs.h"

#include <QLabel>
#include <QMainWindow>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTimer;
class URLButton;

namespace generator {
struct PageValues;
}

namespace project {
struct PageSetting;
}

// The wizard window. Its named controls hold the page settings of the open project; every
// control is a member named like the control, with the same objectName.
class wndMain : public QMainWindow {
    Q_OBJECT

public:
    explicit wndMain(QWidget* parent = nullptr);
    ~wndMain() override;

    // The content area below the menu bar.
    static constexpr int kContentWidth = 712;
    static constexpr int kContentHeight = 487;

    // The control holding a page setting, by the setting's name.
    QWidget* control(const QString& name) const;
    // Gives one setting its default through its control, so its change handlers run.
    void resetSetting(const project::PageSetting& setting);

    // Window properties used by generation and the ticker.
    QString dest;             // the output folder of the last generation, empty for none
    qint32 CurrItem = 0;      // the headline the next tick shows
    QStringList Deal;         // headline texts
    QStringList DealLink;     // headline links, parallel to Deal
    std::optional<KivRSSFeed> CurrFeed; // the feed being shown; none until one with entries

    // Outside the page panel
    QStackedWidget* pnlMain = nullptr;
    QPushButton* cmdPrev = nullptr;
    QPushButton* cmdNext = nullptr;
    QLabel* lblHeadlines = nullptr;
    URLButton* URLButton1 = nullptr;
    QTimer* RSSTimer = nullptr;
    KivRSSSocket* KivRSSSocket1 = nullptr;

    // The deals feed the window downloads when it opens. Tests point it at their own server
    // before the window is made; an empty address downloads nothing.
    static const QString kDealsFeedUrl;
    static QString dealsFeedUrl();
    static void setDealsFeedUrl(const QString& url);
    // The store project files are written and read through.
    XMLPrefs XMLPrefs1;

    // Page 0
    QFrame* Rectangle1 = nullptr;
    QLabel* Canvas1 = nullptr;
    QLabel* StaticText2 = nullptr;

    // Page 1
    QLabel* StaticText1 = nullptr;
    QLabel* StaticText39 = nullptr;
    QLabel* StaticText37 = nullptr;
    QLineEdit* txtProductName = nullptr;
    QLabel* StaticText38 = nullptr;
    QLabel* StaticText3 = nullptr;
    QLineEdit* txtSalutation = nullptr;
    QLabel* StaticText26 = nullptr;
    QLabel* StaticText4 = nullptr;
    QLineEdit* txtDomain = nullptr;
    QLabel* StaticText27 = nullptr;
    QLabel* StaticText5 = nullptr;
    QLineEdit* txtARAddress = nullptr;
    QLabel* StaticText28 = nullptr;

    // Page 2
    QLabel* StaticText29 = nullptr;
    QLabel* StaticText30 = nullptr;
    QRadioButton* RadioButton1 = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QLabel* StaticText9 = nullptr;
    QLineEdit* txtSalesLetterURL = nullptr;
    QCheckBox* chkThanks = nullptr;
    QLabel* lblThanks = nullptr;
    QLineEdit* txtThanksURL = nullptr;
    QLabel* StaticText43 = nullptr;
    QRadioButton* RadioButton2 = nullptr;
    QGroupBox* GroupBox3 = nullptr;
    QLabel* StaticText46 = nullptr;
    QLineEdit* txtChoiceWording = nullptr;
    QLabel* StaticText21 = nullptr;
    QComboBox* popChoiceFormat = nullptr;
    QLabel* StaticText41 = nullptr;
    QLabel* StaticText45 = nullptr;
    QLabel* StaticText20 = nullptr;
    QLineEdit* txtDisplay1 = nullptr;
    QLineEdit* txtDisplay2 = nullptr;
    QLineEdit* txtDisplay3 = nullptr;
    QLineEdit* txtDisplay4 = nullptr;
    QLineEdit* txtDisplay5 = nullptr;
    QLineEdit* txtChoice1 = nullptr;
    QLineEdit* txtChoice2 = nullptr;
    QLineEdit* txtChoice3 = nullptr;
    QLineEdit* txtChoice4 = nullptr;
    QLineEdit* txtChoice5 = nullptr;
    QLineEdit* txtChoiceAR1 = nullptr;
    QLineEdit* txtChoiceAR2 = nullptr;
    QLineEdit* txtChoiceAR3 = nullptr;
    QLineEdit* txtChoiceAR4 = nullptr;
    QLineEdit* txtChoiceAR5 = nullptr;

    // Page 3
    QLabel* StaticText32 = nullptr;
    QLabel* StaticText34 = nullptr;
    QLabel* StaticText14 = nullptr;
    QPlainTextEdit* txtHeadline = nullptr;
    QLabel* StaticText40 = nullptr;
    QComboBox* popTemplate = nullptr;
    QLabel* lblUserTemplate = nullptr;
    QLabel* StaticText17 = nullptr;
    QComboBox* popAudio = nullptr;
    QLabel* StaticText15 = nullptr;
    QPlainTextEdit* txtBody = nullptr;
    QLabel* StaticText48 = nullptr;
    QListWidget* lstBullets = nullptr;
    QPushButton* cmdAdd = nullptr;
    QPushButton* cmdDelete = nullptr;
    QLabel* StaticText12 = nullptr;
    QPlainTextEdit* txtOptin = nullptr;
    QLabel* StaticText13 = nullptr;
    QLineEdit* txtSubmit = nullptr;
    QLabel* StaticText16 = nullptr;
    QPlainTextEdit* txtTestimonial = nullptr;

    // Page 4
    QLabel* StaticText35 = nullptr;
    QLabel* StaticText36 = nullptr;
    QPushButton* PushButton2 = nullptr;
    QLabel* lblPath = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QPushButton* PushButton1 = nullptr;
    QLabel* StaticText44 = nullptr;
    QPlainTextEdit* txtNotes = nullptr;
    QPushButton* cmdInsertCode = nullptr;
    QLabel* StaticText19 = nullptr;

signals:
    // A page setting changed through its control: the owner marks the project changed.
    void SettingChanged();
    // The user closed the window with its close box: the owner decides whether to quit.
    void CloseRequested();

public slots:
    // Navigation
    void cmdNext_Action();
    void cmdPrev_Action();
    void pnlMain_Change(int page);
    // The template menu's selection changed (the user's choice or the program's).
    void popTemplate_Change(int row);
    // The deals ticker
    void KivRSSSocket1_RSSFeedReceived(const KivRSSFeed& feed);
    void KivRSSSocket1_ErrorInRSSFeed(const QString& text);
    void KivRSSSocket1_ReceivedNonXMLPage(const QString& text);
    void RSSTimer_Action();
    // Reads the local deals file of the resource folder, at most once per download.
    void LoadAltDeals();

    // Generation and the commands on its result
    void PushButton2_Action();
    void PushButton1_Action();
    void cmdInsertCode_Action();

    // Field behaviour
    void txtDomain_LostFocus();
    void txtARAddress_LostFocus();
    void RadioButton1_Action();
    void RadioButton2_Action();
    void chkThanks_Action();
    void cmdAdd_Action();
    void cmdDelete_Action();
    void lstBullets_DoubleClick();

public:
    // The subscriber's choice list from the choice fields, for the opt-in page.
    QString DropDownChoices() const;
    QString RadioButtonChoices() const;
    QString FormatDropDownText(const QString& text) const;
    QString FormatRadioText(const QString& text) const;

    // File operations on the output folder.
    void CopyFileorFolder(const QString& source, const QString& destinationFolder) const;
    void DeleteFilesFromFolder(const QString& folder) const;
    QString LoadText(const QString& path) const;
    void WriteText(const QString& path, const QString& text) const;

    // The page settings a generation reads, from the controls as they stand.
    generator::PageValues pageValues() const;

    // Closes the window for good, asking nothing: the quit has been decided.
    void closeWithoutAsking();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildWindow();
    void buildPage0(QWidget* page);
    void buildPage1(QWidget* page);
    void buildPage2(QWidget* page);
    void buildPage3(QWidget* page);
    void buildPage4(QWidget* page);
    void connectHandlers();
    void buildTicker();
    void connectTicker();
    // The ticker's part of the window's opening: starts the deals feed download.
    void startDeals();
    void connectFieldHandlers();
    // The window's open handler.
    void Opening();

    // The display texts of the five choices, as typed.
    std::array<QString, 5> displayTexts() const;

    bool m_closing = false; // set by the application once the quit goes ahead
    bool m_altDealsRead = false; // the local deals file was read for the current download
};
