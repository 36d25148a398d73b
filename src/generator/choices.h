#pragma once

#include <QString>

#include <array>

namespace generator {

// The subscriber's choice list, as table rows for the opt-in form. The wording and the five
// display texts are taken as typed and trimmed here; a choice whose display text is empty
// leaves its token ("<taCHOICE03>") in place. Nothing is HTML-escaped: markup is wanted.
QString DropDownChoices(const QString& wording, const std::array<QString, 5>& display);
QString RadioButtonChoices(const QString& wording, const std::array<QString, 5>& display);

// A trimmed display text as a drop-down option shows it: up to and including its first full
// stop.
QString FormatDropDownText(const QString& text);
// A trimmed display text as a radio button's label: the first sentence in bold, the rest
// after a line break.
QString FormatRadioText(const QString& text);

} // namespace generator
