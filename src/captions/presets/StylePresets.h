#pragma once
// The built-in caption looks: four fixed lists in catalogue order (core,
// trending, more, lockups), `all` that joins them, and the two curated id
// lists of the style browser.
//
// Each list is built once, on its first use from any thread (a function-local
// static, so concurrent first uses build it once), and never changes; readers
// share it by constant reference without a lock. Nothing outside reads a look
// by position except the first core look: the start look of new projects and
// the fallback wherever a look id finds nothing. Looks are otherwise found by
// id through the style library, which scans `all` before the user's looks.

#include "captions/look/CaptionStyle.h"
#include "captions/look/RGBA.h"

#include <span>
#include <string_view>
#include <vector>

namespace vt {

struct StylePresets {
    static const std::vector<CaptionStyle>& core();      // 29 general looks
    static const std::vector<CaptionStyle>& trending();  // 40 looks on the newer effects
    static const std::vector<CaptionStyle>& more();      // 42 further looks
    static const std::vector<CaptionStyle>& lockups();   // 36 looks, mostly lockups
    // core, trending, more and lockups, in that order: 147 looks with
    // distinct ids and names, none beginning with "custom-".
    static const std::vector<CaptionStyle>& all();

    // Curated browser lists, 16 ids each, in the order shown; every id is
    // the id of a look in all().
    static std::span<const std::string_view> popularIDs();
    static std::span<const std::string_view> trendingIDs();

private:
    // Word palettes read only while `more` is built.
    static const std::vector<RGBA>& candy();   // 4 colours
    static const std::vector<RGBA>& punchy();  // 3 colours, white first
};

}  // namespace vt
