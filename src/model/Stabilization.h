#pragma once
// The stabilization settings with the measured camera path, which is kept so
// it never has to be measured again. "enabled" and "strength" are required
// when reading; "path" may be absent (not measured yet).

#include "model/CameraPath.h"
#include "platform/JsonCoding.h"

#include <cstddef>
#include <functional>
#include <optional>

namespace vt {

struct Stabilization {
    bool enabled = false;             // frames are corrected
    double strength = 0.6;            // 0 gentle … 1 tripod-steady; 0.6 for a new record
    std::optional<CameraPath> path;   // absent until measured
    json::Unknown unknown{};  // what a newer version stored, written back as it came

    friend bool operator==(const Stabilization&, const Stabilization&) = default;

    json::Value toJson() const;
    static Stabilization fromJson(const json::Value& v);
};

}  // namespace vt

template <>
struct std::hash<vt::Stabilization> {
    std::size_t operator()(const vt::Stabilization& s) const noexcept;
};
