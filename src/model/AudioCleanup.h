#pragma once
// The user's settings of the voice cleanup chain; a project without them has
// cleanup off. All four keys are required when reading.

#include "platform/JsonCoding.h"

#include <cstddef>
#include <functional>
#include <string>

namespace vt {

struct AudioCleanup {
    double noiseReduction = 0.6;  // 0…1; 0.01 or less switches it off
    bool voiceEQ = true;
    double leveler = 0.4;         // 0…1; 0.01 or less switches it off
    bool normalize = true;        // make-up gain towards the speech level target
    json::Unknown unknown{};  // what a newer version stored, written back as it came

    // A short hash of the settings that names the cached cleaned tracks, so
    // each combination has its own file: base-36 djb2 of
    // "<noiseReduction×100>|<voiceEQ>|<leveler×100>|<normalize>|v1", the
    // numbers truncated toward zero ("3n9y98i7e8vhi" for the defaults).
    std::string cacheKey() const;

    friend bool operator==(const AudioCleanup&, const AudioCleanup&) = default;

    json::Value toJson() const;
    static AudioCleanup fromJson(const json::Value& v);
};

}  // namespace vt

template <>
struct std::hash<vt::AudioCleanup> {
    std::size_t operator()(const vt::AudioCleanup& a) const noexcept;
};
