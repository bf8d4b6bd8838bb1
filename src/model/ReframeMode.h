#pragma once
// How the source picture is framed into the output frame, stored (and shown)
// as its display text. New projects follow the face.

#include <array>
#include <string_view>
#include <utility>

namespace vt {

enum class ReframeMode {
    smart,   // fill and crop around the tracked face (the middle without a track)
    center,  // fill and crop around the middle
    fit,     // the whole frame over a blurred, darkened copy that fills the output
};

constexpr auto enumCases(ReframeMode)
{
    return std::array{std::pair{ReframeMode::smart, std::string_view("Follow face")},
                      std::pair{ReframeMode::center, std::string_view("Center crop")},
                      std::pair{ReframeMode::fit, std::string_view("Fit + blur")}};
}

}  // namespace vt
