#include "ui/theme/CompactLabel.h"

#include <QFont>

#include <algorithm>

namespace vt::CompactLabel {

qreal iconSide()
{
    QFont glyphs;
    glyphs.setPointSizeF(10.5);
    glyphs.setWeight(QFont::DemiBold);
    return std::round(QFontMetricsF(glyphs).ascent());
}

QSizeF size(const QFontMetricsF& metrics, const QString& title, bool withIcon)
{
    const qreal icon = withIcon ? iconSide() + (title.isEmpty() ? 0 : spacing) : 0;
    return {icon + metrics.horizontalAdvance(title), std::max(metrics.height(), withIcon ? iconSide() : 0.0)};
}

void paint(QPainter& painter, const QRectF& box, const QString& title, const QColor& colour, const IconPainter& icon)
{
    const QSizeF need = size(QFontMetricsF(painter.font()), title, bool(icon));
    qreal x = box.left() + std::max((box.width() - need.width()) / 2, 0.0);
    if (icon) {
        const qreal side = iconSide();
        icon(painter, QRectF(x, box.center().y() - side / 2, side, side), colour);
        x += side + spacing;
    }
    painter.setPen(colour);
    painter.drawText(QRectF(x, box.top(), box.right() - x, box.height()), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     title);
}

}  // namespace vt::CompactLabel
