#include "captions/CaptionContext.h"

#include "captions/Blur.h"
#include "captions/DrawingRecorder.h"

#include <cmath>
#include <limits>
#include <optional>

#include <QLinearGradient>

namespace vt {

namespace {

bool usableSize(double width, double height)
{
    if (!std::isfinite(width) || !std::isfinite(height)) return false;
    if (width < 1 || height < 1) return false;
    // QImage addresses rows with int; anything near that limit cannot be a frame.
    constexpr double kLimit = 1 << 15;
    return width <= kLimit && height <= kLimit;
}

void startPainter(QPainter& painter, int height)
{
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform | QPainter::TextAntialiasing);
    // The single flip between y-up frame space and the image's rows.
    painter.setTransform(QTransform(1, 0, 0, -1, 0, height));
}

}  // namespace

std::unique_ptr<CaptionContext> CaptionContext::make(double width, double height)
{
    if (!usableSize(width, height)) return nullptr;
    QImage image(static_cast<int>(width), static_cast<int>(height), QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) return nullptr;
    image.fill(Qt::transparent);
    return std::unique_ptr<CaptionContext>(new CaptionContext(std::move(image)));
}

std::unique_ptr<CaptionContext> CaptionContext::makeRecording(double width, double height)
{
    if (!usableSize(width, height)) return nullptr;
    return std::unique_ptr<CaptionContext>(new CaptionContext(
        std::make_unique<DrawingRecorder>(static_cast<int>(width), static_cast<int>(height))));
}

CaptionContext::CaptionContext(QImage image) : size_(image.size()), image_(std::move(image)), painter_(&image_)
{
    startPainter(painter_, size_.height());
}

CaptionContext::CaptionContext(std::unique_ptr<DrawingRecorder> recorder)
    : size_(recorder->width(), recorder->height()), recorder_(std::move(recorder)), painter_(recorder_.get())
{
    startPainter(painter_, size_.height());
}

CaptionContext::~CaptionContext()
{
    if (painter_.isActive()) painter_.end();
}

QByteArray CaptionContext::takeRecord()
{
    if (!recorder_) return {};
    if (painter_.isActive()) painter_.end();
    return recorder_->record();
}

// What decides a shadow's pixels, written down in place of drawing it: its
// style, where its shape lands (bounds under the painter's transform, at its
// opacity and hints), how often, and the clip and composition its image is
// drawn with; then the shape's own drawing, recorded as the painter makes it.
void CaptionContext::recordShadow(const ShadowStyle& shadow, const QRectF& bounds, bool drawShape, int times)
{
    QDataStream& s = recorder_->stream();
    s << quint8('W') << shadow.dx << shadow.dy << shadow.blur << shadow.color << bounds << drawShape << times
      << painter_.transform() << painter_.opacity() << int(painter_.renderHints()) << int(painter_.compositionMode())
      << painter_.hasClipping();
    if (painter_.hasClipping()) s << painter_.clipPath();
}

QImage CaptionContext::takeImage()
{
    if (painter_.isActive()) painter_.end();
    return std::move(image_);
}

