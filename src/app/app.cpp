#include "app/app.h"

#include "app/menubar.h"
#include "generator/catalogue.h"
#include "platform/desktop.h"
#include "platform/paths.h"
#include "project/pagesettings.h"
#include "tandeo_version.h"
#include "ui/wndabout.h"
#include "ui/wndmain.h"

#include <QComboBox>
#include <QDir>
#include <QFontDatabase>
#include <QSignalBlocker>

#include <stdexcept>

const QString App::kOutOfBoundsMessage =
    QStringLiteral("An OutOfBounds Exception error has occurred!");

// The picture resources are linked in from the static library.
static void initResources()
{
    Q_INIT_RESOURCE(resources);
}

App::App(int& argc, char** argv)
    : QApplication(argc, argv)
{
    initResources();
    setApplicationName(QStringLiteral("Tandeo"));
    setApplicationVersion(QString::fromLatin1(tandeo::kVersionString));
    // Quitting is the application's decision (it asks first), not a side effect of the last
    // window closing.
    setQuitOnLastWindowClosed(false);
    installFonts();
}

App::~App()
{
    delete m_about.data();
    delete m_main.data();
    delete m_menuBar.data();
}

App* App::instance()
{
    return qobject_cast<App*>(QCoreApplication::instance());
}

wndMain* App::mainWindow() const
{
    return m_main;
}

MenuBar1* App::menuBar() const
{
    return m_menuBar;
}

void App::installFonts()
{
    // The layout is made for Arial, Courier New and Tahoma; metric-compatible free fonts
    // stand in where those are missing.
    const QString wineFonts = QStringLiteral("/usr/share/wine/fonts");
    for (const QString& file : {QStringLiteral("tahoma.ttf"), QStringLiteral("tahomabd.ttf")})
        if (QFile::exists(QDir(wineFonts).filePath(file)))
            QFontDatabase::addApplicationFont(QDir(wineFonts).filePath(file));
    const QStringList families = QFontDatabase::families();
    auto substitute = [&](const QString& family, const QStringList& candidates) {
        if (families.contains(family))
            return;
        for (const QString& candidate : candidates)
            if (families.contains(candidate)) {
                QFont::insertSubstitution(family, candidate);
                return;
            }
    };
    substitute(QStringLiteral("Arial"), {QStringLiteral("Liberation Sans")});
    substitute(QStringLiteral("Courier New"), {QStringLiteral("Liberation Mono")});
    substitute(QStringLiteral("Tahoma"), {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
}

void App::startUp()
{
    m_menuBar = new MenuBar1;
    bindMenuCommands();

    m_main = new wndMain;
    m_main->setMenuBar(m_menuBar);
    connect(m_main, &wndMain::SettingChanged, this, [this] { isDirty = true; });
    connect(m_main, &wndMain::CloseRequested, this, &App::requestQuit);
    m_main->show();
}

void App::Open()
{
    m_main->setWindowTitle(QStringLiteral("Tandeo"));
    LoadQuickNotes();
    theVersion = QStringLiteral("%1.%2.%3")
                     .arg(tandeo::kVersionMajor)
                     .arg(tandeo::kVersionMinor)
                     .arg(tandeo::kVersionPatch);
    isDirty = false;
}

void App::bindMenuCommands()
{
    connect(m_menuBar->FileNew, &QAction::triggered, this, &App::NewConfig);
    connect(m_menuBar->FileOpen, &QAction::triggered, this, &App::OpenConfig);
    connect(m_menuBar->FileSave, &QAction::triggered, this, &App::SaveConfig);
    connect(m_menuBar->FileSaveAs, &QAction::triggered, this, &App::SaveConfigAs);
    connect(m_menuBar->FileQuit, &QAction::triggered, this, &App::requestQuit);
    connect(m_menuBar->HelpOnlineManual, &QAction::triggered, this, &App::HelpOnlineManual_Action);
    connect(m_menuBar->HelpCheckforUpdates, &QAction::triggered, this,
            &App::HelpCheckforUpdates_Action);
    connect(m_menuBar->HelpTestimonials, &QAction::triggered, this, &App::HelpTestimonials_Action);
    connect(m_menuBar->HelpAboutTandeo, &QAction::triggered, this, &App::HelpAboutTandeo_Action);
}

void App::requestQuit()
{
    if (m_quitting || CancelClose())
        return;
    Close();
}

bool App::CancelClose()
{
    return !DiscardChanges();
}

void App::Close()
{
    m_quitting = true;
    if (m_about)
        m_about->close();
    if (m_main)
        m_main->closeWithoutAsking();
    quit();
}

void App::shutDownForTest()
{
    delete m_about.data();
    if (m_main)
        m_main->closeWithoutAsking();
    delete m_main.data();
    delete m_menuBar.data();
    isDirty = false;
    SavedConfig.clear();
    theVersion.clear();
    m_quitting = false;
}

void App::ResetAllFields()
{
    for (const project::PageSetting& setting : project::pageSettings())
        m_main->resetSetting(setting);
}

bool App::DiscardChanges()
{
    if (!isDirty)
        return true;
    return platform::desktop().askYesNo(
        QStringLiteral("You have unsaved changes.\nDo you want to discard them?"),
        platform::Icon::Caution, false);
}

void App::LoadQuickNotes()
{
    QComboBox* menu = m_main->popTemplate;
    const generator::Catalogue catalogue = generator::readCatalogue(
        QDir(platform::resourceFolder()).filePath(QStringLiteral("templates.xml")));
    {
        // Filling the menu is not a choice; the selection below is.
        const QSignalBlocker quiet(menu);
        switch (catalogue.status) {
        case generator::Catalogue::Status::Ok:
            for (const generator::CatalogueRow& row : catalogue.rows)
                menu->addItem(row.text, row.tag);
            menu->addItem(generator::kBrowseRow, QString());
            break;
        case generator::Catalogue::Status::Missing:
        case generator::Catalogue::Status::Unusable:
            menu->clear();
            menu->addItem(generator::kNoTemplatesRow, QString());
            break;
        }
        menu->setCurrentIndex(-1);
    }
    // An unusable catalogue leaves nothing selected; otherwise selecting the first row runs
    // the menu's change handler, as a user's choice would.
    if (catalogue.status != generator::Catalogue::Status::Unusable)
        menu->setCurrentIndex(0);
}

bool App::notify(QObject* receiver, QEvent* event)
{
    bool outOfRange = false;
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::out_of_range&) {
        outOfRange = true;
    } catch (...) {
        // Every other failure ends its handler silently; the program runs on.
    }
    if (outOfRange)
        platform::desktop().showMessage(kOutOfBoundsMessage, platform::Icon::Stop);
    return true;
}
