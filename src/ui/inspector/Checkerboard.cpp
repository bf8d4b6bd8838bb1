#include "ui/inspector/Checkerboard.h"

#include <QPainter>

#include <cmath>

namespace vt::ui {

Checkerboard::Checkerboard(QWidget* parent) : QWidget(parent) {}

void Checkerboard::paint(QPainter& painter, QSizeF size)
{
    painter.fillRect(QRectF(QPointF(0, 0), size), QColor::fromRgbF(0.16, 0.16, 0.16));
    const QColor light = QColor::fromRgbF(0.20, 0.20, 0.20);
    const int rows = static_cast<int>(std::floor(size.height() / 8));
    const int columns = static_cast<int>(std::floor(size.width() / 8));
    for (int r = 0; r <= rows; ++r)
        for (int c = 0; c <= columns; ++c)
            if ((r + c) % 2 == 0) painter.fillRect(QRectF(8.0 * c, 8.0 * r, 8, 8), light);
}

void Checkerboard::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setClipRect(rect());
    paint(p, size());
}

}  // namespace vt::ui
