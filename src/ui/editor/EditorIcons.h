#pragma once
// The editor window's own small icon set: line drawings kept as SVG text,
// drawn through Qt's SVG renderer in any colour, so no platform symbol font
// is needed.

#include "ui/theme/Theme.h"

#include <QColor>
#include <QIcon>
#include <QPainter>
#include <QString>

class QLabel;

namespace vt::ui::EditorIcons {

// True when the set has a drawing for the symbol name.
bool has(const QString& name);
// Draws the named symbol inside `box` in `color`; unknown names draw nothing.
void draw(QPainter& painter, const QString& name, const QRectF& box, const QColor& color);
// The symbol as an icon of the given side length.
QIcon icon(const QString& name, const QColor& color, int side = 16);
// Shows the symbol in `label`, drawn again in the colour of each appearance.
void show(QLabel* label, const QString& name, const DynamicColor& color, int side);

}  // namespace vt::ui::EditorIcons
