#include "model/ItemAdjust.h"
#include "model/VideoClip.h"
#include "RecordChecks.h"

#include <gtest/gtest.h>

using namespace vt;

namespace {

ItemAdjust unusualAdjust()
{
    ItemAdjust a;
    a.cropLeft = 0.6;  // beyond what drawing uses: stored as given
    a.cropTop = 0.1;
    a.zoom = 7;
    a.panX = -1.5;
    a.turns = -1;
    a.flipped = true;
    a.grade.look = "noir";
    a.grade.contrast = 0.4;
    a.opacity = 0.5;
    a.volume = -12;
    return a;
}

}  // namespace

TEST(ItemAdjust, WritesAllTwelveKeysAndReadsBackUnclamped)
{
    json::Value v = json::encode(unusualAdjust());
    EXPECT_EQ(v.size(), 12u);
    EXPECT_TRUE(v["turns"].is_number_integer());
    EXPECT_TRUE(v["grade"].is_object());
    ItemAdjust back = test::roundTrip(unusualAdjust());
    EXPECT_EQ(back.cropLeft, 0.6);
    EXPECT_EQ(back.turns, -1);
    EXPECT_EQ(json::encode(ItemAdjust{}).size(), 12u);
}

TEST(ItemAdjust, DamagedValuesFallBackFieldByField)
{
    EXPECT_EQ(json::decode<ItemAdjust>(json::Value::object()), ItemAdjust{});

    json::Value allWrong = json::encode(unusualAdjust());
    for (auto it = allWrong.begin(); it != allWrong.end(); ++it) it.value() = it.value().is_string() ? json::Value(1) : json::Value("x");
    allWrong["grade"] = json::Value::array();
    EXPECT_EQ(json::decode<ItemAdjust>(allWrong), ItemAdjust{});

    json::Value some = json::encode(unusualAdjust());
    some["turns"] = 1.5;                                   // not a whole number
    some["grade"] = json::Value{{"look", "noir"}};         // a grade missing its numbers
    some["opacity"] = nullptr;
    ItemAdjust a = json::decode<ItemAdjust>(some);
    ItemAdjust expected = unusualAdjust();
    expected.turns = 0;
    expected.grade = VideoGrade{};
    expected.opacity = 1;
    EXPECT_EQ(a, expected);

    EXPECT_THROW(json::decode<ItemAdjust>(json::Value(5)), json::DecodeError);
}

TEST(VideoClip, RoundTripsWithAndWithoutOptionals)
{
    VideoClip full{Uuid::random(), "/videos/café.mov", Bytes{1, 2, 250}, "café", 12.5, 1.0, 0.5, unusualAdjust()};
    VideoClip back = test::roundTrip(full);
    EXPECT_EQ(back.id, full.id);

    VideoClip bare{Uuid::random(), "/v/a.mp4", std::nullopt, "a", 3, 0, 0, std::nullopt};
    json::Value v = json::encode(bare);
    EXPECT_EQ(test::keysOf(v), (std::set<std::string>{"id", "path", "name", "duration", "trimStart", "trimEnd"}));
    VideoClip bareBack = test::roundTrip(bare);
    EXPECT_FALSE(bareBack.bookmark);
    EXPECT_FALSE(bareBack.adjust);

    test::expectEachKeyRequired<VideoClip>(json::encode(full),
                                           {"id", "path", "name", "duration", "trimStart", "trimEnd"});
}

TEST(VideoClip, AdjustmentReadsLenientlyButMustBeAnObject)
{
    VideoClip clip{Uuid::random(), "/v/a.mp4", std::nullopt, "a", 3, 0, 0, std::nullopt};
    json::Value v = json::encode(clip);
    v["adjust"] = json::Value{{"zoom", "big"}, {"volume", -6}};
    VideoClip back = json::decode<VideoClip>(v);
    ASSERT_TRUE(back.adjust);
    EXPECT_EQ(back.adjust->zoom, 1);
    EXPECT_EQ(back.adjust->volume, -6);

    v["adjust"] = json::Value::array();
    EXPECT_THROW(json::decode<VideoClip>(v), json::DecodeError);
    v["id"] = "not-a-uuid";
    v.erase("adjust");
    EXPECT_THROW(json::decode<VideoClip>(v), json::DecodeError);
}

TEST(VideoClip, EqualityCoversOptionalsAndCanonicalText)
{
    VideoClip a{Uuid::random(), "/v/cafe\xCC\x81.mov", std::nullopt, "x", 3, 0, 0, std::nullopt};
    VideoClip b = a;
    b.path = "/v/caf\xC3\xA9.mov";  // the same text, precomposed
    EXPECT_EQ(a, b);
    EXPECT_EQ(std::hash<VideoClip>{}(a), std::hash<VideoClip>{}(b));
    b.adjust = ItemAdjust{};
    EXPECT_NE(a, b);  // an absent adjustment equals only an absent one
    b = a;
    b.bookmark = Bytes{};
    EXPECT_NE(a, b);
}
