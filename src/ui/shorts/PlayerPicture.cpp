#include "ui/shorts/PlayerPicture.h"

#include "ui/theme/Theme.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTimer>

namespace vt::ui {
namespace {

constexpr int kRedrawMs = 33;
constexpr qreal kRadius = 12;

}  // namespace

PlayerPicture::PlayerPicture(std::function<QImage()> frame, QWidget* parent)
    : QWidget(parent), frame_(std::move(frame)), redraw_(new QTimer(this))
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    redraw_->setInterval(kRedrawMs);
    connect(redraw_, &QTimer::timeout, this, qOverload<>(&QWidget::update));
}

void PlayerPicture::resizeEvent(QResizeEvent*)
{
    if (height() != width() * 9 / 16) setFixedHeight(width() * 9 / 16);
}

void PlayerPicture::setNote(const QString& note)
{
    note_ = note;
    update();
}

void PlayerPicture::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    QPainterPath clip;
    clip.addRoundedRect(QRectF(rect()), kRadius, kRadius);
    p.setClipPath(clip);
    p.fillRect(rect(), Theme::mediaScrim);
    const QImage picture = frame_ ? frame_() : QImage();
    if (!picture.isNull()) {
        const QSize fitted = picture.size().scaled(size(), Qt::KeepAspectRatio);
        const QRect target(QPoint((width() - fitted.width()) / 2, (height() - fitted.height()) / 2), fitted);
        p.drawImage(target, picture);
    }
    if (!note_.isEmpty()) {
        QFont font = p.font();
        font.setPointSizeF(12);
        p.setFont(font);
        p.setPen(QColor::fromRgbF(1, 1, 1, 0.7f));
        p.drawText(rect(), Qt::AlignCenter, note_);
    }
}

void PlayerPicture::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) emit clicked();
}

void PlayerPicture::showEvent(QShowEvent*) { redraw_->start(); }

void PlayerPicture::hideEvent(QHideEvent*) { redraw_->stop(); }

}  // namespace vt::ui
