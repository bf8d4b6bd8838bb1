#include "ui/inspector/PanelCard.h"

#include "ui/inspector/KitColors.h"

#include <QPainter>
#include <QPainterPath>

namespace vt::ui {

PanelCard::PanelCard(double radius, QWidget* parent) : QWidget(parent), radius_(radius) {}

void PanelCard::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF bounds = QRectF(rect()).adjusted(0, 0, 0, -1);  // room for the 1-point drop
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(kit::shadow()));
    p.drawRoundedRect(bounds.translated(0, 1), radius_, radius_);
    p.setBrush(QColor(kit::surface()));
    p.drawRoundedRect(bounds, radius_, radius_);
    // The border lies inside the bounds: inset by half its width.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(kit::hairline()), 1));
    p.drawRoundedRect(bounds.adjusted(0.5, 0.5, -0.5, -0.5), radius_, radius_);
}

}  // namespace vt::ui
