#include "captions/look/CaptionLayout.h"
#include "captions/look/CaptionVocabulary.h"
#include "captions/look/SeededRandom.h"
#include "captions/look/StyleCategory.h"
#include "platform/JsonCoding.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace vt;

namespace {

// Every case writes its stored text, reads back to itself, and no two cases
// share a text; a text naming no case fails.
template <class E>
void expectRoundTrips(std::size_t expectedCount)
{
    std::set<std::string> seen;
    for (E value : json::allCases<E>()) {
        json::Value text = json::encode(value);
        ASSERT_TRUE(text.is_string());
        EXPECT_TRUE(seen.insert(text.get<std::string>()).second) << text;
        EXPECT_EQ(json::decode<E>(text), value) << text;
    }
    EXPECT_EQ(seen.size(), expectedCount);
    EXPECT_THROW(json::decode<E>(json::Value("no such case")), json::DecodeError);
    EXPECT_THROW(json::decode<E>(json::Value(0)), json::DecodeError);
}

}  // namespace

TEST(CaptionVocabulary, EveryEnumerationRoundTripsThroughItsText)
{
    expectRoundTrips<StyleCategory>(23);
    expectRoundTrips<HighlightMode>(6);
    expectRoundTrips<EntranceAnimation>(10);
    expectRoundTrips<ExitAnimation>(5);
    expectRoundTrips<CaptionLayout>(12);
    expectRoundTrips<FreeformLayout>(4);
    expectRoundTrips<CaptionContainer>(3);
    expectRoundTrips<NotificationApp>(7);
    expectRoundTrips<TextFill>(5);
    expectRoundTrips<TextAlign>(3);
}

TEST(CaptionVocabulary, RawTextsAreCaseNamesExceptCategoriesWhichAreTitles)
{
    EXPECT_EQ(json::encode(EntranceAnimation::slideUp), "slideUp");
    EXPECT_EQ(json::encode(CaptionLayout::bigSmall), "bigSmall");
    EXPECT_EQ(json::encode(CaptionContainer::chatRight), "chatRight");
    EXPECT_EQ(json::decode<TextAlign>(json::Value("left")), TextAlign::left);

    EXPECT_EQ(json::encode(StyleCategory::knockout), "Knockout & Blend");
    EXPECT_EQ(json::decode<StyleCategory>(json::Value("Behind You")), StyleCategory::behind);
    for (const char* wrong : {"knockout", "behind", "Behind you", "Behind You "})
        EXPECT_THROW(json::decode<StyleCategory>(json::Value(wrong)), json::DecodeError) << wrong;

    EXPECT_EQ(styleCategory("My Styles"), StyleCategory::mine);
    EXPECT_EQ(styleCategory("mine"), std::nullopt);
    EXPECT_EQ(title(StyleCategory::script), "Script Accents");
    EXPECT_EQ(blurb(StyleCategory::chat), "Your words as chat bubbles and phone notifications.");
    EXPECT_EQ(json::allCases<StyleCategory>().front(), StyleCategory::popular);
    EXPECT_EQ(json::allCases<StyleCategory>().back(), StyleCategory::mine);
}

TEST(CaptionVocabulary, HighlightModesKnowWhichColoursTheyUse)
{
    std::set<HighlightMode> active, shape;
    for (HighlightMode m : json::allCases<HighlightMode>()) {
        if (usesActiveColor(m)) active.insert(m);
        if (usesHighlightColor(m)) shape.insert(m);
        EXPECT_EQ(searchTag(m).has_value(), m != HighlightMode::none);
    }
    using H = HighlightMode;
    EXPECT_EQ(active, (std::set{H::color, H::box, H::slide}));
    EXPECT_EQ(shape, (std::set{H::box, H::underline, H::slide}));
    EXPECT_EQ(searchTag(H::slide), "Sliding box");
}

TEST(CaptionVocabulary, NotificationAppColours)
{
    for (NotificationApp app : json::allCases<NotificationApp>()) {
        auto list = colors(app);
        EXPECT_EQ(list.size(), app == NotificationApp::social ? 3u : 2u);
        for (const RGBA& c : list) EXPECT_EQ(c.a, 1.0);
    }
    auto social = colors(NotificationApp::social);
    EXPECT_EQ(social[1], (RGBA{225 / 255.0, 48 / 255.0, 108 / 255.0, 1}));
    EXPECT_EQ(colors(NotificationApp::messages)[0], colors(NotificationApp::phone)[0]);
    EXPECT_NE(colors(NotificationApp::messages)[1], colors(NotificationApp::phone)[1]);
}

TEST(CaptionVocabulary, EntranceLabelsAndExitDurations)
{
    EXPECT_EQ(label(EntranceAnimation::typewriter), "Word reveal");
    EXPECT_EQ(label(EntranceAnimation::flyIn), "Fly in (scatter)");
    EXPECT_EQ(duration(ExitAnimation::cut), 0.08);
    EXPECT_EQ(duration(ExitAnimation::scatter), 0.26);
}

TEST(CaptionVocabulary, LayoutPoolsAreNamedRotations)
{
    ASSERT_EQ(kLayoutPools.size(), 5u);
    EXPECT_EQ(kLayoutPools[0].label, "Mixed");
    EXPECT_EQ(kLayoutPools[0].layouts.size(), 6u);
    EXPECT_EQ(kLayoutPools[0].layouts.back(), CaptionLayout::line);
    EXPECT_EQ(kLayoutPools[4].label, "Scattered");
    EXPECT_EQ(kLayoutPools[4].layouts[2], CaptionLayout::stagger);
}

TEST(SeededRandom, KnownSequenceFromSeedZero)
{
    SeededRandom rng(0);
    EXPECT_EQ(rng.state, 0u);  // the seed is taken as it is
    EXPECT_EQ(rng.next(), 0x34D80014E6FE3AECull);
    EXPECT_EQ(rng.state, 0x14057B7EF767814Full);
    EXPECT_EQ(rng.next(), 0xB55882805EC6264Aull);
    EXPECT_EQ(rng.state, 0x1A08EE1184BA6D32ull);
    EXPECT_EQ(rng.next(), 0x9D0BE64A449D1B7Aull);
}

TEST(SeededRandom, SameSeedSameSequenceAndBoundedDraws)
{
    SeededRandom a(12345), b(12345), c(12346);
    bool differs = false;
    for (int i = 0; i < 100; ++i) {
        std::uint64_t x = a.next();
        EXPECT_EQ(x, b.next());
        differs = differs || x != c.next();
    }
    EXPECT_TRUE(differs);

    SeededRandom r(7);
    for (int i = 0; i < 50; ++i) {
        EXPECT_EQ(r.below(1), 0u);
        EXPECT_LT(r.below(6), 6u);
    }
    SeededRandom m(7), n(7);
    n.next();
    EXPECT_EQ(m.below(0), 0u);  // no division by zero
    EXPECT_EQ(m.state, n.state);
}
