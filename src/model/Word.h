#pragma once
// One transcribed word on the source timeline. The project stores a list of
// them in transcript order (ascending start, unique ids, start not after
// end); every edit of the transcript is an edit of that list. Those
// invariants are kept by whoever builds the list, not by Word itself.

#include "model/WordLook.h"
#include "platform/JsonCoding.h"
#include "platform/Uuid.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace vt {

struct Word {
    Uuid id;                                // stable across every edit
    std::string text;                       // as transcribed or typed, punctuation included
    double start = 0;                       // source seconds (output seconds only in a voiceover take)
    double end = 0;                         // source seconds
    bool deleted = false;                   // cut from the output, no caption
    bool emphasized = false;
    bool breakAfter = false;                // a caption line must end after this word
    std::optional<std::string> native;      // the engine's Indic-script text, when it was Indic
    std::optional<WordLook> look;           // absent means the plain look
    std::optional<std::string> styleID;     // key of the project's style overrides
    json::Unknown unknown{};  // what a newer version stored, written back as it came

    // All ten fields; texts compare by canonical equivalence.
    friend bool operator==(const Word& a, const Word& b);

    json::Value toJson() const;
    static Word fromJson(const json::Value& v);
};

}  // namespace vt

template <>
struct std::hash<vt::Word> {
    std::size_t operator()(const vt::Word& w) const noexcept;
};
