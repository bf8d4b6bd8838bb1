#include "captions/look/StyleVariants.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace vt;
namespace SV = vt::StyleVariants;

namespace {

const RGBA white{1, 1, 1, 1};
const RGBA red{1, 0, 0, 1};

RGBA swatch(std::string_view name)
{
    for (const auto& s : SV::swatches())
        if (s.name == name) return s.color;
    ADD_FAILURE() << "no swatch " << name;
    return {};
}

// Hue of an sRGB colour, 0 to 1.
double hueOf(const RGBA& c)
{
    double hi = std::max({c.r, c.g, c.b}), lo = std::min({c.r, c.g, c.b}), d = hi - lo;
    if (d == 0) return 0;
    double h = hi == c.r ? (c.g - c.b) / d : hi == c.g ? (c.b - c.r) / d + 2 : (c.r - c.g) / d + 4;
    h /= 6;
    return h < 0 ? h + 1 : h;
}

void expectNear(const RGBA& a, const RGBA& b)
{
    EXPECT_NEAR(a.r, b.r, 1e-9);
    EXPECT_NEAR(a.g, b.g, 1e-9);
    EXPECT_NEAR(a.b, b.b, 1e-9);
    EXPECT_NEAR(a.a, b.a, 1e-12);
}

}  // namespace

TEST(StyleVariants, Swatches)
{
    ASSERT_EQ(SV::swatches().size(), 7u);
    EXPECT_EQ(SV::swatches().front().name, "Sunshine");
    EXPECT_EQ(SV::swatches().back().name, "Lime");
    expectNear(swatch("Aqua"), {0, 216 / 255.0, 1, 1});

    // Swatches are told apart by name and colour, in equality and in hashing.
    const SV::Swatch aqua = SV::swatches()[5];
    const std::hash<SV::Swatch> hash;
    EXPECT_EQ(hash(aqua), hash(SV::Swatch{"Aqua", RGBA::fromHex("00D8FF")}));
    for (const SV::Swatch& other : {SV::Swatch{"Sky", aqua.color}, SV::Swatch{"Aqua", RGBA::fromHex("00D8FE")}}) {
        EXPECT_NE(other, aqua) << other.name;
        EXPECT_NE(hash(other), hash(aqua)) << other.name;
    }
}

