#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <map>
#include <stdexcept>

class QComboBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QRadioButton;

// A store file that cannot be read, is not a store file, or cannot be written. Carries the
// file and the reason, for the message the user sees.
class PrefsFileError : public std::runtime_error {
public:
    PrefsFileError(const QString& file, const QString& reason);
    QString file;
    QString reason;
};

// Item names are compared without regard to letter case; the order also gives saved files a
// stable item order.
struct ItemNameLess {
    bool operator()(const QString& a, const QString& b) const;
};

// Saves the state of controls in an XML file and puts it back, matching controls by their
// object names. It knows nothing about projects: it stores whatever controls it is handed.
class XMLPrefs {
public:
    // Item name -> the item's XML text (one element, no declaration, no added whitespace).
    using Items = std::map<QString, QString, ItemNameLess>;

    XMLPrefs();

    Items repository;

    // Capturing: stores the control's current state under its name.
    void addItem(QComboBox* popup);
    void addItem(QListWidget* list);
    void addItem(QLineEdit* field);
    void addItem(QPlainTextEdit* field);
    void addItem(QRadioButton* button);

    // Applying: puts the stored item of the control's name back into it; without a stored
    // item the control keeps its state. The store is not changed.
    void setItem(QLineEdit* field) const;
    void setItem(QPlainTextEdit* field) const;
    void setItem(QComboBox* popup) const;
    void setItem(QListWidget* list) const;
    void setItem(QRadioButton* button) const;

    // Merges the items of a store file over the current ones. No file, or a missing one,
    // beeps and changes nothing; a file that cannot be used throws PrefsFileError and also
    // changes nothing.
    void getPrefs(const QString& file);
    // Writes the whole store into the file, replacing it whole or not at all; throws
    // PrefsFileError when the file cannot be written.
    void savePrefs(const QString& file) const;

    // The file format, on plain values.

    // Reads a whole store file: each item by its name, a later item replacing an earlier one
    // of the same name. Throws PrefsFileError naming the reason when the file cannot be read,
    // is not well-formed XML, or holds an item without a name.
    static Items readPrefsFile(const QString& file);
    // The same reading rules on the bytes of a store file already in memory; file only names
    // it in the error.
    static Items readPrefsData(const QByteArray& bytes, const QString& file);
    // Puts items into the store, replacing those of the same names.
    void mergeItems(const Items& items);
    // The bytes savePrefs writes for these items.
    static QByteArray fileBytes(const Items& items);

    // Item texts of the four kinds. Characters that XML cannot hold are dropped.
    static QString editFieldItem(const QString& name, const QString& text);
    static QString popupMenuItem(const QString& name, int index);
    static QString listBoxItem(const QString& name, int selectedRow, const QStringList& rows);
    static QString radioButtonItem(const QString& name, bool selected);

    // One child of an item as the reading rules see it.
    struct ItemChild {
        enum class Role { Value, ListItem, Other };
        Role role = Role::Other;
        bool hasContent = false; // the element has child nodes
        QString text;            // its text
    };
    // The children of an item after its name, in order. Throws PrefsFileError when the text
    // is not an XML element.
    static QList<ItemChild> itemChildren(const QString& itemText);
    // True when the item can be applied to a radio button: each of its values has content.
    static bool fitsRadioButton(const QString& itemText);

    // The text with the characters removed that an XML 1.0 document cannot hold (control
    // characters other than tab, line feed and carriage return, unpaired surrogates,
    // U+FFFE and U+FFFF).
    static QString xmlSafe(const QString& text);
    // A number's value as the reading rules take it: the leading decimal number, truncated to
    // an integer; 0 when the text does not start with one.
    static int numberValue(const QString& text);

private:
    const QString* storedItem(const QString& name) const;
};
