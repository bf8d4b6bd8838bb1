#pragma once
// The timeline's small line icons, painted as paths: add, edit, show and
// hide, sound on and off, and the lane and item symbols. Names are the
// symbol names the timeline uses; a name without a drawing draws nothing.

#include <QColor>
#include <QPainter>
#include <QString>

namespace vt::TimelineIcons {

bool has(const QString& name);
// Draws the symbol centred in `box` with strokes of `color`.
void draw(QPainter& p, const QString& name, const QRectF& box, const QColor& color);

}  // namespace vt::TimelineIcons
