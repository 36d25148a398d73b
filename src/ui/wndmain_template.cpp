#include "ui/wndmain.h"

#include "generator/catalogue.h"
#include "platform/desktop.h"

#include <QComboBox>
#include <QFileInfo>

void wndMain::popTemplate_Change(int row)
{
    if (row >= 0 &&
        popTemplate->itemText(row).compare(generator::kBrowseRow, Qt::CaseInsensitive) == 0) {
        platform::FileDialogRequest request;
        request.filters = {
            {QStringLiteral("Web/HTML Files"),
             {QStringLiteral(".htm"), QStringLiteral(".html"), QStringLiteral(".php")}}};
        const QString path = platform::desktop().openFile(request);
        if (path.isEmpty()) {
            // The row keeps the file picked on an earlier occasion, if any.
            lblUserTemplate->clear();
        } else {
            const QFileInfo picked(path);
            popTemplate->setItemData(row, picked.absoluteFilePath() +
                                              QStringLiteral("|User-chosen template|ffffff|n/a"));
            lblUserTemplate->setText(QStringLiteral("Template: ") + picked.fileName());
        }
    }
    emit SettingChanged();
}
