#include "video/effects/FaceTracker.h"

#include "platform/media/MediaError.h"
#include "platform/media/VideoFile.h"

#include <algorithm>
#include <cmath>

namespace vt {
namespace {

constexpr int kFrameSide = 640;
constexpr double kTolerance = 0.25;  // seconds either side of a requested time
constexpr int kHalfWindow = 3;       // 7-sample moving average
constexpr double kDeadBand = 0.03;

}  // namespace

std::vector<double> FaceTracker::sampleTimes(double duration)
{
    const double step = std::max(duration / 400.0, 0.5);
    const double end = duration <= 0.1 ? 0.1 : duration;
    std::vector<double> times;
    for (int i = 0; i * step < end; ++i) times.push_back(i * step);
    return times;
}

std::optional<Point> FaceTracker::facePoint(const std::vector<FaceBox>& faces, std::optional<Point> near)
{
    const auto point = [](const FaceBox& f) {
        return Point{f.x + f.width / 2, std::min(f.y + f.height / 2 + 0.15 * f.height, 1.0)};
    };
    const auto distance = [&](const FaceBox& f) { return std::hypot(point(f).x - near->x, point(f).y - near->y); };
    if (faces.empty()) return std::nullopt;
    const FaceBox* best = &faces.front();
    for (const FaceBox& f : faces) {
        const bool better = near ? distance(f) < distance(*best) : f.width * f.height > best->width * best->height;
        if (better) best = &f;
    }
    return point(*best);
}

std::optional<FaceTrack> FaceTracker::build(const std::vector<Raw>& raw)
{
    const auto first = std::find_if(raw.begin(), raw.end(), [](const Raw& r) { return r.point.has_value(); });
    if (first == raw.end()) return std::nullopt;

    std::vector<FaceTrack::Sample> filled;
    filled.reserve(raw.size());
    Point carry = *first->point;
    for (const Raw& r : raw) {
        if (r.point) carry = *r.point;
        filled.push_back({r.t, carry.x, carry.y});
    }

    const int n = static_cast<int>(filled.size());
    std::vector<FaceTrack::Sample> smooth(filled);
    for (int i = 0; i < n; ++i) {
        const int lo = std::max(i - kHalfWindow, 0), hi = std::min(i + kHalfWindow, n - 1);
        double x = 0, y = 0;
        for (int j = lo; j <= hi; ++j) x += filled[j].x, y += filled[j].y;
        smooth[i].x = x / (hi - lo + 1);
        smooth[i].y = y / (hi - lo + 1);
    }

    FaceTrack track;
    track.samples.reserve(smooth.size());
    for (const FaceTrack::Sample& s : smooth) {
        if (!track.samples.empty()) {
            const FaceTrack::Sample& last = track.samples.back();
            if (std::abs(s.x - last.x) < kDeadBand && std::abs(s.y - last.y) < kDeadBand) {
                track.samples.push_back({s.t, last.x, last.y});
                continue;
            }
        }
        track.samples.push_back(s);
    }
    return track;
}

std::optional<FaceTrack> FaceTracker::analyze(const std::filesystem::path& url, double duration,
                                              const std::function<void(double)>& progress)
{
    const std::vector<double> times = sampleTimes(duration);
    std::vector<Raw> raw;
    raw.reserve(times.size());
    std::optional<Point> last;  // the latest face found
    try {
        media::VideoFile file(url);
        file.frames(times, kFrameSide, kTolerance, [&](std::size_t i, std::optional<media::Picture> picture) {
            if (progress) progress(static_cast<double>(i + 1) / static_cast<double>(times.size()));
            if (!picture) return;
            const FrameView view{picture->bgra.data(), picture->width, picture->height, picture->width * 4};
            const std::optional<Point> point = facePoint(FaceDetector::faces(view), last);
            if (point) last = point;
            raw.push_back({times[i], point});
        });
    } catch (const media::MediaError&) {
        // An unreadable file is a video without faces.
    }
    return build(raw);
}

}  // namespace vt
