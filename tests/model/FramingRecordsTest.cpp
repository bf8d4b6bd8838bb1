#include "model/FaceTrack.h"
#include "model/MatchCut.h"
#include "model/OutputAspect.h"
#include "model/ReframeMode.h"
#include "model/Stabilization.h"
#include "RecordChecks.h"

#include <gtest/gtest.h>

#include <vector>

using namespace vt;

namespace {

MatchCut plainCard()
{
    MatchCut c;
    c.word = "Focus";
    c.style = MatchCut::Style::fonts;
    c.seed = 3;
    c.duration = 2;
    c.cutsPerSecond = 7;
    c.ticks = true;
    return c;
}

}  // namespace

TEST(OutputAspect, RatioTextsAndRenderSizes)
{
    using V = std::vector<std::string_view>;
    EXPECT_EQ(test::enumTexts<OutputAspect>(), (V{"9:16", "4:5", "1:1", "16:9"}));
    EXPECT_EQ(renderSize(OutputAspect::vertical), (Size{1080, 1920}));
    EXPECT_EQ(renderSize(OutputAspect::portrait), (Size{1080, 1350}));
    EXPECT_EQ(renderSize(OutputAspect::square), (Size{1080, 1080}));
    EXPECT_EQ(renderSize(OutputAspect::landscape), (Size{1920, 1080}));
    EXPECT_THROW(json::decode<OutputAspect>("3:4"), json::DecodeError);
}

TEST(ReframeMode, DisplayTextsAreStoredExactly)
{
    using V = std::vector<std::string_view>;
    EXPECT_EQ(test::enumTexts<ReframeMode>(), (V{"Follow face", "Center crop", "Fit + blur"}));
    EXPECT_EQ(json::encode(ReframeMode::center), "Center crop");
    EXPECT_EQ(json::decode<ReframeMode>("Fit + blur"), ReframeMode::fit);
    for (const char* bad : {"Fit+blur", "follow face", "smart"})
        EXPECT_THROW(json::decode<ReframeMode>(bad), json::DecodeError) << bad;
}

TEST(Stabilization, PathIsOptionalAndItsListsRequired)
{
    Stabilization s{true, 0.6, std::nullopt};
    json::Value v = json::encode(s);
    EXPECT_EQ(test::keysOf(v), (std::set<std::string>{"enabled", "strength"}));
    test::roundTrip(s);
    test::expectEachKeyRequired<Stabilization>(v, {"enabled", "strength"});

    s.path = CameraPath{{0, 0.5, 1}, {0, 0.01, -0.02}, {0, 0.003, 0.004}};
    test::roundTrip(s);
    json::Value path = json::encode(*s.path);
    test::expectEachKeyRequired<CameraPath>(path, {"t", "x", "y"});
    v = json::encode(s);
    v["path"]["x"][1] = "0.01";
    EXPECT_THROW(json::decode<Stabilization>(v), json::DecodeError);
}

TEST(FaceTrack, CenterInterpolatesBetweenSamples)
{
    EXPECT_EQ(FaceTrack{}.center(3), (Point{0.5, 0.5}));

    FaceTrack one{{{2, 0.3, 0.8}}};
    for (double t : {-1.0, 2.0, 50.0}) EXPECT_EQ(one.center(t), (Point{0.3, 0.8}));

    FaceTrack two{{{0, 0.2, 0.5}, {1, 0.4, 0.7}}};
    Point p = two.center(0.25);
    EXPECT_DOUBLE_EQ(p.x, 0.25);
    EXPECT_DOUBLE_EQ(p.y, 0.55);
    EXPECT_EQ(two.center(-3), (Point{0.2, 0.5}));
    EXPECT_EQ(two.center(1), (Point{0.4, 0.7}));

    // Many samples: the bisection finds the stretch around the time, and an
    // exact sample time gives that sample.
    FaceTrack many;
    for (int i = 0; i <= 20; ++i) many.samples.push_back({i * 0.5, i * 0.01, 1 - i * 0.01});
    EXPECT_EQ(many.center(3.0), (Point{many.samples[6].x, many.samples[6].y}));
    Point q = many.center(7.25);
    EXPECT_NEAR(q.x, 0.145, 1e-12);
    EXPECT_NEAR(q.y, 0.855, 1e-12);

    // Samples sharing a time divide by the 0.0001 floor rather than by zero.
    FaceTrack same{{{0, 0.1, 0.1}, {1, 0.2, 0.2}, {1, 0.9, 0.9}, {2, 0.5, 0.5}}};
    Point r = same.center(1.5);
    EXPECT_TRUE(std::isfinite(r.x) && std::isfinite(r.y));
}

