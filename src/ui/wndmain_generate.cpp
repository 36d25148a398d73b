#include "ui/wndmain.h"

#include "generator/choices.h"
#include "generator/fileops.h"
#include "generator/generation.h"
#include "generator/insertion.h"
#include "platform/desktop.h"
#include "platform/paths.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>

namespace {

std::array<QString, 5> texts(const std::array<QLineEdit*, 5>& fields)
{
    std::array<QString, 5> values;
    for (std::size_t n = 0; n < fields.size(); ++n)
        values[n] = fields[n]->text();
    return values;
}

} // namespace

std::array<QString, 5> wndMain::displayTexts() const
{
    return texts({txtDisplay1, txtDisplay2, txtDisplay3, txtDisplay4, txtDisplay5});
}

generator::PageValues wndMain::pageValues() const
{
    generator::PageValues v;
    v.productName = txtProductName->text();
    v.salutation = txtSalutation->text();
    v.domain = txtDomain->text();
    v.arAddress = txtARAddress->text();
    v.salesLetterURL = txtSalesLetterURL->text();
    v.thanksURL = txtThanksURL->text();
    v.thanksChecked = chkThanks->isChecked();
    v.choicesMode = RadioButton2->isChecked();
    v.choiceFormat = popChoiceFormat->currentIndex();
    v.choiceWording = txtChoiceWording->text();
    v.display = displayTexts();
    v.choiceURL = texts({txtChoice1, txtChoice2, txtChoice3, txtChoice4, txtChoice5});
    v.choiceAR = texts({txtChoiceAR1, txtChoiceAR2, txtChoiceAR3, txtChoiceAR4, txtChoiceAR5});
    v.headline = txtHeadline->toPlainText();
    v.body = txtBody->toPlainText();
    v.optin = txtOptin->toPlainText();
    v.submit = txtSubmit->text();
    v.testimonial = txtTestimonial->toPlainText();
    for (int row = 0; row < lstBullets->count(); ++row)
        v.bullets << lstBullets->item(row)->text();
    v.audio = popAudio->currentIndex();
    v.templateRowText = popTemplate->currentText();
    v.templateRowTag = popTemplate->currentData().toString();
    return v;
}

QString wndMain::DropDownChoices() const
{
    return generator::DropDownChoices(txtChoiceWording->text(), displayTexts());
}

QString wndMain::RadioButtonChoices() const
{
    return generator::RadioButtonChoices(txtChoiceWording->text(), displayTexts());
}

QString wndMain::FormatDropDownText(const QString& text) const
{
    return generator::FormatDropDownText(text);
}

QString wndMain::FormatRadioText(const QString& text) const
{
    return generator::FormatRadioText(text);
}

void wndMain::CopyFileorFolder(const QString& source, const QString& destinationFolder) const
{
    generator::CopyFileorFolder(source, destinationFolder);
}

void wndMain::DeleteFilesFromFolder(const QString& folder) const
{
    generator::DeleteFilesFromFolder(folder);
}

QString wndMain::LoadText(const QString& path) const
{
    return generator::LoadText(path);
}

void wndMain::WriteText(const QString& path, const QString& text) const
{
    generator::WriteText(path, text);
}

void wndMain::PushButton2_Action()
{
    const generator::GenerationResult result =
        generator::generateSite(pageValues(), platform::resourceFolder(),
                                platform::applicationFolder(), platform::desktop());
    dest = result.dest;
    if (result.outcome != generator::GenerationResult::Outcome::Completed)
        return;
    lblPath->setText(QStringLiteral("Saved at: ") + QDir(dest).absolutePath());
    // The notes are the generation's report, not an edit of the project.
    txtNotes->setPlainText(result.notes);
    GroupBox1->show();
}

void wndMain::PushButton1_Action()
{
    const QString url = generator::previewUrl(dest);
    if (!url.isEmpty())
        platform::desktop().openUrl(url);
}

void wndMain::cmdInsertCode_Action()
{
    generator::insertCode(dest, platform::desktop());
}
