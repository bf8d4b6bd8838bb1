#include "captions/presets/StylePresets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <optional>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <thread>
#include <utility>
#include <vector>

using namespace vt;

namespace {

const CaptionStyle& look(std::string_view id)
{
    const auto& all = StylePresets::all();
    auto it = std::find_if(all.begin(), all.end(), [&](const CaptionStyle& s) { return s.id == id; });
    if (it == all.end()) throw std::runtime_error("no built-in look " + std::string(id));
    return *it;
}

std::ptrdiff_t positionOf(std::string_view id)
{
    const auto& all = StylePresets::all();
    auto it = std::find_if(all.begin(), all.end(), [&](const CaptionStyle& s) { return s.id == id; });
    return it == all.end() ? -1 : it - all.begin();
}

// Byte channels written out by hand, so the expectation does not go through
// the hex reader under test.
RGBA bytes(int r, int g, int b, double a = 1) { return {r / 255.0, g / 255.0, b / 255.0, a}; }

// The optional fields a look holds, by their stored keys.
std::set<std::string> presentOptionalKeys(const CaptionStyle& s)
{
    static const std::set<std::string> required{
        "id", "name", "category", "font", "fontSize", "emphasisScale", "textColor", "strokeWidth",
        "shadowRadius", "shadowOffset", "glowRadius", "cornerRadius", "highlight", "animation",
        "uppercase", "italic", "dimUnspoken", "heroWord", "maxWordsPerGroup", "maxWordsPerLine",
        "verticalPosition", "behindSubject", "letterSpacing", "lineSpacing", "rotation"};
    std::set<std::string> keys;
    const auto stored = s.toJson();
    for (const auto& [key, value] : stored.items())
        if (!required.contains(key)) keys.insert(key);
    return keys;
}

}  // namespace

TEST(StylePresets, CatalogueJoinsTheFourListsInOrder)
{
    EXPECT_EQ(StylePresets::core().size(), 29u);
    EXPECT_EQ(StylePresets::trending().size(), 40u);
    EXPECT_EQ(StylePresets::more().size(), 42u);
    EXPECT_EQ(StylePresets::lockups().size(), 36u);

    std::vector<CaptionStyle> joined;
    for (const auto* list : {&StylePresets::core(), &StylePresets::trending(), &StylePresets::more(),
                             &StylePresets::lockups()})
        joined.insert(joined.end(), list->begin(), list->end());
    ASSERT_EQ(StylePresets::all().size(), 147u);
    EXPECT_EQ(StylePresets::all(), joined);

    const std::vector<std::pair<std::size_t, std::string>> ends{
        {0, "kestrin"},     {28, "desi-bold"},  {29, "cutout"},      {68, "mint-punch"},
        {69, "clean-pop"},  {110, "desi-soft"}, {111, "ember-line"}, {146, "gold-slide"}};
    for (const auto& [position, id] : ends) EXPECT_EQ(StylePresets::all()[position].id, id) << position;
}

TEST(StylePresets, IdsAndNamesAreDistinctAndLeaveRoomForUserLooks)
{
    std::set<std::string> ids, names;
    const std::regex builtInId("[a-z0-9]+(-[a-z0-9]+)*");
    for (const auto& s : StylePresets::all()) {
        EXPECT_TRUE(ids.insert(s.id).second) << "repeated id " << s.id;
        EXPECT_TRUE(names.insert(s.name).second) << "repeated name " << s.name;
        EXPECT_TRUE(std::regex_match(s.id, builtInId)) << s.id;
        EXPECT_FALSE(s.id.starts_with("custom-")) << s.id;
        // Popular and Trending are filled from the curated lists, My Styles
        // is the user's own.
        EXPECT_NE(s.category, StyleCategory::popular) << s.id;
        EXPECT_NE(s.category, StyleCategory::trending) << s.id;
        EXPECT_NE(s.category, StyleCategory::mine) << s.id;
        EXPECT_FALSE(s.fillAngle || s.textAlign || s.freeform || s.stickerRim) << s.id;
    }
    EXPECT_EQ(look("headline-news").name, "Headline");
    EXPECT_EQ(positionOf("headline"), -1);
}

