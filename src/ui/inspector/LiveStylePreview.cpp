#include "ui/inspector/LiveStylePreview.h"

#include "ui/inspector/Checkerboard.h"
#include "ui/inspector/KitColors.h"
#include "video/StylePreview.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QThreadPool>

namespace vt::ui {


LiveStylePreview::LiveStylePreview(std::string text, QWidget* parent)
    : QWidget(parent), text_(std::move(text)), pool_(std::make_unique<QThreadPool>())
{
    // One worker, so a burst of edits never draws several captions at once.
    pool_->setMaxThreadCount(1);
    setFixedHeight(92);
    setAccessibleName(QStringLiteral("Caption preview"));
}

// Waits for the drawing under way (at most one caption); its result is dropped.
LiveStylePreview::~LiveStylePreview() { pool_->waitForDone(); }

void LiveStylePreview::setLook(const CaptionStyle& look)
{
    if (asked_ && *asked_ == look) return;
    asked_ = look;
    ++requested_;
    if (drawing_)
        waiting_.emplace(requested_, look);  // an older waiting request is dropped undrawn
    else
        start(requested_, look);
}

void LiveStylePreview::start(std::uint64_t request, const CaptionStyle& look)
{
    drawing_ = true;
    ++started_;
    QPointer<LiveStylePreview> self(this);
    pool_->start([self, request, look, text = text_] {
        auto picture = CaptionStylePreview::render(look, text);
        QMetaObject::invokeMethod(
            qApp,
            [self, request, picture = std::move(picture)] {
                if (self) self->deliver(request, picture);
            },
            Qt::QueuedConnection);
    });
}

void LiveStylePreview::deliver(std::uint64_t request, const std::optional<QImage>& picture)
{
    drawing_ = false;
    if (request > shown_) {
        shown_ = request;
        picture_ = picture.value_or(QImage());
        update();
        emit pictureChanged();
    }
    if (waiting_) {
        auto [next, look] = std::move(*waiting_);
        waiting_.reset();
        start(next, look);
    }
}

void LiveStylePreview::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath shape;
    shape.addRoundedRect(box, 10, 10);
    p.save();
    p.setClipPath(shape);
    Checkerboard::paint(p, size());
    if (!picture_.isNull()) {
        const QSizeF room = box.size() - QSizeF(16, 12);
        QSizeF fitted = QSizeF(picture_.size()).scaled(room, Qt::KeepAspectRatio);
        const QRectF target(box.center() - QPointF(fitted.width() / 2, fitted.height() / 2), fitted);
        p.drawImage(target, picture_);
    }
    p.restore();
    p.setPen(QPen(QColor(kit::border()), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shape);
}

}  // namespace vt::ui
