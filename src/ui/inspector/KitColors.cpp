#include "ui/inspector/KitColors.h"

#include <QGuiApplication>
#include <QPalette>

namespace vt::ui::kit {

namespace {

QColor rgb(double r, double g, double b, double a = 1) { return QColor::fromRgbF(r, g, b, a); }

QColor pick(QColor light, QColor dark) { return darkAppearance() ? dark : light; }

}  // namespace

bool darkAppearance() { return QGuiApplication::palette().color(QPalette::Window).lightnessF() < 0.5; }

QColor ink() { return pick(rgb(0.055, 0.058, 0.075), rgb(0.955, 0.955, 0.965)); }
QColor onInk() { return pick(rgb(1, 1, 1), rgb(0.055, 0.056, 0.068)); }
QColor secondaryText() { return pick(rgb(0.38, 0.40, 0.46), rgb(0.60, 0.61, 0.66)); }
QColor surface() { return pick(rgb(1, 1, 1), rgb(0.09, 0.09, 0.105)); }
QColor muted() { return pick(rgb(0.945, 0.948, 0.958), rgb(0.14, 0.14, 0.16)); }
QColor hairline() { return pick(rgb(0, 0, 0, 0.07), rgb(1, 1, 1, 0.08)); }
QColor border() { return pick(rgb(0, 0, 0, 0.2), rgb(1, 1, 1, 0.24)); }
QColor shadow() { return pick(rgb(0, 0, 0, 0.07), rgb(0, 0, 0, 0)); }
QColor accent() { return pick(rgb(0.416, 0.298, 0.941), rgb(0.545, 0.455, 1.0)); }
QColor onAccent() { return rgb(1, 1, 1); }

QColor faded(QColor c, double opacity)
{
    c.setAlphaF(static_cast<float>(c.alphaF() * opacity));
    return c;
}

}  // namespace vt::ui::kit
