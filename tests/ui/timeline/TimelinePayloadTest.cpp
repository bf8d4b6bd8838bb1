#include "ui/timeline/TimelinePayload.h"

#include <gtest/gtest.h>

namespace vt {
namespace {

using Drop = EditorModel::TimelineDrop;

Drop cut(std::optional<MatchCut::Style> style, std::optional<std::int64_t> seed, std::optional<std::string> word)
{
    Drop d = TimelinePayload::matchCut();
    d.style = style;
    d.seed = seed;
    d.word = std::move(word);
    return d;
}

bool same(const Drop& a, const Drop& b)
{
    if (a.kind != b.kind) return false;
    if (a.kind == Drop::Kind::motion) return a.motion == b.motion;
    return a.style == b.style && a.seed == b.seed && a.word == b.word;
}

TEST(TimelinePayload, ParsesTheTextFormat)
{
    using S = MatchCut::Style;
    struct Case {
        const char* text;
        std::optional<Drop> drop;
    };
    const Case cases[] = {
        {"vellumtide-timeline:motion:Zoom In", TimelinePayload::motion(MotionEffect::Kind::zoomIn)},
        {"vellumtide-timeline:motion:Black & White", TimelinePayload::motion(MotionEffect::Kind::blackWhite)},
        {"vellumtide-timeline:motion:zoom in", std::nullopt},
        {"vellumtide-timeline:motion", std::nullopt},
        {"vellumtide-timeline:motion:Pop:extra", TimelinePayload::motion(MotionEffect::Kind::pop)},
        {"vellumtide-timeline:matchcut", cut({}, {}, {})},
        {"vellumtide-timeline:matchcut:Neon:3", cut({}, {}, {})},
        {"vellumtide-timeline:matchcut:Bogus:5:word", cut({}, 5, "word")},
        {"vellumtide-timeline:matchcut:Neon:+7:  a:b  ", cut(S::neon, 7, "a:b")},
        {"vellumtide-timeline:matchcut:Neon:-2:", cut(S::neon, -2, {})},
        {"vellumtide-timeline:matchcut:Neon:7x: ", cut(S::neon, {}, {})},
        {"vellumtide-timeline:matchcut:Neon:+:w", cut(S::neon, {}, "w")},
        {"vellumtide-timeline:matchcut:Neon::w", cut(S::neon, {}, "w")},
        {"vellumtide-timeline:sticker:x", std::nullopt},
        {"motion:Zoom In", std::nullopt},
    };
    for (const auto& c : cases) {
        const auto got = TimelinePayload::parse(c.text);
        ASSERT_EQ(got.has_value(), c.drop.has_value()) << c.text;
        if (got) {
            EXPECT_TRUE(same(*got, *c.drop)) << c.text;
        }
    }
}

TEST(TimelinePayload, WritesWhatItReadsBack)
{
    EXPECT_EQ(TimelinePayload::payload(TimelinePayload::motion(MotionEffect::Kind::blackWhite)),
              "vellumtide-timeline:motion:Black & White");
    EXPECT_EQ(TimelinePayload::payload(cut({}, 9, "x")), "vellumtide-timeline:matchcut");
    EXPECT_EQ(TimelinePayload::payload(cut(MatchCut::Style::neon, {}, {})), "vellumtide-timeline:matchcut:Neon:1:");
    const auto back = TimelinePayload::parse(TimelinePayload::payload(cut(MatchCut::Style::fonts, {}, {})));
    ASSERT_TRUE(back);
    EXPECT_TRUE(same(*back, cut(MatchCut::Style::fonts, 1, {})));
}

}  // namespace
}  // namespace vt
