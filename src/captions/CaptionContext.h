#pragma once
// The one kind of drawing surface the caption code draws into: a transparent
// premultiplied-ARGB32 (sRGB) bitmap with a painter whose coordinates have
// their origin at the bottom-left corner and y growing upward. Every caption
// position is computed in that y-up space; the flip to the image's own
// top-down rows happens here, once, in the painter's base transform.
//
// A recording context draws nothing: it writes down what would be drawn
// (see DrawingRecorder), so that a caller can tell whether two drawings are
// the same before paying for either.
//
// A context belongs to one thread at a time (the caller's); nothing in it is
// shared.

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>

#include <functional>
#include <memory>

namespace vt {

class DrawingRecorder;

// A shadow as a drawing operation casts it: offset and blur are in frame
// pixels (y-up: a negative dy falls downward on screen) and are not affected
// by the painter's transform; the colour's alpha and the painter's opacity
// both apply.
struct ShadowStyle {
    double dx = 0;
    double dy = 0;
    double blur = 0;
    QColor color;
};

class CaptionContext {
public:
    // A surface of width × height pixels (each truncated to a whole number),
    // fully transparent. None when either side is below one pixel, not finite
    // or too large to allocate.
    static std::unique_ptr<CaptionContext> make(double width, double height);
    // A recording context of the same size (same conditions).
    static std::unique_ptr<CaptionContext> makeRecording(double width, double height);

    ~CaptionContext();
    CaptionContext(const CaptionContext&) = delete;
    CaptionContext& operator=(const CaptionContext&) = delete;

    int width() const { return size_.width(); }
    int height() const { return size_.height(); }

    // Draws in y-up frame pixels. Callers bracket their state changes with
    // save() and restore().
    QPainter& painter() { return painter_; }

    // A copy of the pixels drawn so far (top row first, as images are stored).
    QImage snapshot() const { return image_.copy(); }
    // The pixels themselves, without a copy; drawing ends, and the context
    // must not be drawn into afterwards.
    QImage takeImage();
    // What a recording context recorded: equal records draw equal pixels.
    // Empty for a drawing context, or when the drawing was of a kind the
    // record cannot describe exactly.
    QByteArray takeRecord();

    // Draws `paint`'s shadow, then (when drawShape) `paint` itself, at the
    // painter's current transform and opacity; `times` over, as that many
    // shadowed drawings of the same shape would (the shadow is made once).
    // `bounds`, in the painter's current coordinates, must enclose
    // everything `paint` draws.
    void drawWithShadow(const ShadowStyle& shadow, const QRectF& bounds,
                        const std::function<void(QPainter&)>& paint, bool drawShape = true, int times = 1);

private:
    explicit CaptionContext(QImage image);
    explicit CaptionContext(std::unique_ptr<DrawingRecorder> recorder);
    void recordShadow(const ShadowStyle& shadow, const QRectF& bounds, bool drawShape, int times);

    QSize size_;
    QImage image_;                               // drawing contexts
    std::unique_ptr<DrawingRecorder> recorder_;  // recording contexts
    QPainter painter_;
};

// Fill and stroke with the painter's opacity folded into the colours of the
// brush or pen, which draws the same pixels as painting at that opacity but
// keeps Qt on its plain (single-threaded, faster) span path.
void fillPathBlended(QPainter& painter, const QPainterPath& path, const QBrush& brush);
void strokePathBlended(QPainter& painter, const QPainterPath& path, const QPen& pen);

}  // namespace vt
