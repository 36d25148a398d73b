#include "app/menubar.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextDocument>

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
    // The commands belong to the application: their shortcuts work in every window of it.
    a->setShortcutContext(Qt::ApplicationShortcut);
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

    for (QAction* editing : {EditUndo, EditCut, EditCopy, EditPaste, EditClear, EditSelectAll})
        connect(editing, &QAction::triggered, this, [this, editing] { editFocusedField(editing); });
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { followFocus(now); });
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
            &MenuBar1::updateEditItems);
    connect(EditMenu, &QMenu::aboutToShow, this, &MenuBar1::updateEditItems);
    updateEditItems();
}

void MenuBar1::followFocus(QWidget* now)
{
    for (const QMetaObject::Connection& c : std::as_const(m_fieldWatch))
        disconnect(c);
    m_fieldWatch.clear();
    m_field = nullptr;

    auto update = [this] { updateEditItems(); };
    if (auto* line = qobject_cast<QLineEdit*>(now)) {
        m_field = line;
        m_fieldWatch << connect(line, &QLineEdit::textChanged, this, update)
                     << connect(line, &QLineEdit::selectionChanged, this, update);
    } else if (auto* text = qobject_cast<QPlainTextEdit*>(now)) {
        m_field = text;
        m_fieldWatch << connect(text, &QPlainTextEdit::textChanged, this, update)
                     << connect(text, &QPlainTextEdit::selectionChanged, this, update)
                     << connect(text, &QPlainTextEdit::undoAvailable, this, update);
    }
    updateEditItems();
}

void MenuBar1::updateEditItems()
{
    // The same rules as the fields' own context menus.
    bool undo = false, cut = false, copy = false, paste = false, selectAll = false;
    const bool clipboardHasText = !QGuiApplication::clipboard()->text().isEmpty();
    if (auto* line = qobject_cast<QLineEdit*>(m_field.data())) {
        const bool shown = line->echoMode() == QLineEdit::Normal;
        undo = line->isUndoAvailable() && !line->isReadOnly();
        cut = line->hasSelectedText() && shown && !line->isReadOnly();
        copy = line->hasSelectedText() && shown;
        paste = clipboardHasText && !line->isReadOnly();
        selectAll = !line->text().isEmpty() && line->selectedText() != line->text();
    } else if (auto* text = qobject_cast<QPlainTextEdit*>(m_field.data())) {
        const bool selection = text->textCursor().hasSelection();
        undo = text->document()->isUndoAvailable() && !text->isReadOnly();
        cut = selection && !text->isReadOnly();
        copy = selection;
        paste = text->canPaste();
        selectAll = !text->document()->isEmpty();
    }
    EditUndo->setEnabled(undo);
    EditCut->setEnabled(cut);
    EditCopy->setEnabled(copy);
    EditPaste->setEnabled(paste);
    EditSelectAll->setEnabled(selectAll);
}

void MenuBar1::editFocusedField(QAction* item)
{
    if (auto* line = qobject_cast<QLineEdit*>(m_field.data())) {
        if (item == EditUndo)
            line->undo();
        else if (item == EditCut)
            line->cut();
        else if (item == EditCopy)
            line->copy();
        else if (item == EditPaste)
            line->paste();
        else if (item == EditSelectAll)
            line->selectAll();
        else if (item == EditClear && line->hasSelectedText() && !line->isReadOnly())
            line->del(); // with a selection, deletes just the selection
    } else if (auto* text = qobject_cast<QPlainTextEdit*>(m_field.data())) {
        if (item == EditUndo)
            text->undo();
        else if (item == EditCut)
            text->cut();
        else if (item == EditCopy)
            text->copy();
        else if (item == EditPaste)
            text->paste();
        else if (item == EditSelectAll)
            text->selectAll();
        else if (item == EditClear && !text->isReadOnly())
            text->textCursor().removeSelectedText();
    }
    updateEditItems();
}
