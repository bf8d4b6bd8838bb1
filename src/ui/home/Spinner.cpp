#include "ui/home/Spinner.h"

#include "ui/theme/Theme.h"

#include <QPainter>

namespace vt {

Spinner::Spinner(int size, QWidget* parent) : QWidget(parent)
{
    setFixedSize(size, size);
    timer_.setInterval(40);
    connect(&timer_, &QTimer::timeout, this, [this] {
        angle_ = (angle_ + 30) % 360;
        update();
    });
}

void Spinner::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(rect()).adjusted(2, 2, -2, -2);
    painter.setPen(QPen(QColor(Theme::secondaryText), 2, Qt::SolidLine, Qt::RoundCap));
    painter.drawArc(box, -angle_ * 16, 270 * 16);
}

}  // namespace vt
