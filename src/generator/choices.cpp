#include "generator/choices.h"

#include "generator/tokens.h"

namespace generator {

namespace {

constexpr QStringView kWordingToken = u"<taCHOICES WORDING>";
constexpr QStringView kChoiceTokens[5] = {u"<taCHOICE01>", u"<taCHOICE02>", u"<taCHOICE03>",
                                          u"<taCHOICE04>", u"<taCHOICE05>"};

constexpr QStringView kDropDownFrame =
    u"<tr class=\"style4\"><td align=\"center\" colspan=\"2\"><taCHOICES WORDING></br>"
    u"<select name=\"choice\"><taCHOICE01><taCHOICE02><taCHOICE03><taCHOICE04><taCHOICE05>"
    u"</select></td></tr>";

constexpr QStringView kRadioFrame =
    u"<tr class=\"style4\"><td align=\"center\" colspan=\"2\"><taCHOICES WORDING></td></tr>"
    u"<tr class=\"style4\"><td align=\"left\" valign=\"top\" colspan=\"2\"><taCHOICE01></td></tr>"
    u"<tr class=\"style4\"><td align=\"left\" valign=\"top\" colspan=\"2\"><taCHOICE02></td></tr>"
    u"<tr class=\"style4\"><td align=\"left\" valign=\"top\" colspan=\"2\"><taCHOICE03></td></tr>"
    u"<tr class=\"style4\"><td align=\"left\" valign=\"top\" colspan=\"2\"><taCHOICE04></td></tr>"
    u"<tr class=\"style4\"><td align=\"left\" valign=\"top\" colspan=\"2\"><taCHOICE05></td></tr>";

QString optionPrefix(int choice)
{
    return QStringLiteral("<option value=\"%1\">").arg(choice);
}

QString radioPrefix(int choice)
{
    // Only the first choice starts selected.
    return QStringLiteral("<input type=\"radio\" name=\"choice\" value=\"%1\"%2>&nbsp;")
        .arg(choice)
        .arg(choice == 1 ? QStringLiteral(" checked") : QString());
}

QString fillFrame(QStringView frame, const QString& wording, const std::array<QString, 5>& display,
                  QString (*prefix)(int), QString (*format)(const QString&))
{
    QString markup = frame.toString();
    replaceToken(markup, kWordingToken, wording.trimmed());
    for (int n = 0; n < 5; ++n) {
        const QString text = display[n].trimmed();
        if (!text.isEmpty())
            replaceToken(markup, kChoiceTokens[n], prefix(n + 1) + format(text));
    }
    return markup;
}

} // namespace

QString DropDownChoices(const QString& wording, const std::array<QString, 5>& display)
{
    return fillFrame(kDropDownFrame, wording, display, optionPrefix, FormatDropDownText);
}

QString RadioButtonChoices(const QString& wording, const std::array<QString, 5>& display)
{
    return fillFrame(kRadioFrame, wording, display, radioPrefix, FormatRadioText);
}

QString FormatDropDownText(const QString& text)
{
    const qsizetype stop = text.indexOf(QLatin1Char('.'));
    return stop < 0 ? text : text.left(stop + 1);
}

QString FormatRadioText(const QString& text)
{
    const qsizetype stop = text.indexOf(QLatin1Char('.'));
    if (stop < 0)
        return QStringLiteral("<b>") + text + QStringLiteral("</b>");
    return QStringLiteral("<b>") + text.left(stop + 1) + QStringLiteral("</b></br>") +
           text.mid(stop + 1).trimmed();
}

} // namespace generator
