#include "ui/editor/SymbolButton.h"

#include "ui/editor/EditorIcons.h"
#include "ui/inspector/ToolbarIconButton.h"
#include "ui/theme/Theme.h"

#include <QPainter>

namespace vt::ui {

SymbolButton::SymbolButton(const QString& symbol, QSize frame, double iconSide, QWidget* parent)
    : QToolButton(parent), symbol_(symbol), iconSide_(iconSide)
{
    setFixedSize(frame);
    setAutoRaise(true);
    setFocusPolicy(Qt::NoFocus);
}

void SymbolButton::setSymbol(const QString& symbol)
{
    if (symbol == symbol_) return;
    symbol_ = symbol;
    update();
}

void SymbolButton::setTint(const QColor& colour)
{
    tint_ = colour;
    update();
}

void SymbolButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ToolbarIconButton::background(isEnabled(), underMouse(), isDown()));
    painter.drawRoundedRect(rect(), 5, 5);
    if (isChecked()) {  // a toggle that is on
        painter.setBrush(QColor(Theme::selected));
        painter.drawRoundedRect(rect(), 6, 6);
    }
    QColor colour = !isEnabled() ? QColor(Theme::secondaryText) : tint_.isValid() ? tint_ : QColor(Theme::ink);
    if (!isEnabled()) colour.setAlphaF(0.5f);
    const QRectF box(QPointF(width() / 2.0 - iconSide_ / 2, height() / 2.0 - iconSide_ / 2), QSizeF(iconSide_, iconSide_));
    EditorIcons::draw(painter, symbol_, box, colour);
}

}  // namespace vt::ui
