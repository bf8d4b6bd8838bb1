#pragma once
// The volume line of one audio item: a base level, a fade-in, a fade-out and
// points that bend the line. Pure data with pure functions.
//
// Time base: for a sound clip, seconds from the clip's start (its length is
// the clip's duration); for the video's own sound, stored point times are
// source seconds, moved to output time by the editor before use.

#include "platform/JsonCoding.h"
#include "platform/Uuid.h"

#include <cstddef>
#include <functional>
#include <vector>

namespace vt {

struct VolumeEnvelope {
    struct Point {
        Uuid id = Uuid::random();  // editing removes points by id
        double time = 0;           // seconds, in the item's time base
        double db = 0;             // level at that time
        json::Unknown unknown{};  // what a newer version stored, written back as it came

        friend bool operator==(const Point&, const Point&) = default;

        json::Value toJson() const;
        static Point fromJson(const json::Value& v);
    };

    double db = 0;               // base level, used only while there are no points
    double fadeIn = 0;           // seconds from time 0; 0 means none
    double fadeOut = 0;          // seconds ending at the item's length; 0 means none
    std::vector<Point> points;   // kept in ascending time by every writer
    json::Unknown unknown{};  // what a newer version stored, written back as it came

    // Levels at or below this are silence, so −40 dB on the editing scale is
    // really off rather than 1 %.
    static constexpr double silenceDB = -39.95;

    // The line's level in dB at `time`, without fades or the silence rule.
    double level(double time) const;
    // The linear gain (0 or more) at `time` for an item `length` long:
    // silence rule, then squared fade ramps, which can overlap.
    double gain(double time, double length) const;
    // Times at which the gain may bend: 0, length, fadeIn, length − fadeOut,
    // then every point's time. Not sorted, de-duplicated or clipped.
    std::vector<double> knots(double length) const;

    friend bool operator==(const VolumeEnvelope&, const VolumeEnvelope&) = default;

    json::Value toJson() const;
    static VolumeEnvelope fromJson(const json::Value& v);
};

}  // namespace vt

template <>
struct std::hash<vt::VolumeEnvelope::Point> {
    std::size_t operator()(const vt::VolumeEnvelope::Point& p) const noexcept;
};
template <>
struct std::hash<vt::VolumeEnvelope> {
    std::size_t operator()(const vt::VolumeEnvelope& e) const noexcept;
};
