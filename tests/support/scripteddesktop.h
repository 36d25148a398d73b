#pragma once

#include "platform/desktop.h"

#include <QList>
#include <QQueue>
#include <QString>

// A desktop whose dialogs answer from a script. While it lives it replaces the real one.
// Messages need no answer and are only recorded; a question or file dialog without a
// scripted answer fails the running test at once and answers as a cancel would.
class ScriptedDesktop final : public platform::Desktop {
public:
    enum class Kind { Message, Question, OpenFile, SaveFile, Folder };

    struct Shown {
        Kind kind;
        QString text; // message or question text
        platform::Icon icon = platform::Icon::None;
        bool yesIsDefault = false;
        platform::FileDialogRequest request;
    };

    ScriptedDesktop();
    ~ScriptedDesktop() override;
    ScriptedDesktop(const ScriptedDesktop&) = delete;
    ScriptedDesktop& operator=(const ScriptedDesktop&) = delete;

    // The next answers, in the order the program will ask.
    void answerYes() { m_questions.enqueue(true); }
    void answerNo() { m_questions.enqueue(false); }
    // An empty path answers as Cancel.
    void answerOpenFile(const QString& path) { m_openFiles.enqueue(path); }
    void answerSaveFile(const QString& path) { m_saveFiles.enqueue(path); }
    void answerFolder(const QString& path) { m_folders.enqueue(path); }

    // What was shown, in order.
    QList<Shown> shown;
    QStringList openedUrls;
    int beeps = 0;

    QStringList messages() const;
    QStringList questions() const;
    // True when every scripted answer was used.
    bool allAnswersUsed() const;
    void clear();

    void showMessage(const QString& text, platform::Icon icon) override;
    bool askYesNo(const QString& text, platform::Icon icon, bool yesIsDefault) override;
    QString openFile(const platform::FileDialogRequest& request) override;
    QString saveFile(const platform::FileDialogRequest& request) override;
    QString chooseFolder(const platform::FileDialogRequest& request) override;
    void beep() override { ++beeps; }
    void openUrl(const QString& url) override { openedUrls << url; }

private:
    QString nextPath(QQueue<QString>& queue, Kind kind, const platform::FileDialogRequest& request,
                     const char* what);

    QQueue<bool> m_questions;
    QQueue<QString> m_openFiles;
    QQueue<QString> m_saveFiles;
    QQueue<QString> m_folders;
};