TEST(StylePresets, CategoriesPerList)
{
    // core, trending, more, lockups
    const std::map<StyleCategory, std::array<int, 4>> expected{
        {StyleCategory::social, {0, 0, 6, 1}},    {StyleCategory::bold, {3, 1, 0, 3}},
        {StyleCategory::karaoke, {3, 2, 0, 0}},   {StyleCategory::dynamic, {0, 0, 6, 0}},
        {StyleCategory::motion, {0, 5, 0, 0}},    {StyleCategory::layouts, {0, 6, 0, 0}},
        {StyleCategory::multiline, {0, 0, 6, 19}}, {StyleCategory::creators, {0, 0, 6, 2}},
        {StyleCategory::script, {0, 5, 0, 0}},    {StyleCategory::minimal, {3, 0, 0, 2}},
        {StyleCategory::editorial, {3, 0, 0, 5}}, {StyleCategory::behind, {4, 0, 3, 1}},
        {StyleCategory::knockout, {0, 4, 0, 0}},  {StyleCategory::neon, {3, 5, 4, 2}},
        {StyleCategory::paper, {0, 5, 0, 0}},     {StyleCategory::chat, {0, 5, 0, 0}},
        {StyleCategory::retro, {3, 0, 3, 0}},     {StyleCategory::playful, {4, 2, 3, 1}},
        {StyleCategory::speakers, {2, 0, 3, 0}},  {StyleCategory::desi, {1, 0, 2, 0}},
    };
    std::map<StyleCategory, std::array<int, 4>> counted;
    int list = 0;
    for (const auto* looks : {&StylePresets::core(), &StylePresets::trending(), &StylePresets::more(),
                              &StylePresets::lockups()}) {
        for (const auto& s : *looks) ++counted[s.category][list];
        ++list;
    }
    EXPECT_EQ(counted, expected);
}

TEST(StylePresets, CuratedIdsFindTheirLooksInOrder)
{
    const std::vector<std::pair<std::string, std::ptrdiff_t>> popular{
        {"kestrin", 0},       {"crimson-script", 118}, {"ruby-matter", 119}, {"karaoke", 3},
        {"box", 4},           {"ember-line", 111},     {"monument", 12},     {"neon", 16},
        {"orange-band", 124}, {"mint-box", 127},       {"fill-in", 80},      {"daylight", 71},
        {"blue-whisper", 116}, {"sunburst", 106},      {"jelly-pop", 76},    {"editorial", 9}};
    const std::vector<std::pair<std::string, std::ptrdiff_t>> trending{
        {"kinetic", 48},     {"spotlight", 47},   {"die-cut", 54},    {"ransom-note", 57},
        {"blue-bubble", 49}, {"notification", 52}, {"cutout", 29},    {"chameleon", 31},
        {"neon-box", 59},    {"red-wipe", 60},    {"gold-glide", 62}, {"dynamic", 44},
        {"fusion", 35},      {"script-accent", 39}, {"loud-caps", 63}, {"podcast-flow", 33}};

    for (const auto& [ids, expected] : {std::pair{StylePresets::popularIDs(), &popular},
                                        std::pair{StylePresets::trendingIDs(), &trending}}) {
        ASSERT_EQ(ids.size(), expected->size());
        for (std::size_t i = 0; i < ids.size(); ++i) {
            EXPECT_EQ(ids[i], (*expected)[i].first) << i;
            EXPECT_EQ(positionOf(ids[i]), (*expected)[i].second) << ids[i];
        }
    }
}

