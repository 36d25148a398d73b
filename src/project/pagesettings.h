#pragma once

#include <QLatin1StringView>
#include <QString>

#include <span>

namespace project {

// The placeholder domain and address the wizard starts with. The two URL defaults hold the
// domain, and the domain propagation looks for it there.
inline constexpr QLatin1StringView kExampleDomain{"example.com"};
inline constexpr QLatin1StringView kExampleAddress{"subscribe@example.com"};

// What kind of control holds a setting, and so how it is stored in a project file.
enum class SettingKind {
    Text,   // edit field: its whole text              ("editfield")
    Choice, // radio button: selected or not            ("radiobutton")
    Check,  // check box: ticked or not (never saved)
    Index,  // popup menu: the selected row, -1 for none ("popupmenu")
    Rows,   // list box: its rows and the selected row  ("listbox")
};

// One page setting: the control that holds it, its default and where it lives.
struct PageSetting {
    const char* name;        // the control's name, and the item name in project files
    SettingKind kind;
    const char* textDefault; // Text: the default text (nullptr: see defaultText())
    int numberDefault;       // Index: the default row; Choice/Check: 1 selected, 0 not
    int page;                // wizard page, 1 to 4
    int registration;        // position in a project file's capture order, 0 = not saved
};

// All page settings, in the order the reset to defaults goes through them.
std::span<const PageSetting> pageSettings();

// The saved settings in the order they are captured into a project file and applied from it.
const QList<const PageSetting*>& registrationOrder();

// The setting of that control name, or nullptr.
const PageSetting* findSetting(const QString& name);

// The default text of a Text setting (some defaults are built from the example domain).
QString defaultText(const PageSetting& setting);

} // namespace project
