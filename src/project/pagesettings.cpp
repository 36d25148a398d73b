#include "project/pagesettings.h"

#include <QList>

#include <algorithm>
#include <array>

namespace project {

namespace {

using enum SettingKind;

// The one table of page settings. Rows stand in reset order; the last column is the capture
// order of project files. Defaults built from the example domain are filled in by
// defaultText().
constexpr std::array kSettings{
    // reset step 1
    PageSetting{"txtSalutation", Text, "Fellow Entrepreneur", 0, 1, 1},
    PageSetting{"txtDomain", Text, nullptr, 0, 1, 2},
    PageSetting{"txtARAddress", Text, nullptr, 0, 1, 3},
    PageSetting{"txtThanksURL", Text, nullptr, 0, 2, 4},
    PageSetting{"txtSalesLetterURL", Text, nullptr, 0, 2, 5},
    // step 2
    PageSetting{"RadioButton1", Choice, nullptr, 1, 2, 6},
    PageSetting{"RadioButton2", Choice, nullptr, 0, 2, 7},
    // step 3
    PageSetting{"txtOptin", Text, "Join the email list to get your free information.", 0, 3, 8},
    PageSetting{"txtSubmit", Text, "Send me the info now!", 0, 3, 9},
    PageSetting{"txtHeadline", Text, "", 0, 3, 10},
    // step 4
    PageSetting{"popAudio", Index, nullptr, 0, 3, 11},
    PageSetting{"popTemplate", Index, nullptr, 0, 3, 15},
    // step 5
    PageSetting{"txtBody", Text, "", 0, 3, 12},
    PageSetting{"txtTestimonial", Text, "", 0, 3, 13},
    PageSetting{"txtProductName", Text, "New Blue Widgets", 0, 1, 14},
    PageSetting{"txtNotes", Text, "", 0, 4, 16},
    // step 6: the choice grid, row by row
    PageSetting{"txtDisplay1", Text, "", 0, 2, 17},
    PageSetting{"txtChoice1", Text, "", 0, 2, 18},
    PageSetting{"txtChoiceAR1", Text, "", 0, 2, 29},
    PageSetting{"txtDisplay2", Text, "", 0, 2, 19},
    PageSetting{"txtChoice2", Text, "", 0, 2, 20},
    PageSetting{"txtChoiceAR2", Text, "", 0, 2, 30},
    PageSetting{"txtDisplay3", Text, "", 0, 2, 21},
    PageSetting{"txtChoice3", Text, "", 0, 2, 22},
    PageSetting{"txtChoiceAR3", Text, "", 0, 2, 31},
    PageSetting{"txtDisplay4", Text, "", 0, 2, 23},
    PageSetting{"txtChoice4", Text, "", 0, 2, 24},
    PageSetting{"txtChoiceAR4", Text, "", 0, 2, 32},
    PageSetting{"txtDisplay5", Text, "", 0, 2, 25},
    PageSetting{"txtChoice5", Text, "", 0, 2, 26},
    PageSetting{"txtChoiceAR5", Text, "", 0, 2, 33},
    // step 7
    PageSetting{"txtChoiceWording", Text, "I am most interested in:", 0, 2, 28},
    PageSetting{"popChoiceFormat", Index, nullptr, 0, 2, 27},
    // step 8
    PageSetting{"lstBullets", Rows, nullptr, 0, 3, 34},
    // window state that is neither reset nor saved
    PageSetting{"chkThanks", Check, nullptr, 0, 2, 0},
};

} // namespace

std::span<const PageSetting> pageSettings()
{
    return kSettings;
}

const QList<const PageSetting*>& registrationOrder()
{
    static const QList<const PageSetting*> order = [] {
        QList<const PageSetting*> saved;
        for (const PageSetting& setting : kSettings)
            if (setting.registration > 0)
                saved << &setting;
        std::sort(saved.begin(), saved.end(), [](const PageSetting* a, const PageSetting* b) {
            return a->registration < b->registration;
        });
        return saved;
    }();
    return order;
}

const PageSetting* findSetting(const QString& name)
{
    for (const PageSetting& setting : kSettings)
        if (name == QLatin1StringView(setting.name))
            return &setting;
    return nullptr;
}

QString defaultText(const PageSetting& setting)
{
    const QLatin1StringView name(setting.name);
    if (name == QLatin1StringView("txtDomain"))
        return kExampleDomain;
    if (name == QLatin1StringView("txtARAddress"))
        return kExampleAddress;
    if (name == QLatin1StringView("txtThanksURL"))
        return QStringLiteral("http://%1/thanks.html").arg(kExampleDomain);
    if (name == QLatin1StringView("txtSalesLetterURL"))
        return QStringLiteral("http://%1/salescopy.html").arg(kExampleDomain);
    return QString::fromUtf8(setting.textDefault ? setting.textDefault : "");
}

} // namespace project
