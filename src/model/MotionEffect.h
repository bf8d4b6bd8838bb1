#pragma once
// One camera move or look motion on the timeline. Its start is in source
// seconds; the timeline placement maps it to the output. Every key is
// required when reading.

#include "platform/JsonCoding.h"
#include "platform/Uuid.h"

#include <array>
#include <cstddef>
#include <functional>
#include <string_view>

namespace vt {

struct MotionEffect {
    // The first five kinds move the frame; the other six change the picture.
    enum class Kind { zoomIn, zoomOut, punchIn, pop, shake, fadeIn, fadeOut, flash, blurIn, blackWhite, glitch };

    Uuid id = Uuid::random();
    Kind kind = Kind::zoomIn;
    double start = 0;     // source seconds
    double duration = 0;  // seconds
    double strength = 1;  // 1 is the standard strength
    bool sound = false;   // a sound effect marks the move's start
    json::Unknown unknown{};  // what a newer version stored, written back as it came

    friend bool operator==(const MotionEffect&, const MotionEffect&) = default;

    json::Value toJson() const;
    static MotionEffect fromJson(const json::Value& v);
};

namespace detail {

struct MotionKindRow {
    MotionEffect::Kind kind;
    std::string_view text;   // stored and shown
    std::string_view icon;   // symbol name
    std::string_view blurb;  // one-line description
};

inline constexpr std::array<MotionKindRow, 11> kMotionKinds{{
    {MotionEffect::Kind::zoomIn, "Zoom In", "plus.magnifyingglass", "Slowly pushes in on the speaker"},
    {MotionEffect::Kind::zoomOut, "Zoom Out", "minus.magnifyingglass", "Starts close, pulls back out"},
    {MotionEffect::Kind::punchIn, "Punch In", "viewfinder", "Jumps closer and holds, for emphasis"},
    {MotionEffect::Kind::pop, "Pop", "burst", "A quick bounce in and back"},
    {MotionEffect::Kind::shake, "Shake", "waveform.path", "A camera shake, for impact"},
    {MotionEffect::Kind::fadeIn, "Fade In", "sunrise", "Rises out of black"},
    {MotionEffect::Kind::fadeOut, "Fade Out", "sunset", "Sinks into black"},
    {MotionEffect::Kind::flash, "Flash", "bolt", "A white camera flash"},
    {MotionEffect::Kind::blurIn, "Blur In", "aqi.medium", "Comes into focus"},
    {MotionEffect::Kind::blackWhite, "Black & White", "circle.lefthalf.filled", "Black and white for a moment"},
    {MotionEffect::Kind::glitch, "Glitch", "tv", "A digital glitch"},
}};

}  // namespace detail

constexpr auto enumCases(MotionEffect::Kind)
{
    std::array<std::pair<MotionEffect::Kind, std::string_view>, detail::kMotionKinds.size()> out{};
    for (std::size_t i = 0; i < out.size(); ++i) out[i] = {detail::kMotionKinds[i].kind, detail::kMotionKinds[i].text};
    return out;
}

// The symbol name and the one-line description the palettes and menus show.
constexpr std::string_view icon(MotionEffect::Kind kind) { return detail::kMotionKinds[static_cast<std::size_t>(kind)].icon; }
constexpr std::string_view blurb(MotionEffect::Kind kind) { return detail::kMotionKinds[static_cast<std::size_t>(kind)].blurb; }
// The length a new move of the kind gets, in seconds.
double defaultLength(MotionEffect::Kind kind);

}  // namespace vt

template <>
struct std::hash<vt::MotionEffect> {
    std::size_t operator()(const vt::MotionEffect& m) const noexcept;
};
