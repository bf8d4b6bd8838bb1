#include "ui/inspector/ToolbarIconButton.h"

#include "ui/inspector/KitColors.h"

#include <QPainter>

namespace vt::ui {

ToolbarIconButton::ToolbarIconButton(const QString& glyph, QWidget* parent) : QToolButton(parent)
{
    setText(glyph);
    QFont f = font();
    f.setPointSizeF(12.5);
    f.setWeight(QFont::Medium);
    setFont(f);
    setAttribute(Qt::WA_Hover);
    setAutoRaise(true);
}

QColor ToolbarIconButton::background(bool enabled, bool hover, bool pressed)
{
    if (pressed) return kit::faded(kit::ink(), 0.14);
    if (hover && enabled) return kit::faded(kit::ink(), 0.08);
    return kit::faded(kit::ink(), 0);
}

void ToolbarIconButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(background(isEnabled(), underMouse(), isDown()));
    p.drawRoundedRect(QRectF(rect()), 6, 6);
    p.setPen(isEnabled() ? kit::ink() : kit::faded(kit::secondaryText(), 0.5));
    p.drawText(rect(), Qt::AlignCenter, text());
}

}  // namespace vt::ui
