#pragma once
// A word placed on the output timeline, as the caption renderer needs it.
// Made from a Word by EditPlan::timedWords; not stored.

#include "model/WordLook.h"
#include "platform/Uuid.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace vt {

struct TimedWord {
    std::string text;
    double start = 0;                    // output seconds
    double end = 0;                      // output seconds
    bool emphasized = false;
    bool breakAfter = false;
    bool endsSentence = false;
    std::optional<Uuid> id;              // the Word it was made from
    std::optional<WordLook> look;        // absent for no look or the default look
    std::optional<std::string> styleID;

    // All nine fields; texts compare by canonical equivalence.
    friend bool operator==(const TimedWord& a, const TimedWord& b);
};

// True when the text, trimmed of spaces and tabs (not line breaks), ends with
// one of . ? ! or the ellipsis … standing as a character of its own.
bool endsSentence(std::string_view text);

}  // namespace vt

template <>
struct std::hash<vt::TimedWord> {
    std::size_t operator()(const vt::TimedWord& w) const noexcept;
};
