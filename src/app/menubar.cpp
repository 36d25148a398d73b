#include "app/menubar.h"

#include <QAction>
#include <QMenu>

namespace {

QMenu* menu(QMenuBar* bar, const char* name, const QString& caption)
{
    QMenu* m = bar->addMenu(caption);
    m->setObjectName(QLatin1StringView(name));
    m->menuAction()->setObjectName(QLatin1StringView(name));
    return m;
}

QAction* item(QMenu* menu, const char* name, const QString& caption,
              const QKeySequence& shortcut = {})
{
    QAction* a = menu->addAction(caption);
    a->setObjectName(QLatin1StringView(name));
    a->setShortcut(shortcut);
    return a;
}

QAction* separator(QMenu* menu, const char* name)
{
    QAction* a = menu->addSeparator();
    a->setObjectName(QLatin1StringView(name));
    return a;
}

} // namespace

MenuBar1::MenuBar1(QWidget* parent)
    : QMenuBar(parent)
{
    setObjectName(QStringLiteral("MenuBar1"));
    // Linux desktops have no application menu; keep the items in the window.
    setNativeMenuBar(false);

    FileMenu = menu(this, "FileMenu", QStringLiteral("&File"));
    FileNew = item(FileMenu, "FileNew", QStringLiteral("New"), QKeySequence(Qt::CTRL | Qt::Key_N));
    FileOpen = item(FileMenu, "FileOpen", QStringLiteral("Open..."), QKeySequence(Qt::CTRL | Qt::Key_O));
    FileSave = item(FileMenu, "FileSave", QStringLiteral("Save"), QKeySequence(Qt::CTRL | Qt::Key_S));
    FileSaveAs = item(FileMenu, "FileSaveAs", QStringLiteral("Save As..."));
    UntitledMenu2 = separator(FileMenu, "UntitledMenu2");
    FileQuit = item(FileMenu, "FileQuit", QStringLiteral("Quit"), QKeySequence(Qt::CTRL | Qt::Key_Q));
    FileQuit->setMenuRole(QAction::QuitRole);

    EditMenu = menu(this, "EditMenu", QStringLiteral("&Edit"));
    EditUndo = item(EditMenu, "EditUndo", QStringLiteral("Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z));
    UntitledMenu1 = separator(EditMenu, "UntitledMenu1");
    EditCut = item(EditMenu, "EditCut", QStringLiteral("Cut"), QKeySequence(Qt::CTRL | Qt::Key_X));
    EditCopy = item(EditMenu, "EditCopy", QStringLiteral("Copy"), QKeySequence(Qt::CTRL | Qt::Key_C));
    EditPaste = item(EditMenu, "EditPaste", QStringLiteral("Paste"), QKeySequence(Qt::CTRL | Qt::Key_V));
    EditClear = item(EditMenu, "EditClear", QStringLiteral("Clear"));
    EditSelectAll = item(EditMenu, "EditSelectAll", QStringLiteral("Select All"),
                         QKeySequence(Qt::CTRL | Qt::Key_A));
    UntitledMenu0 = separator(EditMenu, "UntitledMenu0");

    HelpMenu = menu(this, "HelpMenu", QStringLiteral("Help"));
    HelpOnlineManual = item(HelpMenu, "HelpOnlineManual", QStringLiteral("Online Manual..."));
    HelpCheckforUpdates = item(HelpMenu, "HelpCheckforUpdates", QStringLiteral("Check for Updates..."));
    UntitledItem = separator(HelpMenu, "UntitledItem");
    HelpTestimonials = item(HelpMenu, "HelpTestimonials", QStringLiteral("Testimonials..."));
    HelpAboutTandeo = item(HelpMenu, "HelpAboutTandeo", QStringLiteral("About Tandeo..."));
    HelpAboutTandeo->setMenuRole(QAction::AboutRole);
}
