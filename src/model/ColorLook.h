#pragma once
// One of the built-in colour looks a grade names by id. The looks are a
// fixed table, never stored in files; the grader turns one into a colour cube.

#include <array>
#include <cstddef>
#include <functional>
#include <span>
#include <string_view>

namespace vt {

struct ColorLook {
    std::string_view id;                    // what VideoGrade::look stores
    std::string_view name;                  // display name
    double saturation = 1;                  // chroma factor around the luminance; 1 keeps colour
    double contrast = 0;                    // S-curve strength; negative flattens
    double fade = 0;                        // black lift: the output floor
    double warmth = 0;                      // red up and blue down, less in the brightest tones
    std::array<double, 3> shadowTint{};     // red, green, blue offsets added in the shadows
    std::array<double, 3> highlightTint{};  // red, green, blue offsets added in the highlights
    double gamma = 1;                       // power after the S-curve; above 1 darkens mid-tones
    bool mono = false;                      // colour replaced by luminance

    // The 17 looks in menu order; the first is `none`.
    static std::span<const ColorLook> all();
    static const ColorLook& none();
    // The first look whose id equals `id` exactly, else `none`. Never fails.
    static const ColorLook& find(std::string_view id);

    friend bool operator==(const ColorLook&, const ColorLook&) = default;
};

}  // namespace vt

template <>
struct std::hash<vt::ColorLook> {
    std::size_t operator()(const vt::ColorLook& look) const noexcept;
};
