#include "model/BRoll.h"
#include "model/CutTransition.h"
#include "model/EmojiSettings.h"
#include "model/MotionEffect.h"
#include "model/ProgressBar.h"
#include "RecordChecks.h"

#include <gtest/gtest.h>

#include <vector>

using namespace vt;

namespace {

BRoll anchoredCutaway()
{
    BRoll b;
    b.path = "/clips/city.mov";
    b.bookmark = Bytes{9, 8, 7};
    b.name = "city";
    b.startWordID = Uuid::random();
    b.endWordID = Uuid::random();
    b.layout = BRollLayout::pip;
    b.entrance = BRollEntrance::slide;
    b.sourceOffset = 1.25;
    return b;
}

}  // namespace

TEST(EffectRecords, EnumerationsStoreTheirDisplayTexts)
{
    using V = std::vector<std::string_view>;
    EXPECT_EQ(test::enumTexts<MotionEffect::Kind>(), (V{"Zoom In", "Zoom Out", "Punch In", "Pop", "Shake", "Fade In",
                                                         "Fade Out", "Flash", "Blur In", "Black & White", "Glitch"}));
    EXPECT_EQ(test::enumTexts<CutTransition>(),
              (V{"None", "Zoom punch", "Zoom in", "Flash", "Dip to black", "Whip", "Glitch"}));
    EXPECT_EQ(test::enumTexts<BRollLayout>(), (V{"Full screen", "Split", "Picture-in-picture"}));
    EXPECT_EQ(test::enumTexts<BRollEntrance>(), (V{"Fade", "Cut", "Slide up", "Zoom"}));
    EXPECT_EQ(test::enumTexts<ProgressBar::Position>(), (V{"Top", "Bottom"}));
    EXPECT_EQ(test::enumTexts<EmojiSettings::Amount>(), (V{"Some", "Lots"}));

    EXPECT_EQ(json::decode<CutTransition>("Dip to black"), CutTransition::dipBlack);
    EXPECT_THROW(json::decode<CutTransition>("dipBlack"), json::DecodeError);
    EXPECT_THROW(json::decode<BRollLayout>("picture-in-picture"), json::DecodeError);
}

TEST(EffectRecords, MotionKindsCarryIconAndBlurb)
{
    EXPECT_EQ(icon(MotionEffect::Kind::zoomIn), "plus.magnifyingglass");
    EXPECT_EQ(blurb(MotionEffect::Kind::zoomIn), "Slowly pushes in on the speaker");
    EXPECT_EQ(icon(MotionEffect::Kind::blackWhite), "circle.lefthalf.filled");
    EXPECT_EQ(blurb(MotionEffect::Kind::glitch), "A digital glitch");
}

TEST(MotionEffect, AllSixKeysRequiredAndKindMustBeKnown)
{
    MotionEffect m{Uuid::random(), MotionEffect::Kind::punchIn, 3.5, 0.8, 1.4, true};
    test::roundTrip(m);
    json::Value v = json::encode(m);
    EXPECT_EQ(v["kind"], "Punch In");
    test::expectEachKeyRequired<MotionEffect>(v, {"id", "kind", "start", "duration", "strength", "sound"});
    v["kind"] = "Zoom";
    EXPECT_THROW(json::decode<MotionEffect>(v), json::DecodeError);
}

TEST(BRoll, AnchoredCutawayOmitsPlacementAndAdjustment)
{
    BRoll b = anchoredCutaway();
    json::Value v = json::encode(b);
    EXPECT_FALSE(v.contains("start"));
    EXPECT_FALSE(v.contains("length"));
    EXPECT_FALSE(v.contains("adjust"));
    EXPECT_EQ(v["layout"], "Picture-in-picture");
    EXPECT_EQ(v["entrance"], "Slide up");
    BRoll back = test::roundTrip(b);
    EXPECT_FALSE(back.start);
    EXPECT_FALSE(back.adjust);
    test::expectEachKeyRequired<BRoll>(v, {"id", "path", "name", "isImage", "startWordID", "endWordID", "layout",
                                           "entrance", "kenBurns", "sourceOffset"});
}

TEST(BRoll, TimedOverlayRoundTripsAndDiffersFromCutaway)
{
    BRoll overlay = anchoredCutaway();
    overlay.isImage = true;
    overlay.kenBurns = true;
    overlay.start = 4.0;
    overlay.length = 2.5;
    overlay.adjust = ItemAdjust{};
    overlay.adjust->opacity = 0.7;
    test::roundTrip(overlay);

    BRoll cutaway = overlay;
    cutaway.start.reset();
    EXPECT_NE(cutaway, overlay);
    cutaway = overlay;
    cutaway.bookmark.reset();
    EXPECT_NE(cutaway, overlay);
}

TEST(ProgressBar, ColourIsOptional)
{
    ProgressBar bar{ProgressBar::Position::bottom, std::nullopt, 6};
    json::Value v = json::encode(bar);
    EXPECT_EQ(test::keysOf(v), (std::set<std::string>{"position", "thickness"}));
    test::roundTrip(bar);
    bar.color = RGBA{1, 0.5, 0, 1};
    EXPECT_EQ(json::encode(bar)["color"]["g"], 0.5);
    test::roundTrip(bar);
    test::expectEachKeyRequired<ProgressBar>(json::encode(bar), {"position", "thickness"});
}

TEST(EmojiSettings, BothKeysRequiredAndOverridesAreAnObject)
{
    Uuid word = Uuid::random();
    EmojiSettings s{EmojiSettings::Amount::lots, {{word.text(), "🔥"}, {Uuid::random().text(), ""}}};
    json::Value v = json::encode(s);
    EXPECT_EQ(v["amount"], "Lots");
    ASSERT_TRUE(v["overrides"].is_object());
    EXPECT_EQ(v["overrides"][word.text()], "🔥");
    test::roundTrip(s);
    test::expectEachKeyRequired<EmojiSettings>(v, {"amount", "overrides"});

    v["amount"] = "Many";
    EXPECT_THROW(json::decode<EmojiSettings>(v), json::DecodeError);
    v["amount"] = "Some";
    v["overrides"] = json::Value::array({word.text(), "🔥"});
    EXPECT_THROW(json::decode<EmojiSettings>(v), json::DecodeError);

    EmojiSettings other = s;
    other.overrides.begin()->second = "💰";
    EXPECT_NE(other, s);
}