TEST(StyleVariants, Vividness)
{
    struct Case {
        RGBA color;
        bool vivid;
    } cases[] = {
        {red, true},
        {white, false},
        {{1, 0.75, 0.75, 1}, false},        // saturation exactly 0.25
        {{1, 0.74, 0.74, 1}, true},
        {{0.12, 0, 0, 1}, false},           // brightness exactly 0.12
        {{1, 0, 0, 0.05}, false},           // alpha exactly 0.05
        {{1, 0, 0, 0.06}, true},
        {{0, 0, 0, 1}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SV::isVivid(c.color), c.vivid) << c.color.r << " " << c.color.g << " " << c.color.a;
}

TEST(StyleVariants, WhiteLookHasWhiteAccentAndStaysUnchanged)
{
    CaptionStyle look;
    look.textColor = white;
    EXPECT_EQ(SV::accent(look), white);
    EXPECT_TRUE(SV::canRecolor(look));  // bright text
    EXPECT_EQ(SV::recolor(look, swatch("Lime")), look);

    look.textColor = {0.3, 0.3, 0.3, 1};
    EXPECT_FALSE(SV::canRecolor(look));
}

TEST(StyleVariants, AccentOrderOfPreference)
{
    CaptionStyle look;
    look.textColor = white;
    look.activeColor = RGBA::fromHex("FF8F00");
    look.highlightColor = RGBA::fromHex("9B6BFF");
    look.neonFrame = RGBA::fromHex("00D8FF");

    look.highlight = HighlightMode::slide;  // uses both: the active colour wins
    EXPECT_EQ(SV::accent(look), *look.activeColor);
    look.highlight = HighlightMode::underline;  // uses the highlight colour only
    EXPECT_EQ(SV::accent(look), *look.highlightColor);
    look.highlight = HighlightMode::none;  // neither: the neon frame comes first
    EXPECT_EQ(SV::accent(look), *look.neonFrame);
    look.neonFrame.reset();  // the active colour still counts, eighth in line
    EXPECT_EQ(SV::accent(look), *look.activeColor);
    look.activeColor.reset();
    look.palette = std::vector{RGBA{0.5, 0.5, 0.5, 1}, red};
    EXPECT_EQ(SV::accent(look), white);  // only the palette's first colour is a candidate
}

TEST(StyleVariants, RecolorSetsAccentAndTurnsOtherVividHues)
{
    CaptionStyle look;
    look.id = "x";
    look.textColor = red;
    look.strokeColor = RGBA{0, 0, 0, 1};        // not vivid: untouched
    look.glowColor = RGBA{1, 0, 0, 0.5};        // red but another alpha: turned, not replaced
    look.barColor = RGBA{0, 1, 0, 0.8};         // vivid green: turned
    look.palette = std::vector{red, RGBA{0.9, 0.9, 0.9, 1}};
    const RGBA aqua = swatch("Aqua");
    const double delta = hueOf(aqua) - hueOf(red);

    CaptionStyle out = SV::recolor(look, aqua);
    expectNear(out.textColor, aqua);
    EXPECT_EQ(out.strokeColor, look.strokeColor);
    EXPECT_FALSE(out.activeColor);  // absent stays absent
    EXPECT_NEAR(hueOf(*out.glowColor), std::fmod(hueOf(red) + delta + 1, 1.0), 1e-9);
    EXPECT_NEAR(out.glowColor->a, 0.5, 1e-12);
    EXPECT_NEAR(std::max({out.glowColor->r, out.glowColor->g, out.glowColor->b}), 1.0, 1e-9);
    EXPECT_NEAR(hueOf(*out.barColor), std::fmod(hueOf(RGBA{0, 1, 0, 1}) + delta + 1, 1.0), 1e-9);
    EXPECT_EQ(out.barColor->a, 0.8);
    ASSERT_TRUE(out.palette);
    expectNear((*out.palette)[0], aqua);
    EXPECT_EQ((*out.palette)[1], (*look.palette)[1]);
    EXPECT_EQ(out.id, "x");
}

TEST(StyleVariants, SemiTransparentAccentKeepsItsAlphaAndSameHueOnlySetsAccent)
{
    CaptionStyle look;
    look.textColor = RGBA{0, 0.5, 1, 0.6};
    look.emphasisColor = RGBA{0, 0.5, 1, 0.6};
    look.glowColor = RGBA{0.2, 1, 0.2, 1};
    const RGBA target{0, 0.25, 0.5, 1};  // the accent's hue, darker

    CaptionStyle out = SV::recolor(look, target);
    expectNear(out.textColor, {0, 0.25, 0.5, 0.6});
    expectNear(*out.emphasisColor, {0, 0.25, 0.5, 0.6});
    expectNear(*out.glowColor, *look.glowColor);  // delta 0: hue unchanged
}

TEST(StyleVariants, RestoringGivesBackTheBaseColoursExactly)
{
    CaptionStyle base;
    base.name = "Base";
    base.textColor = red;
    base.highlight = HighlightMode::box;
    base.highlightColor = RGBA::fromHex("FF4FA3");
    base.palette = std::vector{RGBA::fromHex("9EFF12")};

    CaptionStyle recolored = SV::recolor(base, swatch("Violet"));
    recolored.name = "Edited";
    recolored.neonFrame = RGBA::fromHex("FFE500");  // added after recolouring, absent in base
    recolored.fontSize = 99;

    CaptionStyle restored = SV::restoringColors(recolored, base);
    CaptionStyle expected = base;
    expected.name = "Edited";
    expected.fontSize = 99;
    EXPECT_EQ(restored, expected);
}
