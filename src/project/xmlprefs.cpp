#include "project/xmlprefs.h"

#include "platform/desktop.h"

#include <QComboBox>
#include <QDomDocument>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextStream>

#include <cmath>
#include <limits>

namespace {

const QString kDeclaration =
    QStringLiteral("<?xml version='1.0' encoding='UTF-8' standalone='yes'?>");
constexpr QChar kLineEnd = QLatin1Char('\r');

const QString kEditField = QStringLiteral("editfield");
const QString kPopupMenu = QStringLiteral("popupmenu");
const QString kListBox = QStringLiteral("listbox");
const QString kRadioButton = QStringLiteral("radiobutton");
const QString kName = QStringLiteral("name");
const QString kValue = QStringLiteral("value");
const QString kListItem = QStringLiteral("listitem");

// The element on its own: no declaration, no line breaks or indentation added.
QString serialise(const QDomElement& element)
{
    QString text;
    QTextStream stream(&text);
    element.save(stream, -1);
    return text;
}

// Comments and processing instructions inside an item carry no setting: they are dropped, so
// that the text of an element is its text, and an item saves and reads back the same (the
// writer puts a line break after each processing instruction).
void dropNonContent(QDomNode node)
{
    for (QDomNode child = node.firstChild(); !child.isNull();) {
        const QDomNode next = child.nextSibling();
        if (child.isComment() || child.isProcessingInstruction())
            node.removeChild(child);
        else if (child.isElement())
            dropNonContent(child);
        child = next;
    }
}

// A new item element with its "name" child, in a document of its own.
QDomElement newItem(QDomDocument& document, const QString& kind, const QString& name)
{
    QDomElement item = document.createElement(kind);
    document.appendChild(item);
    QDomElement nameElement = document.createElement(kName);
    nameElement.appendChild(document.createTextNode(XMLPrefs::xmlSafe(name)));
    item.appendChild(nameElement);
    return item;
}

void appendText(QDomDocument& document, QDomElement& item, const QString& tag, const QString& text)
{
    QDomElement child = document.createElement(tag);
    if (!text.isEmpty())
        child.appendChild(document.createTextNode(XMLPrefs::xmlSafe(text)));
    item.appendChild(child);
}

// The item's name: the text of its first child element, or empty when it has none.
QString itemName(const QDomElement& item)
{
    const QDomNode first = item.firstChildElement().firstChild();
    if (!first.isText())
        return QString();
    return first.toText().data().trimmed();
}

bool isXmlChar(char32_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
           (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

} // namespace

PrefsFileError::PrefsFileError(const QString& file_, const QString& reason_)
    : std::runtime_error(QStringLiteral("%1: %2").arg(file_, reason_).toStdString()), file(file_),
      reason(reason_)
{
}

bool ItemNameLess::operator()(const QString& a, const QString& b) const
{
    return QString::compare(a, b, Qt::CaseInsensitive) < 0;
}

XMLPrefs::XMLPrefs() = default;

// Capturing

void XMLPrefs::addItem(QComboBox* popup)
{
    repository.insert_or_assign(popup->objectName(),
                                popupMenuItem(popup->objectName(), popup->currentIndex()));
}

void XMLPrefs::addItem(QListWidget* list)
{
    QStringList rows;
    for (int row = 0; row < list->count(); ++row)
        rows << list->item(row)->text();
    const QList<QListWidgetItem*> selected = list->selectedItems();
    const int selectedRow = selected.isEmpty() ? -1 : list->row(selected.constFirst());
    repository.insert_or_assign(list->objectName(),
                                listBoxItem(list->objectName(), selectedRow, rows));
}

void XMLPrefs::addItem(QLineEdit* field)
{
    repository.insert_or_assign(field->objectName(),
                                editFieldItem(field->objectName(), field->text()));
}

void XMLPrefs::addItem(QPlainTextEdit* field)
{
    repository.insert_or_assign(field->objectName(),
                                editFieldItem(field->objectName(), field->toPlainText()));
}

void XMLPrefs::addItem(QRadioButton* button)
{
    repository.insert_or_assign(button->objectName(),
                                radioButtonItem(button->objectName(), button->isChecked()));
}

// Applying

const QString* XMLPrefs::storedItem(const QString& name) const
{
    const auto found = repository.find(name);
    return found == repository.end() ? nullptr : &found->second;
}

void XMLPrefs::setItem(QLineEdit* field) const
{
    const QString* item = storedItem(field->objectName());
    if (!item)
        return;
    for (const ItemChild& child : itemChildren(*item))
        if (child.role == ItemChild::Role::Value && child.hasContent)
            field->setText(child.text);
}

void XMLPrefs::setItem(QPlainTextEdit* field) const
{
    const QString* item = storedItem(field->objectName());
    if (!item)
        return;
    for (const ItemChild& child : itemChildren(*item))
        if (child.role == ItemChild::Role::Value && child.hasContent)
            field->setPlainText(child.text);
}

void XMLPrefs::setItem(QComboBox* popup) const
{
    const QString* item = storedItem(popup->objectName());
    if (!item)
        return;
    for (const ItemChild& child : itemChildren(*item)) {
        if (child.role != ItemChild::Role::Value || !child.hasContent)
            continue;
        // A row that does not exist (a file from an older template catalogue) leaves the
        // menu as it is.
        const int index = numberValue(child.text);
        if (index >= -1 && index < popup->count())
            popup->setCurrentIndex(index);
    }
}

void XMLPrefs::setItem(QListWidget* list) const
{
    const QString* item = storedItem(list->objectName());
    if (!item)
        return;
    const QList<ItemChild> children = itemChildren(*item);
    list->clear();
    for (const ItemChild& child : children) {
        if (child.text.isEmpty())
            continue;
        if (child.role == ItemChild::Role::ListItem) {
            list->addItem(child.text);
        } else if (child.role == ItemChild::Role::Value) {
            // The selection is stored before the rows, so it usually names a row that does
            // not exist yet; such a selection selects nothing.
            const int row = numberValue(child.text);
            if (row >= 0 && row < list->count())
                list->setCurrentRow(row);
            else if (row == -1)
                list->setCurrentRow(-1);
        }
    }
}

void XMLPrefs::setItem(QRadioButton* button) const
{
    const QString* item = storedItem(button->objectName());
    if (!item)
        return;
    if (!fitsRadioButton(*item))
        throw std::invalid_argument("radio button item without a value");
    for (const ItemChild& child : itemChildren(*item))
        if (child.role == ItemChild::Role::Value)
            button->setChecked(child.text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0);
}

// Files

void XMLPrefs::getPrefs(const QString& file)
{
    if (file.isEmpty() || !QFileInfo::exists(file)) {
        platform::desktop().beep();
        return;
    }
    mergeItems(readPrefsFile(file));
}

void XMLPrefs::savePrefs(const QString& file) const
{
    // Unbuffered, so that a write that stops short (a full disk) is seen here: a buffered
    // flush can lose it and the short file would replace the old one.
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw PrefsFileError(file, out.errorString());
    const QByteArray bytes = fileBytes(repository);
    qint64 written = 0;
    while (written < bytes.size()) {
        const qint64 n = out.write(bytes.constData() + written, bytes.size() - written);
        if (n <= 0) {
            const QString reason = out.errorString();
            out.cancelWriting();
            throw PrefsFileError(file, reason);
        }
        written += n;
    }
    if (!out.commit())
        throw PrefsFileError(file, out.errorString());
}

XMLPrefs::Items XMLPrefs::readPrefsFile(const QString& file)
{
    const QFileInfo info(file);
    if (!info.exists())
        throw PrefsFileError(file, QStringLiteral("the file does not exist"));
    if (info.isDir())
        throw PrefsFileError(file, QStringLiteral("it is a folder, not a file"));
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        throw PrefsFileError(file, in.errorString());
    const QByteArray bytes = in.readAll();
    if (in.error() != QFileDevice::NoError)
        throw PrefsFileError(file, in.errorString());
    return readPrefsData(bytes, file);
}

XMLPrefs::Items XMLPrefs::readPrefsData(const QByteArray& bytes, const QString& file)
{
    if (bytes.trimmed().isEmpty())
        throw PrefsFileError(file, QStringLiteral("the file is empty"));

    QDomDocument document;
    QString problem;
    int line = 0;
    int column = 0;
    if (!document.setContent(bytes, &problem, &line, &column))
        throw PrefsFileError(file,
                             QStringLiteral("it is not well-formed XML (line %1, column %2: %3)")
                                 .arg(line)
                                 .arg(column)
                                 .arg(problem));

    Items items;
    const QDomElement root = document.documentElement();
    int position = 0;
    for (QDomElement item = root.firstChildElement(); !item.isNull();
         item = item.nextSiblingElement()) {
        ++position;
        dropNonContent(item);
        // A file in another encoding (UTF-7, UTF-16) can decode to characters that XML cannot
        // hold, such as half a surrogate pair; they are dropped as when capturing, so that the
        // store saves and reads back what it holds.
        const QString name = xmlSafe(itemName(item));
        if (name.isEmpty())
            throw PrefsFileError(file, QStringLiteral("item %1 (line %2) has no name")
                                           .arg(position)
                                           .arg(item.lineNumber()));
        items.erase(name);
        items.emplace(name, xmlSafe(serialise(item)));
    }
    return items;
}

void XMLPrefs::mergeItems(const Items& items)
{
    for (const auto& [name, text] : items) {
        repository.erase(name);
        repository.emplace(name, text);
    }
}

QByteArray XMLPrefs::fileBytes(const Items& items)
{
    QString text = kDeclaration + kLineEnd + QStringLiteral("<prefs>") + kLineEnd;
    for (const auto& [name, item] : items)
        text += item + kLineEnd;
    text += QStringLiteral("</prefs>");
    return text.toUtf8();
}

// Item texts

QString XMLPrefs::editFieldItem(const QString& name, const QString& text)
{
    QDomDocument document;
    QDomElement item = newItem(document, kEditField, name);
    appendText(document, item, kValue, text);
    return serialise(item);
}

QString XMLPrefs::popupMenuItem(const QString& name, int index)
{
    QDomDocument document;
    QDomElement item = newItem(document, kPopupMenu, name);
    appendText(document, item, kValue, QString::number(index));
    return serialise(item);
}

QString XMLPrefs::listBoxItem(const QString& name, int selectedRow, const QStringList& rows)
{
    QDomDocument document;
    QDomElement item = newItem(document, kListBox, name);
    appendText(document, item, kValue, QString::number(selectedRow));
    for (const QString& row : rows)
        appendText(document, item, kListItem, row);
    return serialise(item);
}

QString XMLPrefs::radioButtonItem(const QString& name, bool selected)
{
    QDomDocument document;
    QDomElement item = newItem(document, kRadioButton, name);
    appendText(document, item, kValue, selected ? QStringLiteral("true") : QStringLiteral("false"));
    return serialise(item);
}

QList<XMLPrefs::ItemChild> XMLPrefs::itemChildren(const QString& itemText)
{
    QDomDocument document;
    QString problem;
    if (!document.setContent(itemText, &problem))
        throw PrefsFileError(QString(),
                             QStringLiteral("a stored item is not XML: %1").arg(problem));
    const QDomElement item = document.documentElement();
    QList<ItemChild> children;
    // The first child is the name; the element names of the others decide what they are.
    const QDomElement name = item.firstChildElement();
    for (QDomElement element = name.nextSiblingElement(); !element.isNull();
         element = element.nextSiblingElement()) {
        ItemChild child;
        if (element.tagName().compare(kValue, Qt::CaseInsensitive) == 0)
            child.role = ItemChild::Role::Value;
        else if (element.tagName().compare(kListItem, Qt::CaseInsensitive) == 0)
            child.role = ItemChild::Role::ListItem;
        child.hasContent = element.hasChildNodes();
        child.text = element.text();
        children << child;
    }
    return children;
}

bool XMLPrefs::fitsRadioButton(const QString& itemText)
{
    for (const ItemChild& child : itemChildren(itemText))
        if (child.role == ItemChild::Role::Value && !child.hasContent)
            return false;
    return true;
}

QString XMLPrefs::xmlSafe(const QString& text)
{
    QString safe;
    safe.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            const char32_t code = QChar::surrogateToUcs4(c, text.at(i + 1));
            if (isXmlChar(code))
                safe.append(c).append(text.at(i + 1));
            ++i;
        } else if (!c.isSurrogate() && isXmlChar(c.unicode())) {
            safe.append(c);
        }
    }
    return safe;
}

int XMLPrefs::numberValue(const QString& text)
{
    static const QRegularExpression leading(QStringLiteral("^\\s*([+-]?(\\d+(\\.\\d*)?|\\.\\d+))"));
    const QRegularExpressionMatch match = leading.match(text);
    if (!match.hasMatch())
        return 0;
    const double value = std::trunc(match.captured(1).toDouble());
    if (value >= std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (value <= std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}
