#include "model/ColorLook.h"

#include "platform/Hasher.h"

namespace vt {

namespace {

constexpr std::array<double, 3> kNoTint{0, 0, 0};

// id, name, saturation, contrast, fade, warmth, shadow tint, highlight tint, gamma, mono
constexpr std::array<ColorLook, 17> kLooks{{
    {"none", "None", 1, 0, 0, 0, kNoTint, kNoTint, 1, false},
    {"natural", "Natural Pop", 1.12, 0.15, 0, 0, kNoTint, kNoTint, 1, false},
    {"teal-orange", "Teal & Orange", 1.1, 0.2, 0, 0, {-0.06, 0.02, 0.07}, {0.07, 0.03, -0.05}, 1, false},
    {"cinematic", "Cinematic", 0.9, 0.25, 0.04, 0, {-0.04, 0.01, 0.05}, {0.05, 0.02, -0.03}, 1, false},
    {"warm-glow", "Warm Glow", 1.05, 0.1, 0, 1.0, kNoTint, {0.05, 0.03, -0.03}, 1, false},
    {"golden-hour", "Golden Hour", 1.08, 0.12, 0.02, 1.6, {0.02, 0, -0.03}, {0.08, 0.04, -0.06}, 1, false},
    {"kodak-warm", "Kodak Warm", 1.05, 0.2, 0, 0.6, {0.02, -0.01, 0.02}, {0.04, 0.03, -0.02}, 1, false},
    {"cool-film", "Cool Film", 0.9, 0.1, 0.05, -1.0, {-0.02, 0, 0.05}, kNoTint, 1, false},
    {"clean-studio", "Clean Studio", 1.05, 0.1, 0, -0.2, kNoTint, kNoTint, 1, false},
    {"moody", "Moody", 0.75, 0.3, 0.03, 0, {-0.03, 0.02, 0.02}, kNoTint, 1.1, false},
    {"vintage", "Vintage", 0.8, 0, 0.08, 0.8, {0.04, 0.02, -0.02}, {0.03, 0.02, -0.01}, 1, false},
    {"faded-film", "Faded Film", 0.85, -0.1, 0.1, 0, {-0.01, 0.03, 0.02}, kNoTint, 1, false},
    {"matte-green", "Matte Green", 0.85, 0.05, 0.07, 0, {-0.02, 0.04, 0}, kNoTint, 1, false},
    {"pastel", "Soft Pastel", 0.85, -0.1, 0.06, 0, kNoTint, {0.03, 0, 0.02}, 1, false},
    {"punchy", "Punchy", 1.3, 0.35, 0, 0, kNoTint, kNoTint, 1, false},
    {"noir", "Noir", 1, 0.45, 0, 0, kNoTint, kNoTint, 1, true},
    {"bw-soft", "B&W Soft", 1, 0.1, 0.05, 0, kNoTint, kNoTint, 1, true},
}};

}  // namespace

std::span<const ColorLook> ColorLook::all() { return kLooks; }

const ColorLook& ColorLook::none() { return kLooks[0]; }

const ColorLook& ColorLook::find(std::string_view id)
{
    for (const auto& look : kLooks)
        if (look.id == id) return look;
    return none();
}

}  // namespace vt

std::size_t std::hash<vt::ColorLook>::operator()(const vt::ColorLook& look) const noexcept
{
    vt::Hasher h;
    h.addText(look.id).addText(look.name).add(look.saturation).add(look.contrast).add(look.fade).add(look.warmth);
    for (double v : look.shadowTint) h.add(v);
    for (double v : look.highlightTint) h.add(v);
    return h.add(look.gamma).add(look.mono).value();
}
