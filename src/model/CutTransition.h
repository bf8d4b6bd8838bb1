#pragma once
// The transition drawn at every cut of a project; stored as its display text.
// A project without one behaves as `none`.

#include <array>
#include <string_view>
#include <utility>

namespace vt {

enum class CutTransition { none, zoomPunch, zoomIn, flash, dipBlack, whip, glitch };

constexpr auto enumCases(CutTransition)
{
    using C = CutTransition;
    return std::array{
        std::pair{C::none, std::string_view("None")},
        std::pair{C::zoomPunch, std::string_view("Zoom punch")},
        std::pair{C::zoomIn, std::string_view("Zoom in")},
        std::pair{C::flash, std::string_view("Flash")},
        std::pair{C::dipBlack, std::string_view("Dip to black")},
        std::pair{C::whip, std::string_view("Whip")},
        std::pair{C::glitch, std::string_view("Glitch")},
    };
}

}  // namespace vt
