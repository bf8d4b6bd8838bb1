#pragma once
// The measured camera path of the source: cumulative displacement of the
// picture content per sample, in the upright frame (origin bottom-left, y
// up). Only changes from sample to sample matter. The three lists have the
// same length and `t` ascends; all three keys are required when reading.

#include "platform/JsonCoding.h"

#include <cstddef>
#include <functional>
#include <vector>

namespace vt {

struct CameraPath {
    std::vector<double> t;  // source seconds (joined source timeline)
    std::vector<double> x;  // fraction of the frame width
    std::vector<double> y;  // fraction of the frame height, positive upward
    json::Unknown unknown{};  // what a newer version stored, written back as it came

    friend bool operator==(const CameraPath&, const CameraPath&) = default;

    json::Value toJson() const;
    static CameraPath fromJson(const json::Value& v);
};

}  // namespace vt

template <>
struct std::hash<vt::CameraPath> {
    std::size_t operator()(const vt::CameraPath& p) const noexcept;
};
