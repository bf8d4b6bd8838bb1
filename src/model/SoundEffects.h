#pragma once
// The options of the synthesized sound effects; a project without them has
// the effects drawn from captions and cuts off. The defaults are the values
// a newly switched-on record gets. All five keys are required when reading.

#include "platform/JsonCoding.h"

#include <cstddef>
#include <functional>

namespace vt {

struct SoundEffects {
    double volume = -8;        // dB, the whole effects track
    bool emphasisPops = true;  // a pop when an emphasized word starts
    bool emojiPops = true;     // a pop when a caption line with an emoji starts
    bool cutWhooshes = true;   // a whoosh into cuts that remove a pause
    bool hookHit = true;       // a hit under the opening hook
    json::Unknown unknown{};  // what a newer version stored, written back as it came

    friend bool operator==(const SoundEffects&, const SoundEffects&) = default;

    json::Value toJson() const;
    static SoundEffects fromJson(const json::Value& v);
};

}  // namespace vt

template <>
struct std::hash<vt::SoundEffects> {
    std::size_t operator()(const vt::SoundEffects& s) const noexcept;
};
