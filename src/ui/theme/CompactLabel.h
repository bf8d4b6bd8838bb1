#pragma once
// The label of the compact buttons: an icon drawn at the size of a
// 10.5-point semibold glyph, then the title, 5 points apart, centred
// vertically, the pair centred in the button. Buttons paint it; it keeps
// no state.

#include <QColor>
#include <QFontMetricsF>
#include <QPainter>
#include <QRectF>
#include <QString>

#include <functional>

namespace vt::CompactLabel {

inline constexpr qreal spacing = 5;

// Draws the icon inside the square it is given.
using IconPainter = std::function<void(QPainter&, const QRectF& square, const QColor& colour)>;

// The side of the icon's square.
qreal iconSide();
// The label's size with the title in `title`'s metrics; no icon leaves
// its room and the spacing out.
QSizeF size(const QFontMetricsF& metrics, const QString& title, bool withIcon);
// Paints icon (when given) and title in `colour`, centred in `box`, with the
// painter's font.
void paint(QPainter& painter, const QRectF& box, const QString& title, const QColor& colour, const IconPainter& icon = {});

}  // namespace vt::CompactLabel
