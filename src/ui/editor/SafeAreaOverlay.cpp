#include "ui/editor/SafeAreaOverlay.h"

#include "ui/theme/Theme.h"

#include <QPainter>
#include <QPainterPath>

namespace vt::ui {

SafeAreaOverlay::SafeAreaOverlay(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

std::vector<SafeAreaOverlay::Zone> SafeAreaOverlay::zones(QSizeF s)
{
    const double w = s.width(), h = s.height();
    return {{QStringLiteral("Top bar"), {0, 0, w, 0.1 * h}},
            {QStringLiteral("Caption & audio"), {0, 0.8 * h, w, 0.2 * h}},
            {QStringLiteral("Buttons"), {0.85 * w, 0.42 * h, 0.15 * w, 0.38 * h}}};
}

void SafeAreaOverlay::setCornerRadius(double radius)
{
    radius_ = radius;
    update();
}

void SafeAreaOverlay::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath clip;
    clip.addRoundedRect(QRectF(rect()), radius_, radius_);
    painter.setClipPath(clip);
    const QColor red(255, 59, 48);
    QFont font = painter.font();
    font.setPointSizeF(9);
    font.setWeight(QFont::DemiBold);
    painter.setFont(font);
    for (const Zone& zone : zones(size())) {
        QColor fill = red;
        fill.setAlphaF(0.16f);
        painter.fillRect(zone.rect, fill);
        QColor line = red;
        line.setAlphaF(0.7f);
        QPen pen(line, 1);
        pen.setDashPattern({4, 3});
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(zone.rect.adjusted(0.5, 0.5, -0.5, -0.5));  // inside the edge
        painter.setPen(Theme::onMedia);
        // A label wider than its narrow zone runs on rather than being cut.
        painter.drawText(zone.rect.adjusted(3, 3, -3, -3), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, zone.label);
    }
}

}  // namespace vt::ui
