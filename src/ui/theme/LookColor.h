#pragma once
// The one crossing between a toolkit colour and a look's colour. Looks keep
// components as 0…1 numbers; a colour dialog works in 16-bit channels, so a
// round trip through the dialog may move a component by at most 1/65535.

#include "captions/look/RGBA.h"

#include <QColor>

namespace vt::ui {

QColor toQColor(const RGBA& color);
// An invalid colour, which has no sRGB value, becomes white.
RGBA toRGBA(const QColor& color);

}  // namespace vt::ui
