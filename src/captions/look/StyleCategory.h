#pragma once
// The shelves of the style browser. A category is stored by its display title
// ("Behind You"), exactly as written: reading accepts the titles and nothing else.

#include <array>
#include <optional>
#include <string_view>
#include <utility>

namespace vt {

enum class StyleCategory {
    popular,
    trending,
    social,
    bold,
    karaoke,
    dynamic,
    motion,
    layouts,
    multiline,
    creators,
    script,
    minimal,
    editorial,
    behind,
    knockout,
    neon,
    paper,
    chat,
    retro,
    playful,
    speakers,
    desi,
    mine,
};

struct StyleCategoryRow {
    StyleCategory category;
    std::string_view title;  // the stored form
    std::string_view blurb;  // one line shown under the title
};

// Every category, in browser order.
inline constexpr std::array<StyleCategoryRow, 23> kStyleCategories{{
    {StyleCategory::popular, "Popular", "Community favourites and trending looks."},
    {StyleCategory::trending, "Trending", "The newest looks, hand-picked."},
    {StyleCategory::social, "Social", "Clean, punchy styles for every feed."},
    {StyleCategory::bold, "Bold", "Big, loud, impossible to scroll past."},
    {StyleCategory::karaoke, "Karaoke", "Words light up as you say them."},
    {StyleCategory::dynamic, "Dynamic", "Motion-driven, per-word emphasis."},
    {StyleCategory::motion, "Motion", "Slams, slides, wipes and gliding highlights."},
    {StyleCategory::layouts, "Layouts", "A new arrangement every caption, or words scattered round a hero."},
    {StyleCategory::multiline, "Multiline", "Three-line font lockups with a single hero word."},
    {StyleCategory::creators, "Creators", "Signature looks people ask for by name."},
    {StyleCategory::script, "Script Accents", "Heavy type with one handwritten accent word."},
    {StyleCategory::minimal, "Minimal", "Quiet, readable, gets out of the way."},
    {StyleCategory::editorial, "Editorial", "Serif and caps pairings with magazine polish."},
    {StyleCategory::behind, "Behind You", "Big statement text rendered behind you."},
    {StyleCategory::knockout, "Knockout & Blend", "Video inside the letters, or text that changes with the picture."},
    {StyleCategory::neon, "Neon & FX", "Glow, light and FX finishes."},
    {StyleCategory::paper, "Paper & Stickers", "Die-cut stickers, torn paper and ransom-note letters."},
    {StyleCategory::chat, "Chat & Alerts", "Your words as chat bubbles and phone notifications."},
    {StyleCategory::retro, "Retro", "Throwback type and film textures."},
    {StyleCategory::playful, "Playful", "Bouncy, bubbly and fun."},
    {StyleCategory::speakers, "Speakers", "Lower thirds and labels for talking heads."},
    {StyleCategory::desi, "Desi", "Hinglish and Devanagari in one face."},
    {StyleCategory::mine, "My Styles", "Styles you saved from Customize."},
}};

// The JSON form (see platform/JsonCoding.h): the title.
constexpr auto enumCases(StyleCategory)
{
    std::array<std::pair<StyleCategory, std::string_view>, kStyleCategories.size()> out{};
    for (std::size_t i = 0; i < out.size(); ++i) out[i] = {kStyleCategories[i].category, kStyleCategories[i].title};
    return out;
}

std::string_view title(StyleCategory category);
std::string_view blurb(StyleCategory category);
// The category with exactly this title, case and spacing included.
std::optional<StyleCategory> styleCategory(std::string_view title);

}  // namespace vt
