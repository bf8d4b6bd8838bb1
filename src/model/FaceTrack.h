#pragma once
// Where the speaker's face is over the source, sampled for follow-face
// framing. Positions are fractions of the upright frame, origin bottom-left,
// y up; every key is required when reading.

#include "model/Geometry.h"
#include "platform/JsonCoding.h"

#include <cstddef>
#include <functional>
#include <vector>

namespace vt {

struct FaceTrack {
    struct Sample {
        double t = 0;  // source seconds (joined source timeline)
        double x = 0;  // 0 left edge … 1 right edge
        double y = 0;  // 0 bottom edge … 1 top edge
        json::Unknown unknown{};  // what a newer version stored, written back as it came

        friend bool operator==(const Sample&, const Sample&) = default;

        json::Value toJson() const;
        static Sample fromJson(const json::Value& v);
    };

    std::vector<Sample> samples;  // ascending t
    json::Unknown unknown{};  // what a newer version stored, written back as it came

    // The focus point at `time`: the frame centre without samples, the first
    // or last sample's point outside their span, otherwise linear between
    // the two samples around it. Pure; safe on any thread.
    Point center(double time) const;

    friend bool operator==(const FaceTrack&, const FaceTrack&) = default;

    json::Value toJson() const;
    static FaceTrack fromJson(const json::Value& v);
};

}  // namespace vt

template <>
struct std::hash<vt::FaceTrack::Sample> {
    std::size_t operator()(const vt::FaceTrack::Sample& s) const noexcept;
};
template <>
struct std::hash<vt::FaceTrack> {
    std::size_t operator()(const vt::FaceTrack& track) const noexcept;
};
