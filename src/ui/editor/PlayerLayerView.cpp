#include "ui/editor/PlayerLayerView.h"

#include <QPainter>
#include <QPainterPath>

namespace vt::ui {

namespace {
constexpr int tickMs = 16;
}

PlayerFrames::PlayerFrames(std::function<QImage()> current, QObject* parent)
    : QObject(parent), current_(std::move(current))
{
    tick_.setInterval(tickMs);
    connect(&tick_, &QTimer::timeout, this, &PlayerFrames::poll);
    if (current_) tick_.start();
}

void PlayerFrames::poll()
{
    if (!current_) return;
    QImage next = current_();
    if (next.isNull() || next.cacheKey() == frame_.cacheKey()) return;
    frame_ = std::move(next);
    emit frameChanged();
}

PlayerLayerView::PlayerLayerView(PlayerFrames* frames, QWidget* parent) : QWidget(parent)
{
    setFrames(frames);
}

void PlayerLayerView::setFrames(PlayerFrames* frames)
{
    if (frames == frames_) return;
    disconnect(connection_);
    frames_ = frames;
    if (frames) {
        connection_ = connect(frames, &PlayerFrames::frameChanged, this, qOverload<>(&QWidget::update));
        ++attachments_;
    }
    update();
}

void PlayerLayerView::setCornerRadius(double radius)
{
    radius_ = radius;
    update();
}

QRectF PlayerLayerView::pictureRect() const
{
    if (!frames_ || frames_->frame().isNull()) return {};
    const QSizeF fitted = QSizeF(frames_->frame().size()).scaled(size(), Qt::KeepAspectRatio);
    return {QPointF((width() - fitted.width()) / 2, (height() - fitted.height()) / 2), fitted};
}

void PlayerLayerView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (radius_ > 0) {
        QPainterPath clip;
        clip.addRoundedRect(QRectF(rect()), radius_, radius_);
        painter.setClipPath(clip);
    }
    painter.fillRect(rect(), Qt::black);
    const QRectF target = pictureRect();
    if (!target.isEmpty()) painter.drawImage(target, frames_->frame());
}

}  // namespace vt::ui
