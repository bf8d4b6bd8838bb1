#pragma once
// Cover pictures for the finished video: frames sampled across the edited
// video, scored by how well a face is captured, the best few kept apart in
// time; and the chosen one rendered in the output shape with the project's
// grade and a headline in one of four designs.
//
// The face-capture quality is a stand-in built from OpenCV: a frontal face
// found by the face detector (a Haar cascade, each box confirmed by eyes or
// a profile), scored from its size, its sharpness (variance of
// the Laplacian) and its exposure. It does not judge eyes open or closed,
// expression, pose beyond "frontal enough to detect", occlusion or motion
// blur outside the face, and it finds only faces turned to the camera.

#include "model/EditPlan.h"
#include "model/Geometry.h"
#include "model/VideoGrade.h"
#include "platform/Uuid.h"

#include <QImage>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vt {

struct ThumbnailCandidate {
    Uuid id;
    double sourceTime = 0;  // seconds on the source timeline
    QImage image;           // as the frame source gave it
    double score = 0;       // 0 without a face; else the face's quality + 0.2
    Point focus{0.5, 0.5};  // the best face's centre (fractions, y up)
};

enum class ThumbnailTemplate { bold, clean, cinematic, frame };

constexpr auto enumCases(ThumbnailTemplate)
{
    using T = ThumbnailTemplate;
    return std::array{std::pair{T::bold, std::string_view("Bold")}, std::pair{T::clean, std::string_view("Clean")},
                      std::pair{T::cinematic, std::string_view("Cinematic")},
                      std::pair{T::frame, std::string_view("Frame only")}};
}

namespace ThumbnailGenerator {

// Gives the frames it can for the source times asked, as (time, image) pairs.
using FrameSource = std::function<std::vector<std::pair<double, QImage>>(const std::vector<double>&)>;

// The face found in one frame: its quality (0…1) and centre; none without one.
struct Face {
    double quality = 0;
    Point center;
};
std::optional<Face> bestFace(const QImage& image);

// Up to `count` candidates, best first: 18 frames at the middles of equal
// slices of the output, ranked by score (ties in sample order), each at least
// 2/18 of the output length from those already taken (in source time).
std::vector<ThumbnailCandidate> candidates(const EditPlan& plan, int count, const FrameSource& frames);

// The candidate's frame filled into `size` around its focus, graded unless
// the grade is absent or neutral, with the template's headline (surrounding
// white space trimmed); none for a size without pixels.
std::optional<QImage> render(const ThumbnailCandidate& candidate, ThumbnailTemplate design, const std::string& text,
                             QSize size, const std::optional<VideoGrade>& grade);

// Writes `image` as a PNG at `file` (whole, or not at all). Throws
// std::runtime_error saying so when it cannot be written.
void writePng(const QImage& image, const std::filesystem::path& file);

}  // namespace ThumbnailGenerator
}  // namespace vt
