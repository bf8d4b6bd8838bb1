#include "platform/vision/FaceDetector.h"

#include "platform/vision/FaceCascade.h"

#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>

namespace vt {

namespace {

bool readable(const FrameView& frame)
{
    return frame.pixels && frame.width > 0 && frame.height > 0 && frame.bytesPerLine >= frame.width * 4;
}

cv::Mat greyOf(const FrameView& frame)
{
    const cv::Mat bgra(frame.height, frame.width, CV_8UC4, const_cast<std::uint8_t*>(frame.pixels),
                       static_cast<std::size_t>(frame.bytesPerLine));
    cv::Mat grey;
    cv::cvtColor(bgra, grey, cv::COLOR_BGRA2GRAY);
    return grey;
}

}  // namespace

std::vector<FaceBox> FaceDetector::faces(const FrameView& frame)
{
    if (!readable(frame)) return {};
    const std::vector<cv::Rect> found = vision::confirmedFaces(greyOf(frame));
    std::vector<FaceBox> boxes;
    boxes.reserve(found.size());
    const double w = frame.width, h = frame.height;
    for (const cv::Rect& r : found)
        boxes.push_back({r.x / w, (h - r.y - r.height) / h, r.width / w, r.height / h});
    return boxes;
}

double FaceDetector::captureQuality(const FrameView& frame, const FaceBox& face)
{
    if (!readable(frame)) return 0;
    const double w = frame.width, h = frame.height;
    const cv::Rect box = cv::Rect(static_cast<int>(std::lround(face.x * w)),
                                  static_cast<int>(std::lround((1 - face.y - face.height) * h)),
                                  static_cast<int>(std::lround(face.width * w)), static_cast<int>(std::lround(face.height * h)))
                         & cv::Rect(0, 0, frame.width, frame.height);
    if (box.empty()) return 0;
    const FrameView inside{frame.pixels + box.y * frame.bytesPerLine + box.x * 4, box.width, box.height, frame.bytesPerLine};
    const cv::Mat grey = greyOf(inside);
    const double size = std::min(1.0, box.height / (0.2 * std::min(frame.width, frame.height)));
    cv::Mat laplacian;
    cv::Laplacian(grey, laplacian, CV_64F);
    cv::Scalar mean, deviation;
    cv::meanStdDev(laplacian, mean, deviation);
    const double sharpness = std::min(1.0, deviation[0] * deviation[0] / 200);
    const double brightness = cv::mean(grey)[0] / 255;
    const double exposure = std::max(0.0, 1 - 2 * std::abs(brightness - 0.5));
    return std::clamp(0.4 * size + 0.35 * sharpness + 0.25 * exposure, 0.0, 1.0);
}

}  // namespace vt