TEST(StylePresets, RequiredFieldsNotNamedHoldTheCommonValues)
{
    // "cutout" names none of these, so each must be the shared value, not
    // whatever a fresh CaptionStyle starts with.
    const auto& s = look("cutout");
    EXPECT_EQ(s.emphasisScale, 1);
    EXPECT_EQ(s.textColor, (RGBA{1, 1, 1, 1}));
    EXPECT_EQ(s.strokeWidth, 0);
    EXPECT_EQ(s.shadowOffset, 3);
    EXPECT_EQ(s.glowRadius, 0);
    EXPECT_EQ(s.cornerRadius, 18);
    EXPECT_EQ(s.highlight, HighlightMode::none);
    EXPECT_EQ(s.animation, EntranceAnimation::pop);
    EXPECT_FALSE(s.italic || s.dimUnspoken || s.heroWord || s.behindSubject);
    EXPECT_EQ(s.lineSpacing, 1);
    EXPECT_EQ(s.rotation, 0);
    // Named in its row: the values given there.
    EXPECT_EQ(s.fontSize, 330);
    EXPECT_EQ(s.shadowRadius, 12);
    EXPECT_TRUE(s.uppercase);
    EXPECT_EQ(s.maxWordsPerGroup, 1);
    EXPECT_EQ(s.maxWordsPerLine, 1);
    EXPECT_EQ(s.verticalPosition, 0.5);
    EXPECT_EQ(s.letterSpacing, 2);

    const auto& chalk = look("chalk");  // names neither word count
    EXPECT_EQ(chalk.maxWordsPerGroup, 5);
    EXPECT_EQ(chalk.maxWordsPerLine, 3);
    EXPECT_EQ(chalk.verticalPosition, 0.7);
}

TEST(StylePresets, OptionalFieldsArePresentOnlyWhereNamed)
{
    using Keys = std::set<std::string>;
    const std::vector<std::pair<std::string, Keys>> cases{
        {"kestrin", {"activeColor", "emphasisColor", "strokeColor", "shadowColor"}},
        {"monument", {}},
        {"editorial", {"emphasisFont", "emphasisColor", "shadowColor"}},
        {"dm-alert", {"barColor", "sampleText", "blurb", "exitAnimation", "container", "notificationApp",
                      "notificationTitle"}},
        {"kinetic", {"shadowColor", "sampleText", "blurb", "fill", "fillHeroOnly", "exitAnimation", "layouts"}},
        {"candy", {"strokeColor", "shadowColor", "palette"}},
        {"orange-band", {"sampleText", "blurb", "lockup", "lineBoxColor"}},
        {"mint-box", {"emphasisColor", "shadowColor", "sampleText", "blurb", "lockup", "emphasisBoxColor"}},
    };
    for (const auto& [id, keys] : cases) EXPECT_EQ(presentOptionalKeys(look(id)), keys) << id;

    // What each list may use beyond the basic settings.
    const Keys coreMay{"emphasisFont", "activeColor", "emphasisColor", "strokeColor", "shadowColor",
                       "glowColor", "barColor", "highlightColor"};
    Keys moreMay = coreMay;
    moreMay.insert({"gradientColor", "palette", "wordBoxColor", "hollowUnspoken", "lineScales"});
    for (const auto& [list, allowed] : {std::pair{&StylePresets::core(), &coreMay},
                                        std::pair{&StylePresets::more(), &std::as_const(moreMay)}})
        for (const auto& s : *list)
            for (const auto& key : presentOptionalKeys(s)) EXPECT_TRUE(allowed->contains(key)) << s.id << " " << key;

    for (const auto* list : {&StylePresets::trending(), &StylePresets::lockups()})
        for (const auto& s : *list) EXPECT_TRUE(s.sampleText && s.blurb) << s.id;
}

