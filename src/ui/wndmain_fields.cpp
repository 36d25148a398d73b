// How the fields of the wizard react to the user: the domain and address carried into the
// fields that still hold placeholders, the two modes of page 2, the thanks URL switch and the
// bullet list's in-place editing. Every change of a saved setting marks the project changed.

#include "ui/wndmain.h"

#include "project/pagesettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include <functional>

namespace {

// Calls back when the watched field loses the keyboard focus to another control. A menu or
// another window taking the focus for a moment is not the user leaving the field.
class FocusLossWatcher : public QObject {
public:
    FocusLossWatcher(QObject* field, std::function<void()> lost)
        : QObject(field), m_lost(std::move(lost))
    {
        field->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusOut) {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
                m_lost();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_lost;
};

// The URL with its first example domain replaced by the domain. A domain that contains the
// example domain itself ("myexample.com") is already in place when the URL shows it there;
// replacing again would grow the URL at every focus change.
QString withDomain(const QString& url, const QString& domain)
{
    const QLatin1StringView example = project::kExampleDomain;
    const qsizetype at = url.indexOf(example, 0, Qt::CaseInsensitive);
    if (at < 0)
        return url;
    if (!domain.isEmpty()) {
        for (qsizetype from = url.indexOf(domain, 0, Qt::CaseInsensitive); from >= 0 && from <= at;
             from = url.indexOf(domain, from + 1, Qt::CaseInsensitive))
            if (from + domain.size() >= at + example.size())
                return url;
    }
    return QString(url).replace(at, example.size(), domain);
}

// Sets the text only when it differs, so that nothing is marked changed for nothing.
void setTextIfDifferent(QLineEdit* field, const QString& text)
{
    if (field->text() != text)
        field->setText(text);
}

QListWidgetItem* selectedBullet(const QListWidget* list)
{
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? nullptr : selected.constFirst();
}

} // namespace

void wndMain::connectFieldHandlers()
{
    new FocusLossWatcher(txtDomain, [this] { txtDomain_LostFocus(); });
    new FocusLossWatcher(txtARAddress, [this] { txtARAddress_LostFocus(); });

    // Selecting a mode runs its handler whether the user or a load or reset selected it.
    connect(RadioButton1, &QRadioButton::toggled, this, [this](bool selected) {
        if (selected)
            RadioButton1_Action();
    });
    connect(RadioButton2, &QRadioButton::toggled, this, [this](bool selected) {
        if (selected)
            RadioButton2_Action();
    });
    connect(chkThanks, &QCheckBox::toggled, this, &wndMain::chkThanks_Action);
    // The choice list's format is saved with the project like every other setting.
    connect(popChoiceFormat, &QComboBox::currentIndexChanged, this, &wndMain::SettingChanged);

    // Bullets are edited in place only through "+" and a double-click.
    lstBullets->setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(cmdAdd, &QPushButton::clicked, this, &wndMain::cmdAdd_Action);
    connect(cmdDelete, &QPushButton::clicked, this, &wndMain::cmdDelete_Action);
    connect(lstBullets, &QListWidget::itemDoubleClicked, this, &wndMain::lstBullets_DoubleClick);
    // A bullet's text changed by its in-place editor.
    connect(lstBullets, &QListWidget::itemChanged, this, &wndMain::SettingChanged);
}

void wndMain::txtDomain_LostFocus()
{
    // The thanks URL first, enabled or not, then the sales letter's.
    const QString domain = txtDomain->text();
    setTextIfDifferent(txtThanksURL, withDomain(txtThanksURL->text(), domain));
    setTextIfDifferent(txtSalesLetterURL, withDomain(txtSalesLetterURL->text(), domain));
}

void wndMain::txtARAddress_LostFocus()
{
    const QString address = txtARAddress->text().trimmed();
    for (QLineEdit* field : {txtChoiceAR1, txtChoiceAR2, txtChoiceAR3, txtChoiceAR4, txtChoiceAR5})
        if (field->text().trimmed().isEmpty())
            setTextIfDifferent(field, address);
}

void wndMain::RadioButton1_Action()
{
    GroupBox3->setEnabled(false);
    GroupBox2->setEnabled(true);
    emit SettingChanged();
}

void wndMain::RadioButton2_Action()
{
    GroupBox2->setEnabled(false);
    GroupBox3->setEnabled(true);
    emit SettingChanged();
}

void wndMain::chkThanks_Action()
{
    const bool ticked = chkThanks->isChecked();
    lblThanks->setEnabled(ticked);
    txtThanksURL->setEnabled(ticked);
    emit SettingChanged();
}

void wndMain::cmdAdd_Action()
{
    auto* bullet = new QListWidgetItem;
    bullet->setFlags(bullet->flags() | Qt::ItemIsEditable);
    lstBullets->addItem(bullet);
    emit SettingChanged();
    lstBullets->scrollToItem(bullet);
    lstBullets->editItem(bullet);
}

void wndMain::cmdDelete_Action()
{
    QListWidgetItem* bullet = selectedBullet(lstBullets);
    if (!bullet)
        return;
    delete lstBullets->takeItem(lstBullets->row(bullet));
    emit SettingChanged();
}

void wndMain::lstBullets_DoubleClick()
{
    QListWidgetItem* bullet = selectedBullet(lstBullets);
    if (!bullet)
        return;
    if (!(bullet->flags() & Qt::ItemIsEditable)) {
        // Making a row editable is not a change of the project.
        const QSignalBlocker quiet(lstBullets);
        bullet->setFlags(bullet->flags() | Qt::ItemIsEditable);
    }
    lstBullets->editItem(bullet);
}
