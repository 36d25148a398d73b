#pragma once

// A desktop for the benchmarks: file and folder dialogs answer from a script, messages are
// recorded. A dialog nobody scripted ends the benchmark at once rather than waiting for a user.

#include "platform/desktop.h"

#include <QQueue>
#include <QStringList>

#include <cstdio>
#include <cstdlib>

namespace bench {

class ScriptedDesktop final : public platform::Desktop {
public:
    ScriptedDesktop() { platform::setDesktop(this); }
    ~ScriptedDesktop() override { platform::setDesktop(nullptr); }
    ScriptedDesktop(const ScriptedDesktop&) = delete;
    ScriptedDesktop& operator=(const ScriptedDesktop&) = delete;

    void answerYes() { questions.enqueue(true); }
    void answerOpenFile(const QString& path) { openFiles.enqueue(path); }
    void answerSaveFile(const QString& path) { saveFiles.enqueue(path); }
    void answerFolder(const QString& path) { folders.enqueue(path); }

    QStringList messages;

    void showMessage(const QString& text, platform::Icon) override { messages << text; }
    bool askYesNo(const QString& text, platform::Icon, bool) override
    {
        if (questions.isEmpty())
            unscripted("question", text);
        return questions.dequeue();
    }
    QString openFile(const platform::FileDialogRequest&) override
    {
        return next(openFiles, "open dialog");
    }
    QString saveFile(const platform::FileDialogRequest&) override
    {
        return next(saveFiles, "save dialog");
    }
    QString chooseFolder(const platform::FileDialogRequest&) override
    {
        return next(folders, "folder dialog");
    }
    void beep() override {}
    void openUrl(const QString&) override {}

private:
    [[noreturn]] static void unscripted(const char* what, const QString& text = QString())
    {
        std::fprintf(stderr, "unscripted %s %s\n", what, qPrintable(text));
        std::exit(2);
    }
    static QString next(QQueue<QString>& queue, const char* what)
    {
        if (queue.isEmpty())
            unscripted(what);
        return queue.dequeue();
    }

    QQueue<bool> questions;
    QQueue<QString> openFiles;
    QQueue<QString> saveFiles;
    QQueue<QString> folders;
};

// Ends the benchmark with a message when what it measured did not do its work.
inline void require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "benchmark check failed: %s\n", what);
        std::exit(2);
    }
}

} // namespace bench
