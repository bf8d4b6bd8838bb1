#pragma once
// A colour grade: a colour look chosen by id plus fourteen manual adjustments.
// The record clamps nothing; the ranges below are what the editing controls
// offer, and the grader accepts any value. Stored with every key required.

#include "platform/JsonCoding.h"

#include <cstddef>
#include <functional>
#include <string>

namespace vt {

struct VideoGrade {
    std::string look = "none";  // a ColorLook id; "none" means no look
    double intensity = 0.8;     // 0…1, how strongly the look's colour cube is mixed in
    double exposure = 0;        // −1…1, in stops (× 1.5)
    double contrast = 0;        // −1…1, around mid-grey
    double highlights = 0;      // −1…1
    double shadows = 0;         // −1…1
    double temperature = 0;     // −1…1, blue–yellow
    double tint = 0;            // −1…1, green–magenta
    double saturation = 0;      // −1…1, added to a factor of 1
    double vibrance = 0;        // −1…1
    double sharpness = 0;       // 0…1
    double clarity = 0;         // 0…1
    double denoise = 0;         // 0…1
    double vignette = 0;        // 0…1
    double grain = 0;           // 0…1
    double glow = 0;            // 0…1
    json::Unknown unknown{};  // what a newer version stored, written back as it came

    // No look and all fourteen adjustments 0; the intensity does not count.
    // Pictures with a neutral grade are not graded at all.
    bool isNeutral() const;

    friend bool operator==(const VideoGrade& a, const VideoGrade& b);

    json::Value toJson() const;
    static VideoGrade fromJson(const json::Value& v);
};

}  // namespace vt

template <>
struct std::hash<vt::VideoGrade> {
    std::size_t operator()(const vt::VideoGrade& grade) const noexcept;
};
