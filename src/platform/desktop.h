#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QWidget;

namespace platform {

// The icon a message box or question shows.
enum class Icon { None, Note, Caution, Question, Stop };

// One named entry of a file dialog's type list, such as "Web/HTML Files" with
// {".htm", ".html", ".php"}.
struct FileFilter {
    QString name;
    QStringList extensions;
};

// What an open, save or folder dialog shows. Empty members leave the platform's default.
struct FileDialogRequest {
    QString title;
    QString prompt;
    QString actionCaption;
    QString initialFolder;
    QString proposedName;
    QList<FileFilter> filters;
};

// Every modal message, question, file dialog, beep and URL opening of the program goes
// through this interface, so that tests can script the answers and see what was shown.
class Desktop {
public:
    virtual ~Desktop() = default;

    // A modal message with an OK button.
    virtual void showMessage(const QString& text, Icon icon = Icon::None) = 0;
    // A modal Yes/No question without title; true for Yes. Any other way of closing is No.
    virtual bool askYesNo(const QString& text, Icon icon, bool yesIsDefault) = 0;
    // The chosen file's absolute path, or an empty string when the user cancelled.
    virtual QString openFile(const FileDialogRequest& request) = 0;
    virtual QString saveFile(const FileDialogRequest& request) = 0;
    virtual QString chooseFolder(const FileDialogRequest& request) = 0;
    // The system alert sound.
    virtual void beep() = 0;
    // Hands a web, mail or file address to the default handler and returns at once.
    virtual void openUrl(const QString& url) = 0;
};

// The desktop in use: the real one unless a test installed another.
Desktop& desktop();
// Installs a replacement (not owned); nullptr goes back to the real desktop.
void setDesktop(Desktop* replacement);

// The real desktop, on Qt's dialogs, QApplication::beep and QDesktopServices.
class QtDesktop final : public Desktop {
public:
    void showMessage(const QString& text, Icon icon) override;
    bool askYesNo(const QString& text, Icon icon, bool yesIsDefault) override;
    QString openFile(const FileDialogRequest& request) override;
    QString saveFile(const FileDialogRequest& request) override;
    QString chooseFolder(const FileDialogRequest& request) override;
    void beep() override;
    void openUrl(const QString& url) override;
};

// "Web/HTML Files (*.htm *.html *.php)" from a filter, as Qt's dialogs want it.
QString qtFilterString(const QList<FileFilter>& filters);

} // namespace platform
