#include "video/Filmstrip.h"

#include "platform/media/MediaError.h"
#include "platform/media/VideoFrameReader.h"
#include "platform/media/VideoProbe.h"

#include <QTransform>

#include <algorithm>
#include <cmath>
#include <optional>

namespace vt::Filmstrip {

namespace {

constexpr int stripEdge = 180;
constexpr double grabTolerance = 0.1;
constexpr double endMargin = 0.05;

QImage upright(const media::VideoFrame& frame, int clockwise)
{
    QImage image(frame.pixels.data(), frame.width, frame.height, frame.bytesPerLine, QImage::Format_ARGB32);
    image = image.copy();  // own the pixels
    if (clockwise == 0) return image;
    return image.transformed(QTransform().rotate(clockwise));
}

// Grabs upright pictures at file times; pictures that fail are left out.
class Grabber {
public:
    Grabber(const std::filesystem::path& file, int edge)
    {
        try {
            const auto facts = media::probeVideo(file);
            if (!facts) return;
            rotation_ = facts->rotation;
            reader_.emplace(file, edge, edge);
        } catch (const media::MediaError&) {
            reader_.reset();
        }
    }

    std::optional<QImage> at(double time, double tolerance)
    {
        if (!reader_) return std::nullopt;
        auto frame = reader_->frameAt(time, tolerance);
        if (!frame) return std::nullopt;
        return upright(*frame, rotation_);
    }

private:
    std::optional<media::VideoFrameReader> reader_;
    int rotation_ = 0;
};

void sortByTime(std::vector<Frame>& frames)
{
    std::stable_sort(frames.begin(), frames.end(), [](const Frame& a, const Frame& b) { return a.time < b.time; });
}

}  // namespace

std::vector<Frame> frames(const std::filesystem::path& file, double lower, double upper, int maxCount)
{
    const double span = upper - lower;
    if (!(span > 0) || maxCount <= 0) return {};
    const int n = std::min(std::max(int(std::ceil(span)), 8), maxCount);
    const double step = span / n;
    const double tolerance = std::min(step / 2, 0.5);
    Grabber grabber(file, stripEdge);
    std::vector<Frame> out;
    for (int i = 0; i < n; ++i) {
        const double time = std::round((lower + step * (i + 0.5)) * 600) / 600;
        if (auto image = grabber.at(time, tolerance)) out.push_back({time, std::move(*image)});
    }
    sortByTime(out);
    return out;
}

const Frame* nearest(const std::vector<Frame>& frames, double time)
{
    if (frames.empty()) return nullptr;
    std::size_t lo = 0, hi = frames.size() - 1;
    if (frames.size() >= 3) {
        while (hi - lo > 1) {
            const std::size_t mid = (lo + hi) / 2;
            if (time >= frames[mid].time)
                lo = mid;
            else
                hi = mid;
        }
    }
    return std::abs(frames[lo].time - time) <= std::abs(frames[hi].time - time) ? &frames[lo] : &frames[hi];
}

std::vector<Frame> framesAtSource(const std::vector<ClipSpan>& spans, const std::vector<double>& times, int maxSize)
{
    std::vector<Frame> out;
    for (std::size_t k = 0; k < spans.size(); ++k) {
        const ClipSpan& span = spans[k];
        const double end = span.start + span.clip.duration;
        const bool last = k + 1 == spans.size();
        std::vector<double> fileTimes;
        for (double t : times)
            if (t >= span.start && (t < end || last)) fileTimes.push_back(std::round(std::min(t - span.start, span.clip.duration - endMargin) * 600) / 600);
        if (fileTimes.empty()) continue;
        Grabber grabber(span.clip.path, maxSize);
        for (double t : fileTimes)
            if (auto image = grabber.at(t, grabTolerance)) out.push_back({t + span.start, std::move(*image)});
    }
    sortByTime(out);
    return out;
}

std::vector<Frame> join(const std::vector<ClipSpan>& spans, const std::map<Uuid, std::vector<Frame>>& clipFrames)
{
    std::vector<Frame> out;
    for (const ClipSpan& span : spans) {
        const auto frames = clipFrames.find(span.clip.id);
        if (frames == clipFrames.end()) continue;
        for (const Frame& f : frames->second) out.push_back({f.time + span.start, f.image});
    }
    return out;
}

}  // namespace vt::Filmstrip