TEST(FaceTrack, EveryKeyIsRequired)
{
    FaceTrack track{{{0, 0.5, 0.6}, {0.5, 0.52, 0.61}}};
    test::roundTrip(track);
    json::Value v = json::encode(track);
    test::expectEachKeyRequired<FaceTrack>(v, {"samples"});
    test::expectEachKeyRequired<FaceTrack::Sample>(v["samples"][0], {"t", "x", "y"});
    v["samples"][1]["y"] = "high";
    EXPECT_THROW(json::decode<FaceTrack>(v), json::DecodeError);
}

TEST(MatchCut, StylesAreStoredByTheirLabels)
{
    using V = std::vector<std::string_view>;
    EXPECT_EQ(test::enumTexts<MatchCut::Style>(),
              (V{"Editorial", "Typefaces", "Newspaper", "Neon", "Signs", "Notes", "Retro"}));
    EXPECT_EQ(json::decode<MatchCut::Style>("Typefaces"), MatchCut::Style::fonts);
    for (const char* bad : {"Fonts", "typefaces", "fonts"})
        EXPECT_THROW(json::decode<MatchCut::Style>(bad), json::DecodeError) << bad;
}

TEST(MatchCut, PlainCardWritesSixKeysAndFullCardRoundTrips)
{
    json::Value v = json::encode(plainCard());
    EXPECT_EQ(test::keysOf(v),
              (std::set<std::string>{"word", "style", "seed", "duration", "cutsPerSecond", "ticks"}));
    MatchCut back = test::roundTrip(plainCard());
    EXPECT_FALSE(back.keywords || back.lines || back.id || back.start);
    test::expectEachKeyRequired<MatchCut>(v, {"word", "style", "seed", "duration", "cutsPerSecond", "ticks"});

    MatchCut full = plainCard();
    full.keywords = std::vector<std::string>{"money", "time"};
    full.lines = std::vector<std::string>{};
    full.id = Uuid::random();
    full.start = 12.5;
    test::roundTrip(full);

    json::Value nulls = json::encode(plainCard());
    nulls["keywords"] = nullptr;
    nulls["id"] = nullptr;
    EXPECT_EQ(json::decode<MatchCut>(nulls), plainCard());
    nulls["seed"] = 1.5;
    EXPECT_THROW(json::decode<MatchCut>(nulls), json::DecodeError);
}

TEST(MatchCut, EqualityHashAndFrameCount)
{
    MatchCut a = plainCard(), b = plainCard();
    b.id = Uuid::random();
    EXPECT_NE(a, b);
    b = a;
    b.duration = -0.0;
    a.duration = 0.0;
    EXPECT_EQ(a, b);
    EXPECT_EQ(std::hash<MatchCut>{}(a), std::hash<MatchCut>{}(b));
    b.keywords = std::vector<std::string>{};
    EXPECT_NE(a, b);  // an empty list is not an absent one

    struct Case { double duration, perSecond; std::int64_t frames; };
    for (Case c : {Case{2, 7, 14}, Case{1.5, 5, 8}, Case{0.3, 7, 4}, Case{0, 7, 4}, Case{-2, 7, 4}}) {
        MatchCut m = plainCard();
        m.duration = c.duration;
        m.cutsPerSecond = c.perSecond;
        EXPECT_EQ(m.frameCount(), c.frames) << c.duration << " × " << c.perSecond;
    }
}
