#include "ui/inspector/ToolbarIconButton.h"

#include "ui/inspector/KitColors.h"

#include <QPainter>

#include <algorithm>

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
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize ToolbarIconButton::sizeHint() const
{
    // drawText centres the glyph's advance and the font's line box; the
    // ink may reach past either.
    const QFontMetrics m = fontMetrics();
    const QRect ink = m.boundingRect(text());
    const int advance = m.horizontalAdvance(text()), line = m.height();
    const int width = std::max(advance - 2 * ink.left(), 2 * (ink.right() + 1) - advance);
    const int height = std::max(line - 2 * (m.ascent() + ink.top()), 2 * (m.ascent() + ink.bottom() + 1) - line);
    return QSize(width + 2, height + 2).expandedTo(minimumSize());
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
