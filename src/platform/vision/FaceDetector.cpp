#include "platform/vision/FaceDetector.h"

#include "platform/vision/FaceCascade.h"

#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include <algorithm>

namespace vt {

std::vector<FaceBox> FaceDetector::faces(const FrameView& frame)
{
    if (!frame.pixels || frame.width <= 0 || frame.height <= 0 || frame.bytesPerLine < frame.width * 4) return {};
    cv::CascadeClassifier* cascade = vision::frontalFaceCascade();
    if (!cascade) return {};
    const cv::Mat bgra(frame.height, frame.width, CV_8UC4, const_cast<std::uint8_t*>(frame.pixels),
                       static_cast<std::size_t>(frame.bytesPerLine));
    cv::Mat grey;
    cv::cvtColor(bgra, grey, cv::COLOR_BGRA2GRAY);
    cv::equalizeHist(grey, grey);
    // Faces smaller than a twelfth of the short side are not the speaker.
    const int minimum = std::max(16, std::min(grey.cols, grey.rows) / 12);
    std::vector<cv::Rect> found;
    cascade->detectMultiScale(grey, found, 1.1, 4, 0, cv::Size(minimum, minimum));
    std::vector<FaceBox> boxes;
    boxes.reserve(found.size());
    const double w = frame.width, h = frame.height;
    for (const cv::Rect& r : found)
        boxes.push_back({r.x / w, (h - r.y - r.height) / h, r.width / w, r.height / h});
    return boxes;
}

}  // namespace vt
