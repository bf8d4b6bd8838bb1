#include "platform/vision/PersonMask.h"

#include "platform/vision/FaceCascade.h"

#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace vt {
namespace {

// The frame is read once at a quarter of full HD: talking-head faces are far
// larger than the detector's 24-pixel window there, and GrabCut works on a
// smaller copy still. One GrabCut round: a second one re-learns the colour
// models from the first cut and gave the same masks at half again the cost.
constexpr int kReadSide = 480;   // longest side the frame is read and faces found at
constexpr int kCutSide = 192;    // longest side GrabCut works at
constexpr int kCutRounds = 1;
// GrabCut starts its colour models with k-means, seeded from the thread's
// random generator; a fixed seed gives the same frame the same mask on every
// call and every thread.
constexpr std::uint64_t kCutSeed = 0x5eed;

// Sets the calling thread's OpenCV random generator for one scope and puts
// the caller's state back afterwards.
class SeededRandom {
public:
    explicit SeededRandom(std::uint64_t seed) : saved_(cv::theRNG()) { cv::theRNG() = cv::RNG(seed); }
    ~SeededRandom() { cv::theRNG() = saved_; }
    SeededRandom(const SeededRandom&) = delete;
    SeededRandom& operator=(const SeededRandom&) = delete;

private:
    cv::RNG saved_;
};

cv::Mat scaledTo(const cv::Mat& image, int longest)
{
    const int side = std::max(image.cols, image.rows);
    if (side <= longest) return image;
    const double s = static_cast<double>(longest) / side;
    cv::Mat out;
    cv::resize(image, out, cv::Size(std::max(1, static_cast<int>(std::lround(image.cols * s))),
                                    std::max(1, static_cast<int>(std::lround(image.rows * s)))),
               0, 0, cv::INTER_AREA);
    return out;
}

// The largest face that a closer look confirms: a mask grown from a stray
// box on clothing or a prop would cover that instead of the speaker. The
// picture is evened out first, as it always was for the mask: the seeds
// below were tuned on the boxes found that way, and the masks of nearby
// frames depend on those boxes moving little.
std::optional<cv::Rect> largestFace(const cv::Mat& bgr)
{
    cv::Mat grey;
    cv::cvtColor(bgr, grey, cv::COLOR_BGR2GRAY);
    cv::equalizeHist(grey, grey);
    const std::vector<cv::Rect> faces = vision::confirmedFaces(grey);
    if (faces.empty()) return std::nullopt;
    return *std::max_element(faces.begin(), faces.end(), [](const cv::Rect& a, const cv::Rect& b) { return a.area() < b.area(); });
}

// GrabCut seeds from a face: the face core and a chest column are person;
// above the head and the far sides are background; the head-and-shoulders
// region between is left for GrabCut to decide.
cv::Mat seedsFor(cv::Size size, const cv::Rect& face)
{
    cv::Mat seeds(size, CV_8U, cv::Scalar(cv::GC_BGD));
    const cv::Rect frame(0, 0, size.width, size.height);
    const int cx = face.x + face.width / 2;
    const cv::Rect body(cx - 2 * face.width, face.y - face.height / 2, 4 * face.width, size.height);
    seeds(body & frame).setTo(cv::GC_PR_BGD);
    const cv::Rect torso(cx - static_cast<int>(1.6 * face.width), face.y + face.height,
                         static_cast<int>(3.2 * face.width), size.height);
    seeds(torso & frame).setTo(cv::GC_PR_FGD);
    const cv::Rect head(face.x - face.width / 8, face.y - face.height / 3, face.width * 5 / 4, face.height * 4 / 3);
    seeds(head & frame).setTo(cv::GC_PR_FGD);
    const cv::Rect core(face.x + face.width / 5, face.y + face.height / 5, face.width * 3 / 5, face.height * 3 / 5);
    seeds(core & frame).setTo(cv::GC_FGD);
    const cv::Rect chest(cx - face.width / 3, face.y + face.height * 6 / 5, face.width * 2 / 3, face.height);
    seeds(chest & frame).setTo(cv::GC_FGD);
    return seeds;
}

// Keeps the connected region that holds the face, smoothing its outline.
cv::Mat personRegion(const cv::Mat& labels, const cv::Rect& face)
{
    cv::Mat person = (labels == cv::GC_FGD) | (labels == cv::GC_PR_FGD);
    const cv::Mat kernel = cv::getStructuringElement(cv::MORPH_ELLIPSE, cv::Size(5, 5));
    cv::morphologyEx(person, person, cv::MORPH_OPEN, kernel);
    cv::morphologyEx(person, person, cv::MORPH_CLOSE, kernel);
    cv::Mat components;
    cv::connectedComponents(person, components, 8, CV_32S);
    const cv::Point centre(std::clamp(face.x + face.width / 2, 0, person.cols - 1),
                           std::clamp(face.y + face.height / 2, 0, person.rows - 1));
    const int label = components.at<int>(centre);
    if (label == 0) return person;
    return components == label;
}

}  // namespace

std::optional<GreyImage> PersonMask::mask(const FrameView& frame)
{
    if (!frame.pixels || frame.width < 1 || frame.height < 1 || frame.bytesPerLine < frame.width * 4) return std::nullopt;
    const cv::Mat bgra(frame.height, frame.width, CV_8UC4, const_cast<std::uint8_t*>(frame.pixels),
                       static_cast<std::size_t>(frame.bytesPerLine));
    cv::Mat read;
    cv::cvtColor(scaledTo(bgra, kReadSide), read, cv::COLOR_BGRA2BGR);

    const auto found = largestFace(read);
    if (!found) return std::nullopt;

    const cv::Mat small = scaledTo(read, kCutSide);
    const double s = static_cast<double>(small.cols) / read.cols;
    const cv::Rect face(static_cast<int>(found->x * s), static_cast<int>(found->y * s),
                        std::max(1, static_cast<int>(found->width * s)), std::max(1, static_cast<int>(found->height * s)));
    cv::Mat labels = seedsFor(small.size(), face);
    // Only the band round the person is cut (with a margin of certain
    // background for the colour model); the rest is background already.
    const int cx = face.x + face.width / 2;
    const cv::Rect band = cv::Rect(cx - 5 * face.width / 2, face.y - face.height, 5 * face.width, small.rows)
                          & cv::Rect(0, 0, small.cols, small.rows);
    cv::Mat bandLabels = labels(band).clone();
    cv::Mat background, foreground;
    try {
        const SeededRandom seeded(kCutSeed);
        cv::grabCut(small(band), bandLabels, cv::Rect(), background, foreground, kCutRounds, cv::GC_INIT_WITH_MASK);
    } catch (const cv::Exception&) {
        return std::nullopt;
    }
    bandLabels.copyTo(labels(band));
    cv::Mat person = personRegion(labels, face);

    cv::Mat full;
    cv::resize(person, full, cv::Size(frame.width, frame.height), 0, 0, cv::INTER_LINEAR);
    const int soft = std::max(3, (std::max(frame.width, frame.height) / 200) | 1);
    cv::GaussianBlur(full, full, cv::Size(soft, soft), 0);

    GreyImage out;
    out.width = frame.width;
    out.height = frame.height;
    out.pixels.resize(static_cast<std::size_t>(frame.width) * frame.height);
    for (int y = 0; y < frame.height; ++y) std::copy_n(full.ptr<std::uint8_t>(y), frame.width, &out.pixels[static_cast<std::size_t>(y) * frame.width]);
    return out;
}

}  // namespace vt