void CaptionContext::drawWithShadow(const ShadowStyle& shadow, const QRectF& bounds,
                                    const std::function<void(QPainter&)>& paint, bool drawShape, int times)
{
    if (recorder_) {
        recordShadow(shadow, bounds, drawShape, times);
        paint(painter_);
        recorder_->stream() << quint8('w');
        if (drawShape)
            for (int i = 0; i < times; ++i) paint(painter_);
        return;
    }
    const double sigma = Blur::sigmaForShadowBlur(shadow.blur);
    const int pad = static_cast<int>(std::ceil(3 * sigma)) + 2;
    // Where the shape lands in image rows, and where its shadow does.
    const QRect shape = painter_.transform().mapRect(bounds).toAlignedRect().adjusted(-pad, -pad, pad, pad);
    const QPoint shift(static_cast<int>(std::lround(shadow.dx)), static_cast<int>(std::lround(-shadow.dy)));
    const QRect visible = shape.intersected(image_.rect().translated(-shift));
    if (shadow.color.alpha() > 0 && !visible.isEmpty()) {
        // Drawn in 32 bits (Qt paints one-channel images through a thread
        // pool, which costs more than it saves here), blurred as alpha only.
        QImage shape(visible.size(), QImage::Format_ARGB32_Premultiplied);
        shape.fill(Qt::transparent);
        {
            QPainter mp(&shape);
            mp.setRenderHints(painter_.renderHints());
            mp.setTransform(painter_.transform() * QTransform::fromTranslate(-visible.x(), -visible.y()));
            mp.setOpacity(painter_.opacity());
            paint(mp);
        }
        const int w = visible.width(), h = visible.height();
        QImage mask(visible.size(), QImage::Format_Alpha8);
        for (int y = 0; y < h; ++y) {
            const auto* in = reinterpret_cast<const QRgb*>(shape.constScanLine(y));
            uchar* out = mask.scanLine(y);
            for (int x = 0; x < w; ++x) out[x] = static_cast<uchar>(qAlpha(in[x]));
        }
        Blur::gaussian(mask, sigma);
        QImage tinted(mask.size(), QImage::Format_ARGB32_Premultiplied);
        const QRgb c = shadow.color.rgba();
        const unsigned ca = qAlpha(c), cr = qRed(c), cg = qGreen(c), cb = qBlue(c);
        for (int y = 0; y < h; ++y) {
            const uchar* m = mask.constScanLine(y);
            auto* out = reinterpret_cast<QRgb*>(tinted.scanLine(y));
            for (int x = 0; x < w; ++x) {
                const unsigned a = (m[x] * ca + 127) / 255;
                out[x] = qRgba((cr * a + 127) / 255, (cg * a + 127) / 255, (cb * a + 127) / 255, a);
            }
        }
        painter_.save();
        painter_.resetTransform();
        painter_.setOpacity(1);
        for (int i = 0; i < times; ++i) painter_.drawImage(visible.topLeft() + shift, tinted);
        painter_.restore();
    }
    if (drawShape)
        for (int i = 0; i < times; ++i) paint(painter_);
}

namespace {

// The brush with every colour's alpha multiplied by `opacity`; nullopt for
// brushes whose colours cannot be scaled (textures).
std::optional<QBrush> faded(const QBrush& brush, double opacity)
{
    if (brush.style() == Qt::SolidPattern) {
        QColor c = brush.color();
        c.setAlphaF(static_cast<float>(c.alphaF() * opacity));
        return QBrush(c);
    }
    if (brush.style() == Qt::LinearGradientPattern) {
        QLinearGradient gradient = *static_cast<const QLinearGradient*>(brush.gradient());
        QGradientStops stops = gradient.stops();
        for (auto& stop : stops) stop.second.setAlphaF(static_cast<float>(stop.second.alphaF() * opacity));
        gradient.setStops(stops);
        return QBrush(gradient);
    }
    return std::nullopt;
}

}  // namespace

void fillPathBlended(QPainter& painter, const QPainterPath& path, const QBrush& brush)
{
    const double opacity = painter.opacity();
    const auto brushAtOpacity = opacity < 1 ? faded(brush, opacity) : std::nullopt;
    if (!brushAtOpacity) {
        painter.fillPath(path, brush);
        return;
    }
    painter.setOpacity(1);
    painter.fillPath(path, *brushAtOpacity);
    painter.setOpacity(opacity);
}

void strokePathBlended(QPainter& painter, const QPainterPath& path, const QPen& pen)
{
    const double opacity = painter.opacity();
    const auto brushAtOpacity = opacity < 1 ? faded(pen.brush(), opacity) : std::nullopt;
    if (!brushAtOpacity) {
        painter.strokePath(path, pen);
        return;
    }
    QPen faint = pen;
    faint.setBrush(*brushAtOpacity);
    painter.setOpacity(1);
    painter.strokePath(path, faint);
    painter.setOpacity(opacity);
}

}  // namespace vt
