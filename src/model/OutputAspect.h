#pragma once
// The shape of the output frame, stored (and shown) as its ratio text.
// New projects are vertical.

#include "model/Geometry.h"

#include <array>
#include <cstddef>
#include <string_view>
#include <utility>

namespace vt {

enum class OutputAspect { vertical, portrait, square, landscape };

constexpr auto enumCases(OutputAspect)
{
    return std::array{std::pair{OutputAspect::vertical, std::string_view("9:16")},
                      std::pair{OutputAspect::portrait, std::string_view("4:5")},
                      std::pair{OutputAspect::square, std::string_view("1:1")},
                      std::pair{OutputAspect::landscape, std::string_view("16:9")}};
}

// The output frame in pixels at a short side of 1080; callers that need
// another scale multiply both sides by one factor.
constexpr Size renderSize(OutputAspect aspect)
{
    constexpr std::array<double, 4> widths{1080, 1080, 1080, 1920};
    constexpr std::array<double, 4> heights{1920, 1350, 1080, 1080};
    auto i = static_cast<std::size_t>(aspect);
    return {widths[i], heights[i]};
}

}  // namespace vt
