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
    const auto redraw = [this] { update(); };
    hoverLook_ = new Tween(0, redraw, this);
    pressLook_ = new Tween(0, redraw, this);
    connect(this, &QAbstractButton::pressed, this, [this] { pressLook_->to(1); });
    connect(this, &QAbstractButton::released, this, [this] { pressLook_->to(0); });
    if (action) connect(this, &QAbstractButton::clicked, this, [action = std::move(action)] { action(); });
}

double PrimaryActionButton::hoverAmount() const { return hoverLook_->value(); }
double PrimaryActionButton::pressAmount() const { return pressLook_->value(); }

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
    const double hover = hoverLook_->value();
    fill.setAlphaF(1.0 - 0.12 * hover);
    p.setOpacity(1.0 - 0.3 * pressLook_->value());
    p.fillPath(shape, fill);

    p.setFont(titleFont());
    p.setPen(Theme::onAccent);
    const int textWidth = p.fontMetrics().horizontalAdvance(text());
    const int left = (width() - (textWidth + kSpacing + kIconSide)) / 2;
    p.drawText(QRect(left, 0, textWidth, height()), Qt::AlignVCenter | Qt::AlignLeft, text());
    const QRectF icon(left + textWidth + kSpacing + 2 * hover, (height() - kIconSide) / 2.0, kIconSide, kIconSide);
    Symbols::draw(p, Symbols::Name::arrowRight, icon, Theme::onAccent, 1.8);
}

void PrimaryActionButton::enterEvent(QEnterEvent*)
{
    hover_ = true;
    hoverLook_->to(1);
}

void PrimaryActionButton::leaveEvent(QEvent*)
{
    hover_ = false;
    hoverLook_->to(0);
}

}  // namespace vt
