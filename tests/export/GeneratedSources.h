#pragma once
// Generated picture and sound for export tests: frames painted on demand in a
// colour that changes with time, and a tone of a given length.

#include "export/ExportSources.h"

#include <QColor>
#include <QPainter>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <stdexcept>

namespace vt::test {

// Frames painted on demand: a colour that changes with the time. Split,
// they are painted by the functions prepare() returns, on the export's
// composing threads; otherwise at once, as frame() does.
class PaintedVideo : public ComposedVideo {
public:
    explicit PaintedVideo(double seconds, int failAtFrame = -1, bool split = false)
        : seconds_(seconds), failAt_(failAtFrame), split_(split)
    {
    }
    double duration() const override { return seconds_; }
    QImage frame(double t, QSize size, bool hdr) override
    {
        if (calls_++ == failAt_) throw std::runtime_error("The compositor gave up.");
        return paint(t, size, hdr);
    }
    Composing prepare(double t, QSize size, bool hdr) override
    {
        if (!split_) return ComposedVideo::prepare(t, size, hdr);
        const bool fails = calls_++ == failAt_;
        return [=] {
            if (fails) throw std::runtime_error("The compositor gave up.");
            return paint(t, size, hdr);
        };
    }
    int calls() const { return calls_; }

private:
    static QImage paint(double t, QSize size, bool hdr)
    {
        QImage image(size, hdr ? QImage::Format_RGBA64 : QImage::Format_ARGB32_Premultiplied);
        image.fill(QColor::fromHsvF(std::fmod(t, 1.0), 0.8, 0.9));
        QPainter(&image).fillRect(0, 0, size.width() / 2, size.height() / 2, Qt::white);
        return image;
    }

    double seconds_;
    int failAt_;
    bool split_;
    std::atomic<int> calls_{0};
};

class ToneMix : public MixedAudio {
public:
    explicit ToneMix(double seconds, bool sound = true) : total_(static_cast<std::int64_t>(seconds * 48000)), sound_(sound) {}
    bool hasAudio() const override { return sound_; }
    double duration() const override { return total_ / 48000.0; }
    media::AudioBuffer read(std::int64_t maxFrames) override
    {
        std::int64_t n = std::min(maxFrames, total_ - position_);
        media::AudioBuffer out({48000, 2}, std::max<std::int64_t>(n, 0));
        for (std::int64_t i = 0; i < n; ++i)
            out.planes[0][i] = out.planes[1][i] = 0.2f * static_cast<float>(std::sin((position_ + i) * 0.057));
        position_ += std::max<std::int64_t>(n, 0);
        return out;
    }

private:
    std::int64_t total_;
    std::int64_t position_ = 0;
    bool sound_;
};

}  // namespace vt::test
