#pragma once
// The colour grade of a picture. The frame compositor calls it for a clip's
// own grade, the project grade and B-roll, only with grades that are not
// neutral; the look previews call it always.
//
// Thread-safe; any number of render threads at once. Colour cubes are built
// once per look and intensity step and kept for the whole process.

#include "model/ColorLook.h"
#include "model/VideoGrade.h"

#include <QImage>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vt::ColorGrader {

inline constexpr int kCubeDimension = 33;

// `picture` graded by `grade` at output `time` (the grain changes every
// 1/24 s); the same size. Each adjustment that is 0 is skipped.
QImage apply(const VideoGrade& grade, const QImage& picture, double time);

// The cube cache's key of a look at an intensity: the id, "|" and the
// intensity in twentieths rounded half away from zero; none for an intensity
// that is not finite or out of the integer range.
std::optional<std::string> cubeKey(const ColorLook& look, double intensity);

// The 33³ colour cube of `look` mixed with the identity at `intensity`: four
// floats per entry (red, green, blue, 1), red varying fastest, then green,
// then blue. None for the "none" look or an intensity without a key. Built
// once per key: a later intensity of the same step gets the first one's cube.
std::shared_ptr<const std::vector<float>> cube(const ColorLook& look, double intensity);

// A grade for the sampled frames measured from their average colour:
// exposure, white balance, highlights and shadows from it, a fixed touch of
// contrast, vibrance and sharpening, and `keeping`'s look and creative
// settings. No frames: `keeping` itself.
VideoGrade autoGrade(const std::vector<QImage>& frames, const VideoGrade& keeping);

}  // namespace vt::ColorGrader
