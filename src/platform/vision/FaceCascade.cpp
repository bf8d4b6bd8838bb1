#include "platform/vision/FaceCascade.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <array>
#include <string>

#ifndef VT_HAAR_FOLDER
#define VT_HAAR_FOLDER "/usr/share/opencv4/haarcascades"
#endif

namespace vt::vision {

namespace {

// A close look at a face box happens at this size, so that the eye cascade's
// 20-pixel window fits the eyes of a small face too.
constexpr int kLookSide = 160;

// Eyes of a confirmed face: an eye found on each side of the box's middle,
// in its upper part (centres between 15 % and 55 % of its height).
bool hasEyes(const cv::Mat& grey, const cv::Rect& box)
{
    cv::CascadeClassifier* eyes = cascade(Cascade::eye);
    if (!eyes) return false;
    cv::Mat look;
    cv::resize(grey(box), look, cv::Size(kLookSide, kLookSide), 0, 0, box.width > kLookSide ? cv::INTER_AREA : cv::INTER_LINEAR);
    cv::equalizeHist(look, look);
    std::vector<cv::Rect> found;
    eyes->detectMultiScale(look, found, 1.1, 3, 0, cv::Size(kLookSide / 8, kLookSide / 8),
                           cv::Size(kLookSide * 2 / 5, kLookSide * 2 / 5));
    bool left = false, right = false;
    for (const cv::Rect& e : found) {
        const double cx = e.x + e.width / 2.0, cy = e.y + e.height / 2.0;
        if (cy < 0.15 * kLookSide || cy > 0.55 * kLookSide) continue;
        (cx < kLookSide / 2.0 ? left : right) = true;
    }
    return left && right;
}

// A face in profile, either way round, over the box and a quarter of its
// size around it, at least half its size.
bool hasProfile(const cv::Mat& grey, const cv::Rect& box)
{
    cv::CascadeClassifier* profile = cascade(Cascade::profileFace);
    if (!profile) return false;
    const cv::Rect around = cv::Rect(box.x - box.width / 4, box.y - box.height / 4, box.width * 3 / 2, box.height * 3 / 2)
                            & cv::Rect(0, 0, grey.cols, grey.rows);
    const cv::Size smallest(box.width / 2, box.height / 2);
    cv::Mat mirrored;
    cv::flip(grey(around), mirrored, 1);
    for (const cv::Mat& region : {grey(around), mirrored}) {
        std::vector<cv::Rect> found;
        profile->detectMultiScale(region, found, 1.1, 3, 0, smallest);
        if (!found.empty()) return true;
    }
    return false;
}

}  // namespace

cv::CascadeClassifier* cascade(Cascade which)
{
    static constexpr std::array<const char*, 3> kFiles{"haarcascade_frontalface_default.xml", "haarcascade_eye.xml",
                                                       "haarcascade_profileface.xml"};
    thread_local std::array<cv::CascadeClassifier, 3> loaded;
    thread_local std::array<bool, 3> tried{};
    const auto i = static_cast<std::size_t>(which);
    if (!tried[i]) {
        tried[i] = true;
        loaded[i].load(std::string(VT_HAAR_FOLDER "/") + kFiles[i]);
    }
    return loaded[i].empty() ? nullptr : &loaded[i];
}

std::vector<cv::Rect> confirmedFaces(const cv::Mat& grey)
{
    cv::CascadeClassifier* frontal = cascade(Cascade::frontalFace);
    if (!frontal || grey.empty()) return {};
    // No histogram equalisation of the whole picture: on a frame that is
    // mostly flat backdrop it flattens the face's own contrast.
    const int shortSide = std::min(grey.cols, grey.rows);
    const int smallest = std::max(24, shortSide / 20);
    const int largest = std::max(smallest, shortSide * 9 / 10);
    // Five overlapping hits, one more than usual: stray boxes gather fewer.
    std::vector<cv::Rect> found;
    frontal->detectMultiScale(grey, found, 1.1, 5, 0, cv::Size(smallest, smallest), cv::Size(largest, largest));
    std::vector<cv::Rect> faces;
    for (const cv::Rect& box : found)
        if (hasEyes(grey, box) || hasProfile(grey, box)) faces.push_back(box);
    return faces;
}

}  // namespace vt::vision
