#include "captions/look/StyleVariants.h"

#include "platform/Hasher.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string_view>

namespace vt::StyleVariants {

namespace {

struct SwatchRow {
    std::string_view name;
    std::string_view hex;
};

constexpr std::array<SwatchRow, 7> kSwatches{{
    {"Sunshine", "FFE500"},
    {"Tangerine", "FF8F00"},
    {"Red", "FF2D3D"},
    {"Hot Pink", "FF4FA3"},
    {"Violet", "9B6BFF"},
    {"Aqua", "00D8FF"},
    {"Lime", "9EFF12"},
}};

// The optional colour fields that recolouring and restoring touch, besides
// textColor and the palette.
using ColorField = std::optional<RGBA> CaptionStyle::*;
constexpr std::array<ColorField, 19> kOptionalColors{
    &CaptionStyle::activeColor,      &CaptionStyle::emphasisColor,    &CaptionStyle::strokeColor,
    &CaptionStyle::shadowColor,      &CaptionStyle::glowColor,        &CaptionStyle::barColor,
    &CaptionStyle::highlightColor,   &CaptionStyle::gradientColor,    &CaptionStyle::wordBoxColor,
    &CaptionStyle::lineBoxColor,     &CaptionStyle::emphasisBoxColor, &CaptionStyle::blendDarkColor,
    &CaptionStyle::shineSweep,       &CaptionStyle::knockout,         &CaptionStyle::sticker,
    &CaptionStyle::stickerRim,       &CaptionStyle::tornPaper,        &CaptionStyle::neonFrame,
    &CaptionStyle::wipeColor,
};

// Hue, saturation and brightness of the hexcone model, each 0 to 1; alpha ignored.
struct HSB {
    double h = 0;
    double s = 0;
    double v = 0;
};

HSB toHSB(const RGBA& c)
{
    double hi = std::max({c.r, c.g, c.b});
    double lo = std::min({c.r, c.g, c.b});
    double chroma = hi - lo;
    HSB out;
    out.v = hi;
    out.s = hi > 0 ? chroma / hi : 0;
    if (chroma > 0) {
        double h;
        if (hi == c.r)
            h = (c.g - c.b) / chroma;
        else if (hi == c.g)
            h = (c.b - c.r) / chroma + 2;
        else
            h = (c.r - c.g) / chroma + 4;
        h /= 6;
        out.h = h < 0 ? h + 1 : h;
    }
    return out;
}

RGBA fromHSB(HSB c, double alpha)
{
    double h6 = c.h * 6;
    double sector = std::floor(h6);
    double f = h6 - sector;
    double p = c.v * (1 - c.s);
    double q = c.v * (1 - c.s * f);
    double t = c.v * (1 - c.s * (1 - f));
    switch (static_cast<int>(sector) % 6) {
    case 0: return {c.v, t, p, alpha};
    case 1: return {q, c.v, p, alpha};
    case 2: return {p, c.v, t, alpha};
    case 3: return {p, q, c.v, alpha};
    case 4: return {t, p, c.v, alpha};
    default: return {c.v, p, q, alpha};
    }
}

// The fractional part, taken up into 0 to 1 when negative.
double wrapUnit(double x)
{
    double f = std::fmod(x, 1.0);
    return f < 0 ? f + 1 : f;
}

}  // namespace

const std::vector<Swatch>& swatches()
{
    static const std::vector<Swatch> list = [] {
        std::vector<Swatch> out;
        for (const auto& row : kSwatches) out.push_back({std::string(row.name), RGBA::fromHex(row.hex)});
        return out;
    }();
    return list;
}

bool isVivid(const RGBA& color)
{
    HSB hsb = toHSB(color);
    return hsb.s > 0.25 && hsb.v > 0.12 && color.a > 0.05;
}

RGBA accent(const CaptionStyle& look)
{
    std::optional<RGBA> firstOfPalette;
    if (look.palette && !look.palette->empty()) firstOfPalette = look.palette->front();
    const std::optional<RGBA> candidates[] = {
        usesActiveColor(look.highlight) ? look.activeColor : std::nullopt,
        usesHighlightColor(look.highlight) ? look.highlightColor : std::nullopt,
        look.neonFrame,
        look.wipeColor,
        look.textColor,
        look.emphasisColor,
        look.emphasisBoxColor,
        look.activeColor,
        look.gradientColor,
        look.blendDarkColor,
        look.lineBoxColor,
        look.wordBoxColor,
        look.barColor,
        look.glowColor,
        firstOfPalette,
    };
    for (const auto& c : candidates)
        if (c && isVivid(*c)) return *c;
    return look.textColor;
}

bool canRecolor(const CaptionStyle& look)
{
    return isVivid(accent(look)) || toHSB(look.textColor).v > 0.6;
}

CaptionStyle recolor(const CaptionStyle& look, const RGBA& target)
{
    const RGBA a = accent(look);
    if (!isVivid(a)) return look;
    const double delta = toHSB(target).h - toHSB(a).h;

    auto map = [&](const RGBA& c) -> RGBA {
        if (c == a) return {target.r, target.g, target.b, c.a};
        if (!isVivid(c)) return c;
        HSB hsb = toHSB(c);
        hsb.h = wrapUnit(hsb.h + delta);
        return fromHSB(hsb, c.a);
    };

    CaptionStyle out = look;
    out.textColor = map(out.textColor);
    for (ColorField field : kOptionalColors)
        if (auto& c = out.*field) c = map(*c);
    if (out.palette)
        for (auto& c : *out.palette) c = map(c);
    return out;
}

CaptionStyle restoringColors(const CaptionStyle& recolored, const CaptionStyle& base)
{
    CaptionStyle out = recolored;
    out.textColor = base.textColor;
    out.palette = base.palette;
    for (ColorField field : kOptionalColors) out.*field = base.*field;
    return out;
}

}  // namespace vt::StyleVariants

std::size_t std::hash<vt::StyleVariants::Swatch>::operator()(const vt::StyleVariants::Swatch& s) const noexcept
{
    return vt::Hasher().add(s.name).add(s.color).value();
}
