#pragma once
// The adjustment of one source clip or overlay: edge crops, zoom with pan,
// quarter turns, a mirror, a colour grade, an opacity and a volume. An absent
// adjustment means the default one.
//
// Stored leniently: every key is read on its own, and a missing, null or
// mistyped value gives that field's default while the other keys still count,
// so one damaged field never makes the clip or overlay that holds it
// unreadable. Only a value that is not an object fails. Nothing is clamped.

#include "model/VideoGrade.h"
#include "platform/JsonCoding.h"

#include <cstddef>
#include <functional>

namespace vt {

struct ItemAdjust {
    double cropLeft = 0;    // fraction of the width removed at the left
    double cropRight = 0;   // fraction of the width removed at the right
    double cropTop = 0;     // fraction of the height removed at the top
    double cropBottom = 0;  // fraction of the height removed at the bottom
    double zoom = 1;        // magnification of the placed picture; 1 = none
    double panX = 0;        // shift of a zoomed picture as a fraction of its overhang; + shows more right
    double panY = 0;        // likewise vertically; + shows more top
    int turns = 0;          // clockwise quarter turns, taken modulo 4 (−1 is 3)
    bool flipped = false;   // mirrored left to right, after turning
    VideoGrade grade;       // the item's own grade
    double opacity = 1;     // of an overlay, 0…1
    double volume = 0;      // gain of the item's own sound, dB
    json::Unknown unknown{};  // what a newer version stored, written back as it came

    friend bool operator==(const ItemAdjust&, const ItemAdjust&) = default;

    json::Value toJson() const;
    static ItemAdjust fromJson(const json::Value& v);
};

}  // namespace vt

template <>
struct std::hash<vt::ItemAdjust> {
    std::size_t operator()(const vt::ItemAdjust& adjust) const noexcept;
};
