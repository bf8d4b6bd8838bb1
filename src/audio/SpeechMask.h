#pragma once
// The speech of one clip as closed ranges of seconds from the start of its
// media file, sorted by lower bound; tells whether a time is spoken.

#include "platform/JsonCoding.h"

#include <vector>

namespace vt {

struct SpeechMask {
    std::vector<ClosedRange<double>> ranges;  // sorted by lower bound, not overlapping

    // Sorts the ranges and joins those that overlap: a binary search over
    // overlapping ranges can miss a time that a long earlier range covers.
    static SpeechMask make(std::vector<ClosedRange<double>> ranges);

    // True when t lies in a range widened by `margin` on both sides (binary
    // search); always false without ranges.
    bool contains(double t, double margin = 0) const;
};

}  // namespace vt
