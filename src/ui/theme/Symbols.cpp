#include "ui/theme/Symbols.h"

#include <QPainterPath>

namespace vt::Symbols {

void draw(QPainter& painter, Name name, const QRectF& box, const QBrush& brush, qreal weight)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal s = std::min(box.width(), box.height());
    const QPointF c = box.center();
    QPen pen(brush, weight, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    switch (name) {
    case Name::arrowRight: {
        painter.setPen(pen);
        const qreal h = s * 0.4;
        painter.drawLine(QPointF(c.x() - h, c.y()), QPointF(c.x() + h, c.y()));
        painter.drawLine(QPointF(c.x() + h, c.y()), QPointF(c.x() + h * 0.2, c.y() - h * 0.8));
        painter.drawLine(QPointF(c.x() + h, c.y()), QPointF(c.x() + h * 0.2, c.y() + h * 0.8));
        break;
    }
    case Name::arrowDownToLine: {
        painter.setPen(pen);
        const qreal h = s * 0.4;
        painter.drawLine(QPointF(c.x(), c.y() - h), QPointF(c.x(), c.y() + h * 0.5));
        painter.drawLine(QPointF(c.x(), c.y() + h * 0.5), QPointF(c.x() - h * 0.6, c.y() - h * 0.1));
        painter.drawLine(QPointF(c.x(), c.y() + h * 0.5), QPointF(c.x() + h * 0.6, c.y() - h * 0.1));
        painter.drawLine(QPointF(c.x() - h * 0.9, c.y() + h), QPointF(c.x() + h * 0.9, c.y() + h));
        break;
    }
    case Name::captionsBubble: {
        QPainterPath bubble;
        const QRectF body(c.x() - s * 0.45, c.y() - s * 0.38, s * 0.9, s * 0.62);
        bubble.addRoundedRect(body, s * 0.14, s * 0.14);
        QPainterPath tail;
        tail.moveTo(body.left() + s * 0.18, body.bottom() - 1);
        tail.lineTo(body.left() + s * 0.14, body.bottom() + s * 0.16);
        tail.lineTo(body.left() + s * 0.38, body.bottom() - 1);
        tail.closeSubpath();
        bubble = bubble.united(tail);
        // The caption lines are cut out of the bubble.
        QPainterPath lines;
        const qreal lh = s * 0.07;
        lines.addRoundedRect(QRectF(body.left() + s * 0.14, body.top() + s * 0.18, s * 0.62, lh), lh / 2, lh / 2);
        lines.addRoundedRect(QRectF(body.left() + s * 0.14, body.top() + s * 0.36, s * 0.4, lh), lh / 2, lh / 2);
        painter.fillPath(bubble.subtracted(lines), brush);
        break;
    }
    }
    painter.restore();
}

}  // namespace vt::Symbols
