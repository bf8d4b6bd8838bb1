#include "ui/inspector/KitColors.h"

namespace vt::ui::kit {

bool darkAppearance() { return Appearances::isDark(); }

const DynamicColor& ink() { return Theme::ink; }
const DynamicColor& onInk() { return Theme::onInk; }
const DynamicColor& secondaryText() { return Theme::secondaryText; }
const DynamicColor& surface() { return Theme::surface; }
const DynamicColor& muted() { return Theme::muted; }
const DynamicColor& hairline() { return Theme::hairline; }
const DynamicColor& border() { return Theme::border; }
const DynamicColor& shadow() { return Theme::shadow; }
const DynamicColor& accent() { return Theme::accent; }
QColor onAccent() { return Theme::onAccent; }

QColor faded(QColor c, double opacity)
{
    c.setAlphaF(static_cast<float>(c.alphaF() * opacity));
    return c;
}

DynamicColor faded(const DynamicColor& c, double opacity) { return {faded(c.light, opacity), faded(c.dark, opacity)}; }

}  // namespace vt::ui::kit
