#pragma once
// A word's own size, colour and position on top of its caption look. The
// editor stores an absent look rather than the default one.

#include "captions/look/RGBA.h"
#include "platform/JsonCoding.h"

#include <cstddef>
#include <functional>
#include <optional>

namespace vt {

struct WordLook {
    double scale = 1;             // multiplies the word's font size
    std::optional<RGBA> color;    // replaces the word's colour (ransom-note letters' ink)
    double dx = 0;                // offset in points of the 1080-pixel authoring unit,
    double dy = 0;                // positive right and down on screen
    json::Unknown unknown{};  // what a newer version stored, written back as it came

    // Scale 1, no colour, no offset.
    static WordLook defaultLook() { return {}; }
    bool isDefault() const { return *this == WordLook{}; }

    friend bool operator==(const WordLook&, const WordLook&) = default;

    json::Value toJson() const;
    static WordLook fromJson(const json::Value& v);
};

}  // namespace vt

template <>
struct std::hash<vt::WordLook> {
    std::size_t operator()(const vt::WordLook& look) const noexcept;
};
