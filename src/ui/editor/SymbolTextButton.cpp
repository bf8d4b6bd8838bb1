#include "ui/editor/SymbolTextButton.h"

#include "ui/editor/EditorIcons.h"
#include "ui/theme/CompactLabel.h"
#include "ui/theme/Theme.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace vt::ui {
namespace {
constexpr int pad = 9;
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
    const QSizeF label = CompactLabel::size(QFontMetricsF(font()), text(), !symbol_.isEmpty());
    return {int(std::ceil(label.width())) + 2 * pad, std::max(24, fontMetrics().height() + 6)};
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
    CompactLabel::IconPainter icon;
    if (!symbol_.isEmpty())
        icon = [this](QPainter& painter, const QRectF& square, const QColor& c) { EditorIcons::draw(painter, symbol_, square, c); };
    CompactLabel::paint(p, QRectF(rect()).adjusted(pad, 0, -pad, 0), text(), colour, icon);
}

}  // namespace vt::ui
