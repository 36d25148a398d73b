#pragma once

#include <QApplication>
#include <QPointer>
#include <QString>

class MenuBar1;
class wndAbout;
class wndMain;

// The application object: exists once for the whole run, holds the project's shared state,
// carries the project commands and catches what escapes any handler.
class App : public QApplication {
    Q_OBJECT

public:
    App(int& argc, char** argv);
    ~App() override;

    // The running application object.
    static App* instance();

    // Application state
    bool isDirty = false;
    QString SavedConfig; // the project file Save writes; empty for none
    QString theVersion;  // major.minor.patch, built when the application opens

    // Start-up up to the event loop: the menu bar, its commands and the main window.
    void startUp();
    // The application's open event: title, template menu, version, no unsaved changes.
    void Open();

    wndMain* mainWindow() const;
    MenuBar1* menuBar() const;

    // Quitting: the platform's quit command. Asks about unsaved changes; on Yes the windows
    // close and the event loop ends.
    void requestQuit();
    // True cancels the quit.
    bool CancelClose();
    void Close();

    // Page settings
    void ResetAllFields();

    // The question about unsaved changes: true when the command may go on and drop them.
    bool DiscardChanges();

    // Project files: File > New, Open..., Save and Save As...
    void NewConfig();
    void OpenConfig();
    void SaveConfig();
    void SaveConfigAs();
    // Captures every saved page setting into the window's store, in the registration order.
    void AddConfigItems();

    // Fills the template menu from the catalogue.
    void LoadQuickNotes();

    // Closes and deletes the windows and resets the application state, so that a test can
    // start the program again in the same process.
    void shutDownForTest();

    // The product web site; the Help menu's pages lie under it.
    static const QString kSiteRoot;
    // The about window: one instance, made on first use with the running version.
    wndAbout* aboutWindow();

    // Help menu
    void HelpOnlineManual_Action();
    void HelpCheckforUpdates_Action();
    void HelpTestimonials_Action();
    void HelpAboutTandeo_Action();

    // The application-wide error handler.
    bool notify(QObject* receiver, QEvent* event) override;

    // The fixed message for out-of-range errors.
    static const QString kOutOfBoundsMessage;

private:
    void bindMenuCommands();
    void installFonts();

    QPointer<MenuBar1> m_menuBar; // owned by the main window once attached
    QPointer<wndMain> m_main;
    QPointer<wndAbout> m_about;
    bool m_quitting = false;
};
