#pragma once
// Colourways: trying a look in another colour without editing its colours
// one by one. A look's accent is its first vivid colour in a fixed order of
// preference; recolouring sets colours equal to the accent to the target and
// turns the hue of every other vivid colour by the same amount; restoring
// takes a recoloured look's colours back from the look it came from.
// Pure functions of their arguments; the swatch list never changes.

#include "captions/look/CaptionStyle.h"
#include "captions/look/RGBA.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace vt::StyleVariants {

struct Swatch {
    std::string name;  // also its identity
    RGBA color;
    friend bool operator==(const Swatch&, const Swatch&) = default;
};

// Seven opaque swatches: Sunshine, Tangerine, Red, Hot Pink, Violet, Aqua, Lime.
const std::vector<Swatch>& swatches();

// A colour is vivid when saturation > 0.25, brightness > 0.12 and alpha > 0.05.
bool isVivid(const RGBA& color);

RGBA accent(const CaptionStyle& look);
bool canRecolor(const CaptionStyle& look);
// Only the target's red, green and blue are used.
CaptionStyle recolor(const CaptionStyle& look, const RGBA& target);
// The recoloured look with textColor, palette and every optional colour field
// taken from `base`, absent values included.
CaptionStyle restoringColors(const CaptionStyle& recolored, const CaptionStyle& base);

}  // namespace vt::StyleVariants

template <>
struct std::hash<vt::StyleVariants::Swatch> {
    std::size_t operator()(const vt::StyleVariants::Swatch& s) const noexcept;
};
