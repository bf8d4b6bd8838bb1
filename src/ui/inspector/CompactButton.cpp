#include "ui/inspector/CompactButton.h"

#include "ui/inspector/KitColors.h"
#include "ui/theme/CompactLabel.h"

#include <QPainter>

namespace vt::ui {

CompactButton::CompactButton(const QString& title, Kind kind, QWidget* parent) : QPushButton(title, parent), kind_(kind)
{
    QFont f = font();
    f.setPointSizeF(12);
    f.setWeight(QFont::Medium);
    setFont(f);
    setAttribute(Qt::WA_Hover);
    setCursor(Qt::PointingHandCursor);
}

QColor CompactButton::fill(Kind kind, bool hover, bool enabled)
{
    const bool deeper = hover && enabled;
    if (kind == Kind::primary) return kit::faded(kit::accent(), deeper ? 0.88 : 1.0);
    return kit::faded(kit::ink(), deeper ? 0.13 : 0.08);
}

double CompactButton::opacity(bool enabled, bool pressed)
{
    if (!enabled) return 0.45;
    return pressed ? 0.75 : 1.0;
}

QSize CompactButton::sizeHint() const
{
    return {fontMetrics().horizontalAdvance(text()) + 18, std::max(24, fontMetrics().height() + 6)};
}

void CompactButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setOpacity(opacity(isEnabled(), isDown()));
    p.setPen(Qt::NoPen);
    p.setBrush(fill(kind_, underMouse(), isEnabled()));
    p.drawRoundedRect(QRectF(rect()), 6, 6);
    CompactLabel::paint(p, QRectF(rect()).adjusted(9, 0, -9, 0), text(), kind_ == Kind::primary ? kit::onAccent() : kit::ink());
}

}  // namespace vt::ui
