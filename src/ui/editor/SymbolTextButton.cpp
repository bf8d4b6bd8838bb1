#include "ui/editor/SymbolTextButton.h"

#include "ui/editor/EditorIcons.h"
#include "ui/theme/Theme.h"

#include <QPainter>

#include <algorithm>

namespace vt::ui {
namespace {
constexpr int iconSide = 12, gap = 5, pad = 9;
}

SymbolTextButton::SymbolTextButton(const QString& symbol, const QString& title, CompactButton::Kind kind, QWidget* parent)
    : QPushButton(title, parent), symbol_(symbol), kind_(kind)
{
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
}

void SymbolTextButton::setSymbol(const QString& symbol)
{
    symbol_ = symbol;
    updateGeometry();
    update();
}

void SymbolTextButton::setKind(CompactButton::Kind kind)
{
    kind_ = kind;
    update();
}

QSize SymbolTextButton::sizeHint() const
{
    const int icon = symbol_.isEmpty() ? 0 : iconSide + gap;
    return {fontMetrics().horizontalAdvance(text()) + icon + 2 * pad, std::max(24, fontMetrics().height() + 6)};
}

void SymbolTextButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setOpacity(CompactButton::opacity(isEnabled(), isDown()));
    p.setPen(Qt::NoPen);
    p.setBrush(CompactButton::fill(kind_, underMouse(), isEnabled()));
    p.drawRoundedRect(QRectF(rect()), 6, 6);
    const QColor colour = kind_ == CompactButton::Kind::primary ? Theme::onAccent : QColor(Theme::ink);
    int x = pad;
    if (!symbol_.isEmpty()) {
        EditorIcons::draw(p, symbol_, QRectF(x, (height() - iconSide) / 2.0, iconSide, iconSide), colour);
        x += iconSide + gap;
    }
    p.setPen(colour);
    p.drawText(QRect(x, 0, width() - x - pad, height()), Qt::AlignLeft | Qt::AlignVCenter, text());
}

}  // namespace vt::ui
