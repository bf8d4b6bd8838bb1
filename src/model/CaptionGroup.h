#pragma once
// One caption line: its timed words in spoken order (at least one), shown
// from the first word's start until `end`. Not stored.

#include "model/TimedWord.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vt {

struct CaptionGroup {
    std::vector<TimedWord> words;
    double start = 0;                    // output seconds
    double end = 0;                      // output seconds
    int index = 0;                       // position in the list of groups, from 0
    std::optional<std::string> styleID;  // per-line look; absent means the base look

    friend bool operator==(const CaptionGroup& a, const CaptionGroup& b);
};

}  // namespace vt

template <>
struct std::hash<vt::CaptionGroup> {
    std::size_t operator()(const vt::CaptionGroup& g) const noexcept;
};
