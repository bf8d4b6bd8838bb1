#include "ui/home/PhonePreview.h"

#include "ui/theme/Theme.h"
#include "video/StylePreview.h"

#include <QPainter>
#include <QPainterPath>
#include <QPointer>

namespace vt {

PhonePreview::PhonePreview(QWidget* parent) : QWidget(parent)
{
    pool_.setMaxThreadCount(1);
    setMinimumSize(60, 130);
}

PhonePreview::~PhonePreview() { pool_.waitForDone(); }

void PhonePreview::setPoster(std::optional<QImage> poster)
{
    if (poster && (poster->isNull() || poster->width() <= 0 || poster->height() <= 0)) poster.reset();
    poster_ = std::move(poster);
    update();
}

void PhonePreview::setStyle(const CaptionStyle& style)
{
    setAccessibleName(tr("Preview of a caption in %1").arg(QString::fromStdString(style.name)));
    if (hasStyle_ && style == style_) return;
    style_ = style;
    hasStyle_ = true;
    const int generation = ++generation_;
    QPointer<PhonePreview> self(this);
    pool_.start([self, generation, look = style] {
        auto image = CaptionStylePreview::render(look, sampleText);
        // The destructor waits for the pool, so the preview outlives this call.
        QMetaObject::invokeMethod(
            self.data(), [self, generation, image = std::move(image)] {
                if (generation != self->generation_) return;  // another look came meanwhile
                self->caption_ = image;
                self->update();
                emit self->captionChanged();
            },
            Qt::QueuedConnection);
    });
}

void PhonePreview::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    // The phone fits the space with its own aspect, leaving room for its shadow.
    QSizeF size = QSizeF(aspect, 1).scaled(QSizeF(width() - 16, height() - 24), Qt::KeepAspectRatio);
    QRectF body(QPointF(), size);
    body.moveCenter(QPointF(width() / 2.0, height() / 2.0 - 4));

    for (int i = 6; i >= 1; --i) {  // a soft shadow below
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0, 0, 0, 8));
        painter.drawRoundedRect(body.translated(0, 8).adjusted(-i, -i, i, i), 26 + i, 26 + i);
    }
    painter.setBrush(Theme::stage);
    painter.drawRoundedRect(body, 26, 26);

    const QRectF screen = body.adjusted(5, 5, -5, -5);
    QPainterPath clip;
    clip.addRoundedRect(screen, 21, 21);
    painter.save();
    painter.setClipPath(clip);
    if (poster_) {
        QRectF target(QPointF(), QSizeF(poster_->size()).scaled(screen.size(), Qt::KeepAspectRatioByExpanding));
        target.moveCenter(screen.center());
        painter.drawImage(target, *poster_);
    } else {
        QLinearGradient grey(screen.topLeft(), screen.bottomLeft());
        grey.setColorAt(0, QColor::fromRgbF(0.22, 0.22, 0.22));
        grey.setColorAt(1, QColor::fromRgbF(0.12, 0.12, 0.12));
        painter.fillRect(screen, grey);
    }
    if (caption_ && !caption_->isNull()) {
        const QRectF room = screen.adjusted(10, 0, -10, -40);
        QSizeF fit = QSizeF(caption_->size()).scaled(room.size(), Qt::KeepAspectRatio);
        QRectF target(QPointF(), fit);
        target.moveBottom(room.bottom());
        target.moveLeft(room.center().x() - fit.width() / 2);
        painter.drawImage(target, *caption_);
    }
    painter.restore();

    QRectF pill(0, 0, 44, 13);
    pill.moveCenter(QPointF(body.center().x(), body.top() + 10 + 6.5));
    painter.setPen(Qt::NoPen);
    painter.setBrush(Theme::stage);
    painter.drawRoundedRect(pill, 6.5, 6.5);
}

}  // namespace vt
