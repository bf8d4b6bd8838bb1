#pragma once
// The palette colours the controls kit draws with: the shared theme's, so
// they follow the appearance. A colour handed to a widget through the kit's
// text helpers or Appearances::setColor keeps following it; one resolved
// into a QColor is the colour of the moment.

#include "ui/theme/Theme.h"

#include <QColor>

namespace vt::ui::kit {

bool darkAppearance();

const DynamicColor& ink();
const DynamicColor& onInk();
const DynamicColor& secondaryText();
const DynamicColor& surface();
const DynamicColor& muted();
const DynamicColor& hairline();
const DynamicColor& border();
const DynamicColor& shadow();
const DynamicColor& accent();
QColor onAccent();

// `c` with its opacity multiplied by `opacity`.
QColor faded(QColor c, double opacity);
// Both values of `c` with their opacity multiplied by `opacity`.
DynamicColor faded(const DynamicColor& c, double opacity);

}  // namespace vt::ui::kit
