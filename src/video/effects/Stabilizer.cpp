#include "video/effects/Stabilizer.h"

#include "platform/media/MediaError.h"
#include "speech/CaptionError.h"

#include <opencv2/imgproc.hpp>
#include <opencv2/videoio.hpp>

#include <algorithm>
#include <cmath>

namespace vt::Stabilizer {

namespace {

// Quarter turns clockwise (0…3) that the preferred transform gives the
// picture on screen, as the compositor turns it: (0, 1, −1, 0) is one.
int quarterTurns(const AffineTransform& t)
{
    const double angle = std::atan2(t.b, t.a);
    return static_cast<int>(std::lround(angle / (M_PI / 2))) & 3;
}

// A decoded frame upright, grey, scaled by `scale`, as floats.
cv::Mat prepared(const cv::Mat& frame, int turns, double scale)
{
    cv::Mat grey;
    cv::cvtColor(frame, grey, frame.channels() == 4 ? cv::COLOR_BGRA2GRAY : cv::COLOR_BGR2GRAY);
    if (turns == 1) cv::rotate(grey, grey, cv::ROTATE_90_CLOCKWISE);
    else if (turns == 2) cv::rotate(grey, grey, cv::ROTATE_180);
    else if (turns == 3) cv::rotate(grey, grey, cv::ROTATE_90_COUNTERCLOCKWISE);
    cv::Mat small;
    const cv::Size size(std::max(1, static_cast<int>(std::lround(grey.cols * scale))),
                        std::max(1, static_cast<int>(std::lround(grey.rows * scale))));
    cv::resize(grey, small, size, 0, 0, cv::INTER_AREA);
    cv::Mat out;
    small.convertTo(out, CV_32F);
    return out;
}

}  // namespace

CameraPath analyze(const std::filesystem::path& file, const SourceVideoInfo& source,
                   const std::function<void(double)>& progress, const CancelToken& cancel)
{
    if (!std::filesystem::is_regular_file(file)) throw media::MediaError("The file could not be opened.");
    cv::VideoCapture capture;
    capture.open(file.string(), cv::CAP_FFMPEG);
    // Frames are turned upright here, by the project's transform; a decoder
    // that cannot be stopped from turning them itself has done so already
    // (a half turn cannot be told from the frame's size).
    capture.set(cv::CAP_PROP_ORIENTATION_AUTO, 0);
    cv::Mat frame;
    if (!capture.isOpened() || !capture.read(frame) || frame.empty()) throw CaptionError::noVideoTrack();
    const int turns = capture.get(cv::CAP_PROP_ORIENTATION_AUTO) != 0 ? 0 : quarterTurns(source.transform);
    const double w = std::abs(source.naturalWidth * source.transform.a + source.naturalHeight * source.transform.c);
    const double h = std::abs(source.naturalWidth * source.transform.b + source.naturalHeight * source.transform.d);
    const double shortSide = std::min(w, h) > 0 ? std::min(w, h) : std::min(frame.cols, frame.rows);
    const double scale = 360 / shortSide;
    const bool halve = source.fps > 40;
    const double streamRate = capture.get(cv::CAP_PROP_FPS);
    const double rate = streamRate > 0 ? streamRate : std::max(source.fps, 1.0);

    CameraPath path;
    double x = 0, y = 0;
    cv::Mat previous, window;
    for (long k = 0;; ++k) {
        if (k > 0 && (!capture.read(frame) || frame.empty())) break;
        cancel.throwIfCancelled();
        if (halve && k % 2 == 1) continue;
        // The decoder's presentation time; near the end of some files it
        // reports none (0), and the frame's place at the stream's rate
        // stands in.
        double t = capture.get(cv::CAP_PROP_POS_MSEC) / 1000;
        if (!path.t.empty() && !(t > path.t.back())) t = path.t.front() + static_cast<double>(k) / rate;
        cv::Mat current = prepared(frame, turns, scale);
        if (!previous.empty() && previous.size() == current.size()) {
            if (window.size() != current.size()) cv::createHanningWindow(window, current.size(), CV_32F);
            // phaseCorrelate gives the move of the content from the previous
            // frame to this one in rows (y down); the path's y grows upward.
            const cv::Point2d shift = cv::phaseCorrelate(previous, current, window);
            const double dx = shift.x / current.cols, dy = -shift.y / current.rows;
            if (std::isfinite(dx) && std::isfinite(dy) && std::max(std::abs(dx), std::abs(dy)) <= 0.15) {
                x += dx;
                y += dy;
            }
        }
        path.t.push_back(t);
        path.x.push_back(x);
        path.y.push_back(y);
        if (path.t.size() % 15 == 0 && progress) progress(std::min(t / std::max(source.duration, 0.1), 0.99));
        previous = std::move(current);
    }
    if (progress) progress(1.0);
    return path;
}

StabilizationCorrection correction(const CameraPath& path, double strength)
{
    StabilizationCorrection out;
    out.t = path.t;
    const std::size_t n = path.t.size();
    if (n <= 2) {
        out.dx.assign(path.x.size(), 0);
        out.dy.assign(path.y.size(), 0);
        return out;
    }
    const double rate = static_cast<double>(n - 1) / std::max(path.t[n - 1] - path.t[0], 0.001);
    const double sigma = std::max((2.2 * strength * strength + 0.15) * rate, 1.0);
    const long r = static_cast<long>(3 * sigma);
    std::vector<double> weight(static_cast<std::size_t>(2 * r + 1));
    for (long j = -r; j <= r; ++j)
        weight[static_cast<std::size_t>(j + r)] = std::exp(-static_cast<double>(j * j) / (2 * sigma * sigma));
    auto shifts = [&](const std::vector<double>& v) {
        std::vector<double> d(n);
        const long last = static_cast<long>(std::min(n, v.size())) - 1;
        for (long i = 0; i <= last; ++i) {
            double sum = 0, total = 0;
            for (long j = std::max(-r, -i); j <= std::min(r, last - i); ++j) {
                const double wj = weight[static_cast<std::size_t>(j + r)];
                sum += wj * v[static_cast<std::size_t>(i + j)];
                total += wj;
            }
            d[static_cast<std::size_t>(i)] = std::clamp(sum / total - v[static_cast<std::size_t>(i)], -0.08, 0.08);
        }
        return d;
    };
    out.dx = shifts(path.x);
    out.dy = shifts(path.y);
    double m = 0;
    for (double d : out.dx) m = std::max(m, std::abs(d));
    for (double d : out.dy) m = std::max(m, std::abs(d));
    out.zoom = 1 + 2 * m + 0.005;
    return out;
}

}  // namespace vt::Stabilizer
