// The project commands of the File menu: New, Open, Save and Save As.

#include "app/app.h"

#include "platform/desktop.h"
#include "project/pagesettings.h"
#include "project/xmlprefs.h"
#include "ui/wndmain.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>

namespace {

const QString kTitle = QStringLiteral("Tandeo");
const QString kProposedName = QStringLiteral("untitled.tdo");

QString filedTitle(const QString& file)
{
    return kTitle + QStringLiteral(" - ") + QFileInfo(file).fileName();
}

void capture(XMLPrefs& prefs, QWidget* control)
{
    if (auto* line = qobject_cast<QLineEdit*>(control))
        prefs.addItem(line);
    else if (auto* text = qobject_cast<QPlainTextEdit*>(control))
        prefs.addItem(text);
    else if (auto* radio = qobject_cast<QRadioButton*>(control))
        prefs.addItem(radio);
    else if (auto* popup = qobject_cast<QComboBox*>(control))
        prefs.addItem(popup);
    else if (auto* list = qobject_cast<QListWidget*>(control))
        prefs.addItem(list);
}

void apply(const XMLPrefs& prefs, QWidget* control)
{
    if (auto* line = qobject_cast<QLineEdit*>(control))
        prefs.setItem(line);
    else if (auto* text = qobject_cast<QPlainTextEdit*>(control))
        prefs.setItem(text);
    else if (auto* radio = qobject_cast<QRadioButton*>(control))
        prefs.setItem(radio);
    else if (auto* popup = qobject_cast<QComboBox*>(control))
        prefs.setItem(popup);
    else if (auto* list = qobject_cast<QListWidget*>(control))
        prefs.setItem(list);
}

// Reads a project file whole and checks that every setting in it can be applied, so that a
// bad file is refused before anything of the open project changes.
XMLPrefs::Items readProjectFile(const QString& file)
{
    XMLPrefs::Items items = XMLPrefs::readPrefsFile(file);
    for (const project::PageSetting* setting : project::registrationOrder()) {
        if (setting->kind != project::SettingKind::Choice)
            continue;
        const auto found = items.find(QString::fromLatin1(setting->name));
        if (found != items.end() && !XMLPrefs::fitsRadioButton(found->second))
            throw PrefsFileError(file, QStringLiteral("the setting \"%1\" has no value")
                                           .arg(QLatin1StringView(setting->name)));
    }
    return items;
}

void reportUnreadable(const PrefsFileError& error)
{
    platform::desktop().showMessage(QStringLiteral("Could not open the project file \"%1\".\n"
                                                   "Reason: %2")
                                        .arg(QDir::toNativeSeparators(error.file), error.reason),
                                    platform::Icon::Stop);
}

void reportUnwritable(const PrefsFileError& error)
{
    platform::desktop().showMessage(QStringLiteral("Could not save the project file \"%1\".\n"
                                                   "Reason: %2\nThe project has not been saved.")
                                        .arg(QDir::toNativeSeparators(error.file), error.reason),
                                    platform::Icon::Stop);
}

} // namespace

void App::AddConfigItems()
{
    for (const project::PageSetting* setting : project::registrationOrder())
        capture(m_main->XMLPrefs1, m_main->control(QLatin1StringView(setting->name)));
}

void App::NewConfig()
{
    if (!DiscardChanges())
        return;
    ResetAllFields();
    m_main->GroupBox1->hide();
    m_main->setWindowTitle(kTitle);
    SavedConfig.clear();
    isDirty = false;
}

void App::OpenConfig()
{
    if (!DiscardChanges())
        return;
    const QString file = platform::desktop().openFile(platform::FileDialogRequest{});
    if (file.isEmpty())
        return;

    XMLPrefs::Items items;
    try {
        items = readProjectFile(file);
    } catch (const PrefsFileError& error) {
        reportUnreadable(error);
        return;
    }

    ResetAllFields();
    XMLPrefs& prefs = m_main->XMLPrefs1;
    prefs.mergeItems(items);
    for (const project::PageSetting* setting : project::registrationOrder())
        apply(prefs, m_main->control(QLatin1StringView(setting->name)));

    m_main->setWindowTitle(filedTitle(file));
    isDirty = false;
    SavedConfig = file;
}

void App::SaveConfig()
{
    if (SavedConfig.isEmpty()) {
        SaveConfigAs();
        return;
    }
    AddConfigItems();
    try {
        m_main->XMLPrefs1.savePrefs(SavedConfig);
    } catch (const PrefsFileError& error) {
        reportUnwritable(error);
        return;
    }
    m_main->setWindowTitle(filedTitle(SavedConfig));
    isDirty = false;
}

void App::SaveConfigAs()
{
    platform::FileDialogRequest request;
    request.proposedName = kProposedName;
    const QString previous = SavedConfig;
    SavedConfig = platform::desktop().saveFile(request);
    if (SavedConfig.isEmpty())
        return;
    AddConfigItems();
    try {
        m_main->XMLPrefs1.savePrefs(SavedConfig);
    } catch (const PrefsFileError& error) {
        // Nothing was written, so the project stays filed where it was.
        SavedConfig = previous;
        reportUnwritable(error);
        return;
    }
    m_main->setWindowTitle(filedTitle(SavedConfig));
    isDirty = false;
}
