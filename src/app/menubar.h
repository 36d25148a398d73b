#pragma once

#include <QList>
#include <QMenuBar>
#include <QMetaObject>
#include <QPointer>

class QAction;
class QMenu;

// The program's one menu bar. Every item is a member named like the item.
class MenuBar1 : public QMenuBar {
    Q_OBJECT

public:
    explicit MenuBar1(QWidget* parent = nullptr);

    QMenu* FileMenu = nullptr;
    QAction* FileNew = nullptr;
    QAction* FileOpen = nullptr;
    QAction* FileSave = nullptr;
    QAction* FileSaveAs = nullptr;
    QAction* UntitledMenu2 = nullptr;
    QAction* FileQuit = nullptr;

    QMenu* EditMenu = nullptr;
    QAction* EditUndo = nullptr;
    QAction* UntitledMenu1 = nullptr;
    QAction* EditCut = nullptr;
    QAction* EditCopy = nullptr;
    QAction* EditPaste = nullptr;
    QAction* EditClear = nullptr;
    QAction* EditSelectAll = nullptr;
    QAction* UntitledMenu0 = nullptr;

    QMenu* HelpMenu = nullptr;
    QAction* HelpOnlineManual = nullptr;
    QAction* HelpCheckforUpdates = nullptr;
    QAction* UntitledItem = nullptr;
    QAction* HelpTestimonials = nullptr;
    QAction* HelpAboutTandeo = nullptr;

    // Enables Undo, Cut, Copy, Paste and Select All by what the focused field can do now.
    void updateEditItems();

private:
    // The standard text editing, on the focused single- or multi-line field.
    void editFocusedField(QAction* item);
    void followFocus(QWidget* now);

    QPointer<QWidget> m_field; // the focused text field whose state the items follow
    QList<QMetaObject::Connection> m_fieldWatch;
};