TEST(StylePresets, ExactColours)
{
    struct Case {
        std::string id;
        std::optional<RGBA> CaptionStyle::*field;
        RGBA expected;
    };
    const std::vector<Case> cases{
        {"kestrin", &CaptionStyle::activeColor, {1, 0.8980392156862745, 0, 1}},
        {"kestrin", &CaptionStyle::shadowColor, {0, 0, 0, 0.6}},
        {"podcast", &CaptionStyle::barColor, bytes(0x5B, 0x4B, 0xFF, 0.92)},
        {"terminal", &CaptionStyle::glowColor, bytes(0x39, 0xFF, 0x14, 0.8)},
        // Fractions that no byte gives, kept exactly as written.
        {"newsreel", &CaptionStyle::barColor, {0.08, 0.07, 0.06, 0.88}},
        {"lower-third", &CaptionStyle::barColor, {0.07, 0.07, 0.09, 0.86}},
        {"dm-alert", &CaptionStyle::barColor, {0.11, 0.11, 0.12, 0.92}},
        {"stacked-notes", &CaptionStyle::lineBoxColor, {0.05, 0.05, 0.06, 0.88}},
        // Outline-only looks: an opaque outline around invisible letters.
        {"ghostline", &CaptionStyle::strokeColor, {1, 1, 1, 1}},
        {"outline-stack", &CaptionStyle::strokeColor, bytes(0xFF, 0xE5, 0x00)},
        {"neon-box", &CaptionStyle::emphasisColor, bytes(0xC4, 0xFF, 0x4D)},
        {"neon-box", &CaptionStyle::neonFrame, bytes(0xC4, 0xFF, 0x4D)},
        {"cutout-paper", &CaptionStyle::knockout, bytes(0xF4, 0xEF, 0xE2)},
        {"chameleon-behind", &CaptionStyle::blendDarkColor, bytes(0x8A, 0x0F, 0xA0)},
        {"gold-rush", &CaptionStyle::shineSweep, {1, 1, 1, 0.95}},
        {"red-wipe", &CaptionStyle::wipeColor, bytes(0xD1, 0x11, 0x00)},
        {"mint-box", &CaptionStyle::emphasisBoxColor, bytes(0x22, 0xB5, 0x73)},
        {"violet-box", &CaptionStyle::wordBoxColor, bytes(0x6E, 0x4B, 0xFF, 0.9)},
        {"white-rise", &CaptionStyle::emphasisColor, {1, 1, 1, 0.9}},
    };
    for (const auto& c : cases) {
        const auto& value = look(c.id).*c.field;
        ASSERT_TRUE(value) << c.id;
        EXPECT_EQ(*value, c.expected) << c.id;
    }
    EXPECT_EQ(look("ghostline").textColor, (RGBA{1, 1, 1, 0}));
    EXPECT_EQ(look("outline-stack").textColor, (RGBA{1, 1, 1, 0}));
    EXPECT_EQ(look("deep-focus").textColor, (RGBA{1, 1, 1, 0.92}));
    EXPECT_EQ(look("sticker").textColor, bytes(0x11, 0x11, 0x11));
}

TEST(StylePresets, WordPalettes)
{
    const std::vector<RGBA> candy{bytes(0xFF, 0x8F, 0xB1), bytes(0xFF, 0xD3, 0x6E), bytes(0x7E, 0xE8, 0xFA),
                                  bytes(0xB6, 0x9C, 0xFF)};
    EXPECT_EQ(look("jelly-pop").palette, candy);
    EXPECT_EQ(look("jump-cut").palette,
              (std::vector<RGBA>{{1, 1, 1, 1}, bytes(0xFF, 0xE5, 0x00), bytes(0x00, 0xE5, 0xFF)}));
    EXPECT_EQ(look("comic-pop").palette, (std::vector<RGBA>{bytes(0x22, 0xD3, 0xEE), bytes(0xFA, 0xCC, 0x15),
                                                            bytes(0x22, 0xC5, 0x5E), bytes(0xEF, 0x44, 0x44)}));
    EXPECT_EQ(look("sticker-pop").palette, (std::vector<RGBA>{bytes(0xFF, 0x4F, 0xA3), bytes(0x7C, 0x5C, 0xFF),
                                                              bytes(0x00, 0xB8, 0xD9), bytes(0xFF, 0x8F, 0x00)}));

    // "candy" takes the candy colours at 80 %, computed, opaque.
    const auto& darker = look("candy").palette;
    ASSERT_TRUE(darker);
    ASSERT_EQ(darker->size(), 4u);
    EXPECT_EQ(darker->front(), (RGBA{0.8, 0.4486274509803922, 0.5552941176470588, 1}));
    EXPECT_EQ((*darker)[2], (RGBA{0.39529411764705885, 0.727843137254902, 0.7843137254901961, 1}));
    for (std::size_t i = 0; i < 4; ++i)
        EXPECT_EQ((*darker)[i], (RGBA{candy[i].r * 0.8, candy[i].g * 0.8, candy[i].b * 0.8, 1})) << i;

    std::set<std::string> withPalette;
    for (const auto& s : StylePresets::all())
        if (s.palette) withPalette.insert(s.id);
    EXPECT_EQ(withPalette, (std::set<std::string>{"sticker-pop", "comic-pop", "jump-cut", "jelly-pop", "candy"}));
}

