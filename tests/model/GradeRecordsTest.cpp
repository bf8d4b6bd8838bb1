#include "model/ColorLook.h"
#include "model/VideoGrade.h"
#include "RecordChecks.h"

#include <gtest/gtest.h>

#include <limits>
#include <set>

using namespace vt;

TEST(VideoGrade, DefaultIsStoredWithAllSixteenKeys)
{
    json::Value v = json::encode(VideoGrade{});
    EXPECT_EQ(test::keysOf(v),
              (std::set<std::string>{"look", "intensity", "exposure", "contrast", "highlights", "shadows",
                                     "temperature", "tint", "saturation", "vibrance", "sharpness", "clarity",
                                     "denoise", "vignette", "grain", "glow"}));
    EXPECT_EQ(v["look"], "none");
    EXPECT_EQ(v["intensity"], 0.8);
    EXPECT_EQ(v["glow"], 0.0);
    EXPECT_EQ(json::decode<VideoGrade>(v), VideoGrade{});
}

TEST(VideoGrade, EveryKeyIsRequiredAndTyped)
{
    VideoGrade g{.look = "moody", .intensity = 0.5, .exposure = -0.25, .tint = 0.1, .glow = 0.7};
    json::Value full = json::encode(g);
    test::roundTrip(g);
    test::expectEachKeyRequired<VideoGrade>(
        full, {"look", "intensity", "exposure", "contrast", "highlights", "shadows", "temperature", "tint",
               "saturation", "vibrance", "sharpness", "clarity", "denoise", "vignette", "grain", "glow"});
    json::Value wrong = full;
    wrong["look"] = 3;
    EXPECT_THROW(json::decode<VideoGrade>(wrong), json::DecodeError);
    wrong = full;
    wrong["contrast"] = "0";
    EXPECT_THROW(json::decode<VideoGrade>(wrong), json::DecodeError);
}

TEST(VideoGrade, NeutralIgnoresIntensityOnly)
{
    EXPECT_TRUE((VideoGrade{.look = "none", .intensity = 0.3}).isNeutral());
    EXPECT_FALSE((VideoGrade{.look = "none", .intensity = 0.3, .vignette = 0.01}).isNeutral());
    EXPECT_FALSE((VideoGrade{.look = "none", .exposure = -0.01}).isNeutral());
    EXPECT_FALSE((VideoGrade{.look = "moody"}).isNeutral());
}

TEST(VideoGrade, NegativeZeroEqualsZeroAndHashesAlike)
{
    VideoGrade a, b;
    b.shadows = -0.0;
    EXPECT_EQ(a, b);
    EXPECT_EQ(std::hash<VideoGrade>{}(a), std::hash<VideoGrade>{}(b));
    b.shadows = 0.01;
    EXPECT_NE(a, b);
}

TEST(VideoGrade, NonFiniteValueCannotBeStored)
{
    VideoGrade g;
    g.grain = std::numeric_limits<double>::infinity();
    EXPECT_THROW(json::encode(g), json::EncodeError);
}

TEST(ColorLook, TableOrderIdsAndLookup)
{
    auto all = ColorLook::all();
    ASSERT_EQ(all.size(), 17u);
    EXPECT_EQ(all.front(), ColorLook::none());
    EXPECT_EQ(all.front().id, "none");
    EXPECT_EQ(all.back().id, "bw-soft");

    std::set<std::string_view> ids;
    for (const auto& look : all) ids.insert(look.id);
    EXPECT_EQ(ids.size(), 17u);

    EXPECT_EQ(ColorLook::find("kodak-warm").name, "Kodak Warm");
    EXPECT_EQ(ColorLook::find("pastel").name, "Soft Pastel");
    EXPECT_EQ(ColorLook::find("Moody"), ColorLook::none());
    EXPECT_EQ(ColorLook::find(""), ColorLook::none());
}

TEST(ColorLook, RowsKeepTheirTintsApart)
{
    const ColorLook& teal = ColorLook::find("teal-orange");
    EXPECT_EQ(teal.shadowTint, (std::array<double, 3>{-0.06, 0.02, 0.07}));
    EXPECT_EQ(teal.highlightTint, (std::array<double, 3>{0.07, 0.03, -0.05}));
    const ColorLook& moody = ColorLook::find("moody");
    EXPECT_EQ(moody.gamma, 1.1);
    EXPECT_EQ(moody.saturation, 0.75);
    EXPECT_EQ(moody.highlightTint, (std::array<double, 3>{0, 0, 0}));
    EXPECT_TRUE(ColorLook::find("noir").mono);
    EXPECT_FALSE(ColorLook::find("golden-hour").mono);
    EXPECT_EQ(ColorLook::find("cool-film").warmth, -1.0);
}
