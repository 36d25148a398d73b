// The settings store on arbitrary file contents: a file is either refused with a reason or
// read whole; what was read is written and read back unchanged; and every item read can be
// applied to a control of every kind, with the reading rules' outcome.

#include "fuzzinput.h"
#include "project/xmlprefs.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>

#include <optional>
#include <stdexcept>

using fuzzing::check;
using Role = XMLPrefs::ItemChild::Role;

namespace {

QApplication& application()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "prefs_fuzzer";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}

// The text the last "value" with content gives, if any does.
std::optional<QString> lastValue(const QList<XMLPrefs::ItemChild>& children)
{
    std::optional<QString> value;
    for (const XMLPrefs::ItemChild& child : children)
        if (child.role == Role::Value && child.hasContent)
            value = child.text;
    return value;
}

struct Controls {
    QLineEdit lineEdit;
    QPlainTextEdit textEdit;
    QComboBox popup;
    QListWidget list;
    QRadioButton radio;

    Controls()
    {
        popup.addItems({QStringLiteral("zero"), QStringLiteral("one"), QStringLiteral("two")});
        // A lone radio button that could never be cleared would hide what the item says.
        radio.setAutoExclusive(false);
    }

    void name(const QString& itemName)
    {
        for (QObject* control : {static_cast<QObject*>(&lineEdit), static_cast<QObject*>(&textEdit),
                                 static_cast<QObject*>(&popup), static_cast<QObject*>(&list),
                                 static_cast<QObject*>(&radio)})
            control->setObjectName(itemName);
    }

    void reset()
    {
        lineEdit.setText(QStringLiteral("before"));
        textEdit.setPlainText(QStringLiteral("before"));
        popup.setCurrentIndex(1);
        list.clear();
        list.addItem(QStringLiteral("before"));
        list.setCurrentRow(0);
        radio.setChecked(true);
    }
};

void applyToEveryKind(const XMLPrefs& store, const QString& name, const QString& item,
                      Controls& controls)
{
    const QList<XMLPrefs::ItemChild> children = XMLPrefs::itemChildren(item);
    const std::optional<QString> value = lastValue(children);
    controls.name(name);
    controls.reset();

    store.setItem(&controls.lineEdit);
    check(controls.lineEdit.text() ==
              (value ? value->left(controls.lineEdit.maxLength()) : QStringLiteral("before")),
          "an edit field takes the last value with content");
    // What the field now holds is captured and applied again unchanged.
    XMLPrefs again;
    again.addItem(&controls.lineEdit);
    QLineEdit copy;
    copy.setObjectName(name);
    again.setItem(&copy);
    check(copy.text() == controls.lineEdit.text(),
          "an edit field's text survives capturing and applying");

    store.setItem(&controls.textEdit);
    if (!value)
        check(controls.textEdit.toPlainText() == QStringLiteral("before"),
              "a text field without a value keeps its text");

    store.setItem(&controls.popup);
    check(controls.popup.currentIndex() >= -1 &&
              controls.popup.currentIndex() < controls.popup.count(),
          "a popup menu's selection exists");

    store.setItem(&controls.list);
    QStringList rows;
    for (const XMLPrefs::ItemChild& child : children)
        if (child.role == Role::ListItem && !child.text.isEmpty())
            rows << child.text;
    check(controls.list.count() == rows.size(), "a list box holds the item's rows");
    for (int row = 0; row < controls.list.count(); ++row)
        check(controls.list.item(row)->text() == rows[row], "a list box's rows in order");

    const bool fits = XMLPrefs::fitsRadioButton(item);
    try {
        store.setItem(&controls.radio);
        check(fits, "a radio button refuses an empty value");
    } catch (const std::invalid_argument&) {
        check(!fits, "a radio button takes any item with values");
        return;
    }
    std::optional<bool> selected;
    for (const XMLPrefs::ItemChild& child : children)
        if (child.role == Role::Value)
            selected = child.text.compare(QLatin1StringView("true"), Qt::CaseInsensitive) == 0;
    check(controls.radio.isChecked() == selected.value_or(true),
          "a radio button follows its last value");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    application();
    static Controls controls;
    const QString file = QStringLiteral("project.tdo");
    XMLPrefs::Items items;
    try {
        items = XMLPrefs::readPrefsData(fuzzing::bytes(data, size), file);
    } catch (const PrefsFileError& error) {
        check(!error.reason.isEmpty() && error.file == file, "a refusal names file and reason");
        return 0;
    }
    for (const auto& [name, text] : items)
        check(!name.isEmpty(), "every item has a name");

    // Saving what was read and reading it again gives the same items.
    check(XMLPrefs::readPrefsData(XMLPrefs::fileBytes(items), file) == items,
          "a saved store reads back unchanged");

    // What getPrefs does once the file is found: merge the items over those already stored.
    XMLPrefs store;
    store.repository.emplace(QStringLiteral("kept"),
                             XMLPrefs::editFieldItem(QStringLiteral("kept"), QStringLiteral("x")));
    store.mergeItems(items);
    check(store.repository.size() == items.size() + (items.count(QStringLiteral("kept")) ? 0 : 1),
          "merging keeps the items the file lacks");
    for (const auto& [name, text] : items) {
        check(store.repository.at(name) == text, "merged items are the file's");
        applyToEveryKind(store, name, text, controls);
    }
    return 0;
}
