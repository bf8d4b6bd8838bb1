#pragma once
// Arrangements a look can take caption by caption: a look that lists several
// in its `layouts` draws its first caption with the first, its second with
// the second, and so on round the list (CaptionStyle::laidOut).

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <utility>

namespace vt {

struct CaptionStyle;

enum class CaptionLayout {
    line,
    stack,
    bigSmall,
    smallBig,
    hero,
    heroLeft,
    leftBlock,
    tilt,
    spotlight,
    sideLeft,
    sideRight,
    stagger,
};

constexpr auto enumCases(CaptionLayout)
{
    using L = CaptionLayout;
    using S = std::string_view;
    return std::array{
        std::pair{L::line, S("line")},           std::pair{L::stack, S("stack")},
        std::pair{L::bigSmall, S("bigSmall")},   std::pair{L::smallBig, S("smallBig")},
        std::pair{L::hero, S("hero")},           std::pair{L::heroLeft, S("heroLeft")},
        std::pair{L::leftBlock, S("leftBlock")}, std::pair{L::tilt, S("tilt")},
        std::pair{L::spotlight, S("spotlight")}, std::pair{L::sideLeft, S("sideLeft")},
        std::pair{L::sideRight, S("sideRight")}, std::pair{L::stagger, S("stagger")},
    };
}

// Rewrites the look in place for the caption at `index` (the caption group's
// index, from 0). Only the fields a layout is about change: freeform, lockup,
// lineScales, maxWordsPerLine, lineSpacing, emphasisScale, textAlign, rotation.
void apply(CaptionLayout layout, CaptionStyle& look, std::int64_t index);

// A named, ready-made rotation of layouts for a look's `layouts`.
struct LayoutPool {
    std::string_view label;
    std::span<const CaptionLayout> layouts;
};

namespace layout_pool_detail {
using L = CaptionLayout;
inline constexpr std::array kMixed{L::hero, L::bigSmall, L::stack, L::heroLeft, L::smallBig, L::line};
inline constexpr std::array kBigSmall{L::bigSmall, L::smallBig, L::stack};
inline constexpr std::array kHeroWord{L::hero, L::tilt, L::heroLeft};
inline constexpr std::array kStacks{L::stack, L::leftBlock};
inline constexpr std::array kScattered{L::spotlight, L::sideLeft, L::stagger, L::sideRight};
}  // namespace layout_pool_detail

inline constexpr std::array<LayoutPool, 5> kLayoutPools{{
    {"Mixed", layout_pool_detail::kMixed},
    {"Big & small", layout_pool_detail::kBigSmall},
    {"Hero word", layout_pool_detail::kHeroWord},
    {"Stacks", layout_pool_detail::kStacks},
    {"Scattered", layout_pool_detail::kScattered},
}};

}  // namespace vt
