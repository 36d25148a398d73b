#include "platform/desktop.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

namespace platform {

namespace {

Desktop* g_replacement = nullptr;

QWidget* dialogParent()
{
    return QApplication::activeWindow();
}

QMessageBox::Icon toQt(Icon icon)
{
    switch (icon) {
    case Icon::None: return QMessageBox::NoIcon;
    case Icon::Note: return QMessageBox::Information;
    case Icon::Caution: return QMessageBox::Warning;
    case Icon::Question: return QMessageBox::Question;
    case Icon::Stop: return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

} // namespace

Desktop& desktop()
{
    static QtDesktop real;
    return g_replacement ? *g_replacement : real;
}

void setDesktop(Desktop* replacement)
{
    g_replacement = replacement;
}

QString qtFilterString(const QList<FileFilter>& filters)
{
    QStringList parts;
    for (const FileFilter& filter : filters) {
        QStringList patterns;
        for (const QString& extension : filter.extensions)
            patterns << QLatin1Char('*') + extension;
        parts << QStringLiteral("%1 (%2)").arg(filter.name, patterns.join(QLatin1Char(' ')));
    }
    return parts.join(QStringLiteral(";;"));
}

void QtDesktop::showMessage(const QString& text, Icon icon)
{
    QMessageBox box(toQt(icon), QString(), text, QMessageBox::Ok, dialogParent());
    box.exec();
}

bool QtDesktop::askYesNo(const QString& text, Icon icon, bool yesIsDefault)
{
    QMessageBox box(toQt(icon), QString(), text, QMessageBox::Yes | QMessageBox::No,
                    dialogParent());
    box.setDefaultButton(yesIsDefault ? QMessageBox::Yes : QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

QString QtDesktop::openFile(const FileDialogRequest& request)
{
    return QFileDialog::getOpenFileName(dialogParent(), request.title, request.initialFolder,
                                        qtFilterString(request.filters));
}

QString QtDesktop::saveFile(const FileDialogRequest& request)
{
    QString start = request.initialFolder;
    if (!request.proposedName.isEmpty())
        start = start.isEmpty() ? request.proposedName : start + QLatin1Char('/') + request.proposedName;
    return QFileDialog::getSaveFileName(dialogParent(), request.title, start,
                                        qtFilterString(request.filters));
}

QString QtDesktop::chooseFolder(const FileDialogRequest& request)
{
    QFileDialog dialog(dialogParent(), request.title, request.initialFolder);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (!request.actionCaption.isEmpty())
        dialog.setLabelText(QFileDialog::Accept, request.actionCaption);
    if (!request.prompt.isEmpty())
        dialog.setLabelText(QFileDialog::LookIn, request.prompt);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

void QtDesktop::beep()
{
    QApplication::beep();
}

void QtDesktop::openUrl(const QString& url)
{
    QDesktopServices::openUrl(QUrl(url, QUrl::TolerantMode));
}

} // namespace platform
