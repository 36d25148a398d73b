#include "scripteddesktop.h"

#include <QTest>

ScriptedDesktop::ScriptedDesktop()
{
    platform::setDesktop(this);
}

ScriptedDesktop::~ScriptedDesktop()
{
    platform::setDesktop(nullptr);
}

QStringList ScriptedDesktop::messages() const
{
    QStringList texts;
    for (const Shown& item : shown)
        if (item.kind == Kind::Message)
            texts << item.text;
    return texts;
}

QStringList ScriptedDesktop::questions() const
{
    QStringList texts;
    for (const Shown& item : shown)
        if (item.kind == Kind::Question)
            texts << item.text;
    return texts;
}

bool ScriptedDesktop::allAnswersUsed() const
{
    return m_questions.isEmpty() && m_openFiles.isEmpty() && m_saveFiles.isEmpty()
        && m_folders.isEmpty();
}

void ScriptedDesktop::clear()
{
    shown.clear();
    openedUrls.clear();
    beeps = 0;
    m_questions.clear();
    m_openFiles.clear();
    m_saveFiles.clear();
    m_folders.clear();
}

void ScriptedDesktop::showMessage(const QString& text, platform::Icon icon)
{
    shown.append({Kind::Message, text, icon, false, {}});
}

bool ScriptedDesktop::askYesNo(const QString& text, platform::Icon icon, bool yesIsDefault)
{
    shown.append({Kind::Question, text, icon, yesIsDefault, {}});
    if (m_questions.isEmpty()) {
        QTest::qFail(qPrintable(QStringLiteral("unscripted question: %1").arg(text)), __FILE__,
                     __LINE__);
        return false;
    }
    return m_questions.dequeue();
}

QString ScriptedDesktop::nextPath(QQueue<QString>& queue, Kind kind,
                                  const platform::FileDialogRequest& request, const char* what)
{
    shown.append({kind, request.title, platform::Icon::None, false, request});
    if (queue.isEmpty()) {
        QTest::qFail(qPrintable(QStringLiteral("unscripted %1 dialog").arg(QLatin1String(what))),
                     __FILE__, __LINE__);
        return QString();
    }
    return queue.dequeue();
}

QString ScriptedDesktop::openFile(const platform::FileDialogRequest& request)
{
    return nextPath(m_openFiles, Kind::OpenFile, request, "open-file");
}

QString ScriptedDesktop::saveFile(const platform::FileDialogRequest& request)
{
    return nextPath(m_saveFiles, Kind::SaveFile, request, "save-file");
}

QString ScriptedDesktop::chooseFolder(const platform::FileDialogRequest& request)
{
    return nextPath(m_folders, Kind::Folder, request, "folder");
}
