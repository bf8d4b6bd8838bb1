#include "ui/theme/PrimaryActionButton.h"

#include "ui/theme/Symbols.h"
#include "ui/theme/Theme.h"

#include <QPainter>
#include <QPainterPath>

namespace vt {
namespace {

constexpr int kSpacing = 7;
constexpr int kIconSide = 11;
constexpr int kPadding = 20;
constexpr int kHeight = 40;

QFont titleFont()
{
    QFont font;
    font.setPointSizeF(14);
    font.setWeight(QFont::DemiBold);
    return font;
}

}  // namespace

PrimaryActionButton::PrimaryActionButton(const QString& title, int minWidth, std::function<void()> action, QWidget* parent)
    : QAbstractButton(parent), minWidth_(minWidth)
{
    setText(title);
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_Hover);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    if (action) connect(this, &QAbstractButton::clicked, this, [action = std::move(action)] { action(); });
}

QSize PrimaryActionButton::sizeHint() const
{
    const int content = QFontMetrics(titleFont()).horizontalAdvance(text()) + kSpacing + kIconSide;
    return {std::max(minWidth_, content + 2 * kPadding), kHeight};
}

void PrimaryActionButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()), 10, 10);
    QColor fill = Theme::accent;
    fill.setAlphaF(hover_ ? 0.88 : 1.0);
    p.setOpacity(isDown() ? 0.7 : 1.0);
    p.fillPath(shape, fill);

    p.setFont(titleFont());
    p.setPen(Theme::onAccent);
    const int textWidth = p.fontMetrics().horizontalAdvance(text());
    const int left = (width() - (textWidth + kSpacing + kIconSide)) / 2;
    p.drawText(QRect(left, 0, textWidth, height()), Qt::AlignVCenter | Qt::AlignLeft, text());
    const QRectF icon(left + textWidth + kSpacing + (hover_ ? 2 : 0), (height() - kIconSide) / 2.0, kIconSide, kIconSide);
    Symbols::draw(p, Symbols::Name::arrowRight, icon, Theme::onAccent, 1.8);
}

void PrimaryActionButton::enterEvent(QEnterEvent*)
{
    hover_ = true;
    update();
}

void PrimaryActionButton::leaveEvent(QEvent*)
{
    hover_ = false;
    update();
}

}  // namespace vt
