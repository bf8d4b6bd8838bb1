#pragma once
// The hook line drawn over the opening seconds of the output. Both keys are
// required when reading; the 3-second duration of a new hook belongs to the
// editor, not to reading.

#include "platform/JsonCoding.h"

#include <cstddef>
#include <functional>
#include <string>

namespace vt {

struct HookOverlay {
    std::string text;     // as shown
    double duration = 0;  // seconds from output time 0
    json::Unknown unknown{};  // what a newer version stored, written back as it came

    friend bool operator==(const HookOverlay& a, const HookOverlay& b);

    json::Value toJson() const;
    static HookOverlay fromJson(const json::Value& v);
};

}  // namespace vt

template <>
struct std::hash<vt::HookOverlay> {
    std::size_t operator()(const vt::HookOverlay& hook) const noexcept;
};
