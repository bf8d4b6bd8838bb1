#pragma once
// The few symbols the shared views draw, painted as paths so that no icon
// font is needed: an arrow pointing right, an arrow down onto a line, and a
// caption bubble.

#include <QBrush>
#include <QPainter>
#include <QRectF>

namespace vt::Symbols {

enum class Name { arrowRight, arrowDownToLine, captionsBubble };

// Draws the symbol inside `box` (a square works best) with the brush.
void draw(QPainter& painter, Name name, const QRectF& box, const QBrush& brush, qreal weight = 1.6);

}  // namespace vt::Symbols
