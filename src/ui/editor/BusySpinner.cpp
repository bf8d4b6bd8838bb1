#include "ui/editor/BusySpinner.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace vt::ui {

BusySpinner::BusySpinner(int side, const DynamicColor& colour, QWidget* parent) : QWidget(parent), colour_(colour)
{
    setFixedSize(side, side);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    turn_.setInterval(50);
    connect(&turn_, &QTimer::timeout, this, [this] {
        angle_ = (angle_ + 30) % 360;
        update();
    });
}

void BusySpinner::setProgress(std::optional<double> fraction)
{
    progress_ = fraction;
    update();
}

void BusySpinner::showEvent(QShowEvent*) { turn_.start(); }
void BusySpinner::hideEvent(QHideEvent*) { turn_.stop(); }

void BusySpinner::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const double pen = std::max(1.5, width() / 8.0);
    const QRectF ring = QRectF(rect()).adjusted(pen, pen, -pen, -pen);
    QColor faint = colour_;
    faint.setAlphaF(0.25f);
    p.setPen(QPen(faint, pen));
    p.drawEllipse(ring);
    p.setPen(QPen(QColor(colour_), pen, Qt::SolidLine, Qt::RoundCap));
    if (progress_) {
        // A fraction that is not a number shows an empty ring.
        const double f = std::isfinite(*progress_) ? std::clamp(*progress_, 0.0, 1.0) : 0.0;
        p.drawArc(ring, 90 * 16, -static_cast<int>(f * 360 * 16));
    } else {
        p.drawArc(ring, -angle_ * 16, 100 * 16);
    }
}

}  // namespace vt::ui
