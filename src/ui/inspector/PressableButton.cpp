#include "ui/inspector/PressableButton.h"

#include "ui/inspector/KitColors.h"

#include <QPainter>

namespace vt::ui {

PressableButton::PressableButton(const QString& title, QWidget* parent) : QPushButton(title, parent)
{
    setFlat(true);
    setCursor(Qt::PointingHandCursor);
}

void PressableButton::setFill(std::optional<QColor> fill, double radius)
{
    fill_ = fill;
    radius_ = radius;
    update();
}

void PressableButton::setTextColour(const QColor& colour)
{
    textColour_ = colour;
    update();
}

void PressableButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setOpacity(opacity(isDown()));
    if (fill_) {
        p.setPen(Qt::NoPen);
        p.setBrush(*fill_);
        p.drawRoundedRect(QRectF(rect()), radius_, radius_);
    }
    p.setPen(textColour_.value_or(kit::ink()));
    p.drawText(rect(), Qt::AlignCenter | Qt::TextShowMnemonic, text());
}

}  // namespace vt::ui