TEST(StylePresets, NumbersKeptExactly)
{
    // Lockup sizes are whole sizes times 1.4 in double precision, which for
    // some lands one step below the decimal one would write.
    const std::vector<std::pair<std::string, int>> lockupSizes{
        {"serif-pair", 44}, {"abril-contrast", 44}, {"white-rise", 44}, {"gold-slide", 44},
        {"blue-whisper", 48}, {"ruby-matter", 48},  {"tilted-intent", 66}, {"voice-pair", 56},
        {"citrus-shine", 46}, {"balboa-light", 46}, {"ember-line", 64}};
    for (const auto& [id, n] : lockupSizes) EXPECT_EQ(look(id).fontSize, n * 1.4) << id;
    EXPECT_NE(look("serif-pair").fontSize, 61.6);
    EXPECT_NE(look("blue-whisper").fontSize, 67.2);

    EXPECT_EQ(look("marquee").lineScales, (std::vector<double>{1, 0.6, 1.5}));
    EXPECT_EQ(look("headliner").lineScales, (std::vector<double>{0.7, 1.4}));
    EXPECT_EQ(look("lime-stack").lineScales, (std::vector<double>{1, 1.3}));
    EXPECT_EQ(look("slide-stack").lineScales, (std::vector<double>{0.7, 1.4}));
    EXPECT_EQ(look("podcast-flow").pauseBreak, 0.35);
    EXPECT_EQ(look("blue-bubble").pauseBreak, 0.45);
    EXPECT_EQ(look("tilted-intent").rotation, -8);
    EXPECT_EQ(look("gold-glide").letterSpacing, -1);
    EXPECT_EQ(look("lower-third").maxWordsPerGroup, 8);
    EXPECT_EQ(look("lower-third").maxWordsPerLine, 6);
    EXPECT_EQ(look("dm-alert").notificationTitle, "@yourhandle");
    EXPECT_EQ(look("dm-alert").notificationApp, NotificationApp::social);
    EXPECT_EQ(look("ransom-live").sampleText, "don't miss this");
    EXPECT_EQ(look("cutout").sampleText, "*watch*");
}

TEST(StylePresets, LockupFlags)
{
    int lockupTrue = 0;
    for (const auto& s : StylePresets::lockups()) {
        ASSERT_TRUE(s.lockup.has_value()) << s.id;
        lockupTrue += *s.lockup;
    }
    EXPECT_EQ(lockupTrue, 26);

    std::set<std::string> trendingLockups;
    for (const auto& s : StylePresets::trending()) {
        if (!s.lockup) continue;
        EXPECT_TRUE(*s.lockup) << s.id;
        trendingLockups.insert(s.id);
    }
    EXPECT_EQ(trendingLockups, (std::set<std::string>{"script-accent", "creator-glow", "sunset-script", "punchline",
                                                      "die-cut", "neon-box", "red-wipe"}));
}

TEST(StylePresets, SharedLayoutRotations)
{
    auto pool = [](std::size_t i) {
        auto layouts = kLayoutPools[i].layouts;
        return std::vector<CaptionLayout>(layouts.begin(), layouts.end());
    };
    EXPECT_EQ(look("dynamic").layouts, pool(0));
    EXPECT_EQ(look("big-small").layouts, pool(1));
    EXPECT_EQ(look("kinetic").layouts, pool(4));
    EXPECT_EQ(look("magazine").layouts, (std::vector<CaptionLayout>{CaptionLayout::heroLeft, CaptionLayout::leftBlock,
                                                                     CaptionLayout::hero, CaptionLayout::bigSmall}));
}

TEST(StylePresets, EveryLookSurvivesStorage)
{
    // Projects and the style library store looks as JSON; a built-in look
    // must come back equal.
    for (const auto& s : StylePresets::all())
        EXPECT_EQ(CaptionStyle::fromJson(json::parse(s.toJson().dump())), s) << s.id;
}

TEST(StylePresets, FirstUseFromManyThreadsBuildsOneCatalogue)
{
    std::vector<const std::vector<CaptionStyle>*> seen(8);
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < seen.size(); ++i)
        threads.emplace_back([&seen, i] { seen[i] = &StylePresets::all(); });
    for (auto& t : threads) t.join();
    for (const auto* list : seen) {
        EXPECT_EQ(list, seen.front());
        EXPECT_EQ(list->size(), 147u);
    }
}
