#pragma once
// A paint device that draws nothing and writes down everything a painter
// asks of it instead: each state change (pen, brush, transform, opacity,
// clip, hints, composition mode, font) and each shape, path and image with
// its exact coordinates. Two equal records made through the same drawing
// code ask the same of a raster painter, so they give the same pixels; the
// caption renderer uses that to reuse a frame's caption image for the next
// frame that would draw the very same one.
//
// Drawing the record cannot describe exactly (text items, pixmaps) marks it
// incomplete; an incomplete record matches nothing.
//
// A recorder belongs to one thread at a time.

#include <QByteArray>
#include <QDataStream>
#include <QPaintDevice>

#include <memory>

namespace vt {

class DrawingRecorder : public QPaintDevice {
public:
    // A device of width × height pixels (the size is part of the record).
    DrawingRecorder(int width, int height);
    ~DrawingRecorder() override;

    QPaintEngine* paintEngine() const override;

    // The stream the record is written to, for notes of the caller's own
    // (drawing it does outside the painter) between painter calls.
    QDataStream& stream() { return stream_; }
    void markIncomplete() { complete_ = false; }

    bool complete() const { return complete_; }
    // The record so far; empty when incomplete.
    QByteArray record() const { return complete_ ? bytes_ : QByteArray(); }

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    class Engine;

    int width_;
    int height_;
    QByteArray bytes_;
    QDataStream stream_;
    bool complete_ = true;
    std::unique_ptr<Engine> engine_;
};

}  // namespace vt
