#include "captions/DrawingRecorder.h"

#include <QIODevice>
#include <QImage>
#include <QPaintEngine>
#include <QPainterPath>

namespace vt {

// Every call a painter makes of its engine, written as a tag and its
// arguments. The engine claims every feature, so the painter hands it paths,
// opacity, transforms and gradients as they are instead of emulating them.
class DrawingRecorder::Engine : public QPaintEngine {
public:
    explicit Engine(DrawingRecorder& device) : QPaintEngine(QPaintEngine::AllFeatures), device_(device) {}

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }

    void updateState(const QPaintEngineState& state) override
    {
        QDataStream& s = device_.stream();
        const QPaintEngine::DirtyFlags dirty = state.state();
        s << quint8('S') << int(dirty);
        if (dirty & DirtyPen) s << state.pen();
        if (dirty & DirtyBrush) s << state.brush();
        if (dirty & DirtyBrushOrigin) s << state.brushOrigin();
        if (dirty & DirtyBackground) s << state.backgroundBrush();
        if (dirty & DirtyBackgroundMode) s << int(state.backgroundMode());
        if (dirty & DirtyFont) s << state.font();
        if (dirty & DirtyTransform) s << state.transform();
        if (dirty & DirtyClipEnabled) s << state.isClipEnabled();
        if (dirty & DirtyClipRegion) s << int(state.clipOperation()) << state.clipRegion();
        if (dirty & DirtyClipPath) s << int(state.clipOperation()) << state.clipPath();
        if (dirty & DirtyHints) s << int(state.renderHints());
        if (dirty & DirtyCompositionMode) s << int(state.compositionMode());
        if (dirty & DirtyOpacity) s << state.opacity();
    }

    void drawPath(const QPainterPath& path) override { device_.stream() << quint8('P') << path; }

    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override
    {
        QDataStream& s = device_.stream();
        s << quint8('G') << int(mode) << count;
        for (int i = 0; i < count; ++i) s << points[i];
    }

    void drawRects(const QRectF* rects, int count) override
    {
        QDataStream& s = device_.stream();
        s << quint8('R') << count;
        for (int i = 0; i < count; ++i) s << rects[i];
    }

    void drawLines(const QLineF* lines, int count) override
    {
        QDataStream& s = device_.stream();
        s << quint8('L') << count;
        for (int i = 0; i < count; ++i) s << lines[i];
    }

    void drawPoints(const QPointF* points, int count) override
    {
        QDataStream& s = device_.stream();
        s << quint8('D') << count;
        for (int i = 0; i < count; ++i) s << points[i];
    }

    void drawEllipse(const QRectF& rect) override { device_.stream() << quint8('E') << rect; }

    // An image is named by its cache key, which changes whenever its pixels
    // do; equal keys are the same pixels.
    void drawImage(const QRectF& target, const QImage& image, const QRectF& source,
                   Qt::ImageConversionFlags flags) override
    {
        device_.stream() << quint8('I') << target << source << int(flags) << image.cacheKey() << image.size()
                         << int(image.format());
    }

    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override { device_.markIncomplete(); }
    void drawTiledPixmap(const QRectF&, const QPixmap&, const QPointF&) override { device_.markIncomplete(); }
    void drawTextItem(const QPointF&, const QTextItem&) override { device_.markIncomplete(); }

private:
    DrawingRecorder& device_;
};

DrawingRecorder::DrawingRecorder(int width, int height)
    : width_(width), height_(height), stream_(&bytes_, QIODevice::WriteOnly),
      engine_(std::make_unique<Engine>(*this))
{
    stream_.setVersion(QDataStream::Qt_6_4);
    stream_ << width_ << height_;
}

DrawingRecorder::~DrawingRecorder() = default;

QPaintEngine* DrawingRecorder::paintEngine() const { return engine_.get(); }

int DrawingRecorder::metric(PaintDeviceMetric metric) const
{
    switch (metric) {
    case PdmWidth: return width_;
    case PdmHeight: return height_;
    case PdmWidthMM: return width_ * 254 / 720;
    case PdmHeightMM: return height_ * 254 / 720;
    case PdmNumColors: return 0x7fffffff;
    case PdmDepth: return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY: return 72;
    case PdmDevicePixelRatio: return 1;
    case PdmDevicePixelRatioScaled: return static_cast<int>(devicePixelRatioFScale());
    }
    return 0;
}

}  // namespace vt
