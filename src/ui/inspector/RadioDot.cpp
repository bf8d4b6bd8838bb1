#include "ui/inspector/RadioDot.h"

#include "ui/inspector/KitColors.h"

#include <QPainter>

namespace vt::ui {

RadioDot::RadioDot(bool on, QWidget* parent) : QWidget(parent), on_(on)
{
    setFixedSize(18, 18);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void RadioDot::setOn(bool on)
{
    if (on == on_) return;
    on_ = on;
    update();
}

void RadioDot::setScale(double scale)
{
    scale_ = scale;
    update();
}

void RadioDot::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(9, 9);
    p.scale(scale_, scale_);
    p.translate(-9, -9);
    if (on_) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(kit::accent()));
        p.drawEllipse(QRectF(0, 0, 18, 18));
        p.setBrush(kit::onAccent());
        p.drawEllipse(QRectF(5.5, 5.5, 7, 7));
    } else {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(kit::border()), 1.5));
        p.drawEllipse(QRectF(0.75, 0.75, 16.5, 16.5));
    }
}

}  // namespace vt::ui
