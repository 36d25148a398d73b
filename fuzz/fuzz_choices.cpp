// Token substitution and the choice list markup on arbitrary texts. The input is up to nine
// texts separated by NUL bytes: a token, its value, a text to replace it in, the question and
// the five display texts. Replacement and counting must agree with the plainest
// case-insensitive scan, and the choice lists with the same scan over their frames.

#include "fuzzinput.h"
#include "generator/choices.h"
#include "generator/tokens.h"

#include <array>

using fuzzing::check;
using fuzzing::referenceReplace;

namespace {

const QString kWordingToken = QStringLiteral("<taCHOICES WORDING>");

QString choiceToken(int n)
{
    return QStringLiteral("<taCHOICE0%1>").arg(n);
}

// The list as the rules build it: the frame (the list with the question token for question
// and no choices), the question put in, then each choice that has a display text.
QString referenceList(const QString& frame, const QString& wording,
                      const std::array<QString, 5>& display, QString (*prefix)(int),
                      QString (*format)(const QString&))
{
    QString markup = referenceReplace(frame, kWordingToken, wording.trimmed());
    for (int n = 1; n <= 5; ++n) {
        const QString text = display[n - 1].trimmed();
        if (!text.isEmpty())
            markup = referenceReplace(markup, choiceToken(n), prefix(n) + format(text));
    }
    return markup;
}

QString optionPrefix(int n)
{
    return QStringLiteral("<option value=\"%1\">").arg(n);
}

QString radioPrefix(int n)
{
    return QStringLiteral("<input type=\"radio\" name=\"choice\" value=\"%1\"%2>&nbsp;")
        .arg(n)
        .arg(n == 1 ? QStringLiteral(" checked") : QString());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QStringList parts = fuzzing::texts(data, size, 9);
    const QString& token = parts[0];
    const QString& value = parts[1];
    const QString& text = parts[2];

    if (!token.isEmpty()) {
        qsizetype expectedCount = 0;
        const QString expected = referenceReplace(text, token, value, &expectedCount);
        QString replaced = text;
        generator::replaceToken(replaced, token, value);
        check(replaced == expected, "replaceToken matches the reference scan");
        check(generator::countToken(text, token) == expectedCount,
              "countToken matches the reference scan");
    }

    const QString& wording = parts[3];
    const std::array<QString, 5> display = {parts[4], parts[5], parts[6], parts[7], parts[8]};
    for (const QString& shown : display) {
        const QString trimmed = shown.trimmed();
        const QString option = generator::FormatDropDownText(trimmed);
        check(trimmed.startsWith(option), "an option shows the start of its text");
        check(option.count(QLatin1Char('.')) <= 1, "an option shows one sentence at most");
        const QString label = generator::FormatRadioText(trimmed);
        check(label.startsWith(QLatin1StringView("<b>")) &&
                  label.contains(QLatin1StringView("</b>")),
              "a radio label starts in bold");
    }

    const std::array<QString, 5> none;
    const QString dropDownFrame = generator::DropDownChoices(kWordingToken, none);
    const QString radioFrame = generator::RadioButtonChoices(kWordingToken, none);
    check(generator::DropDownChoices(wording, display) ==
              referenceList(dropDownFrame, wording, display, optionPrefix,
                            generator::FormatDropDownText),
          "the drop-down list matches the reference");
    check(generator::RadioButtonChoices(wording, display) ==
              referenceList(radioFrame, wording, display, radioPrefix, generator::FormatRadioText),
          "the radio-button list matches the reference");
    return 0;
}
