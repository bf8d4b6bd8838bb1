#pragma once
// The palette colours the controls kit draws with, light or dark after the
// application's palette. A stand-in until the shared theme is in place:
// every kit class asks these functions, so switching over is one file.

#include <QColor>

namespace vt::ui::kit {

bool darkAppearance();

QColor ink();
QColor onInk();
QColor secondaryText();
QColor surface();
QColor muted();
QColor hairline();
QColor border();
QColor shadow();
QColor accent();
QColor onAccent();

// `c` with its opacity multiplied by `opacity`.
QColor faded(QColor c, double opacity);

}  // namespace vt::ui::kit
