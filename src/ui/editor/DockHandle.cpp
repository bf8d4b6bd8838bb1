#include "ui/editor/DockHandle.h"

#include "ui/theme/Theme.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace vt::ui {

DockHandle::DockHandle(std::function<double()> height, std::function<void(double)> setHeight,
                       std::function<std::pair<double, double>()> range, QWidget* parent)
    : QWidget(parent), height_(std::move(height)), setHeight_(std::move(setHeight)), range_(std::move(range))
{
    setFixedHeight(8);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setCursor(Qt::SizeVerCursor);
    setToolTip(tr("Drag to resize the transcript"));
}

void DockHandle::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QColor fill = Theme::ink;
    fill.setAlphaF(0.18f);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawRoundedRect(QRectF(width() / 2.0 - 22, height() / 2.0 - 2, 44, 4), 2, 2);
}

void DockHandle::mousePressEvent(QMouseEvent* event)
{
    // Screen coordinates: the handle itself moves as the dock it resizes grows.
    if (event->button() == Qt::LeftButton) pressY_ = event->globalPosition().y();
}

void DockHandle::mouseMoveEvent(QMouseEvent* event)
{
    if (!pressY_) return;
    const double dy = event->globalPosition().y() - *pressY_;
    if (!start_ && std::abs(dy) < dragThreshold) return;
    if (!start_) start_ = height_();
    const auto [low, high] = range_();
    setHeight_(std::clamp(*start_ - dy, low, high));
}

void DockHandle::mouseReleaseEvent(QMouseEvent*)
{
    pressY_.reset();
    start_.reset();
}

}  // namespace vt::ui
