// Placing source-anchored timeline items on the output, lane rows, opening
// older projects, and the sounds and camera moves the timeline proposes.

#include "model/Timeline.h"

#include <gtest/gtest.h>

namespace vt {
namespace {

// Keeps 0…2 and 4…6 of the source: output 0…2 and 2…4.
EditPlan twoStretches() { return {{{0, 2, 0}, {4, 6, 2}}}; }

MatchCut matchCut(std::optional<double> start, double duration = 1, double perSecond = 4, bool ticks = true)
{
    MatchCut c;
    c.word = "cut";
    c.start = start;
    c.duration = duration;
    c.cutsPerSecond = perSecond;
    c.ticks = ticks;
    return c;
}

MotionEffect motion(double start, MotionEffect::Kind kind = MotionEffect::Kind::zoomIn, bool sound = false)
{
    MotionEffect m;
    m.start = start;
    m.kind = kind;
    m.duration = 1;
    m.sound = sound;
    return m;
}

SoundClip sound(double start, double duration)
{
    SoundClip s;
    s.start = start;
    s.duration = duration;
    return s;
}

TEST(TimelinePlace, MapsSourceStartsThroughTheCutAndHoldsItemsBeforeTheEnd)
{
    struct Case {
        const char* name;
        EditPlan plan;
        double source;
        double cut, move, sound;  // placed starts
    };
    const std::vector<Case> cases{
        {"kept time", twoStretches(), 1.5, 1.5, 1.5, 1.5},
        {"inside a cut moves to the next kept stretch", twoStretches(), 3, 2, 2, 2},
        {"past the end", twoStretches(), 9, 3.8, 3.9, 3.9},
        {"no segments", EditPlan{}, 5, 0, 0, 0},
    };
    for (const Case& c : cases) {
        auto placed = Timeline::place({matchCut(c.source)}, {motion(c.source)}, c.plan);
        EXPECT_DOUBLE_EQ(placed.cuts[0].start, c.cut) << c.name;
        EXPECT_DOUBLE_EQ(placed.motions[0].start, c.move) << c.name;
        EXPECT_DOUBLE_EQ(Timeline::place({sound(c.source, 1)}, c.plan)[0].start, c.sound) << c.name;
    }
    EXPECT_EQ(Timeline::place({matchCut(std::nullopt)}, {}, twoStretches()).cuts[0].start, 0)
        << "a match cut without a start opens the video";
}

TEST(TimelinePlace, SortsStablyAndPacksOverlappingSoundsIntoRows)
{
    auto placed = Timeline::place({matchCut(5), matchCut(1), matchCut(1, 2)}, {motion(4.5), motion(0.5)}, twoStretches());
    EXPECT_DOUBLE_EQ(placed.cuts[0].start, 1);
    EXPECT_DOUBLE_EQ(placed.cuts[1].cut.duration, 2) << "equal starts keep project order";
    EXPECT_DOUBLE_EQ(placed.motions[0].start, 0.5);

    const EditPlan plan{{{0, 20, 0}}};
    auto sounds = Timeline::place({sound(5, 1), sound(1, 2), sound(2, 2), sound(3 - 1e-6, 1), sound(1, 1)}, plan);
    std::vector<std::pair<double, int>> got;
    for (const auto& s : sounds) got.emplace_back(s.start, s.row);
    const std::vector<std::pair<double, int>> expected{{1, 0}, {1, 1}, {2, 1}, {3 - 1e-6, 0}, {5, 0}};
    ASSERT_EQ(got.size(), expected.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
        EXPECT_DOUBLE_EQ(got[i].first, expected[i].first) << i;
        EXPECT_EQ(got[i].second, expected[i].second) << i;
    }
    EXPECT_DOUBLE_EQ(sounds[0].sound.duration, 2) << "the earlier of equal starts gets row 0";
}

TEST(TimelineRows, FirstFitInStartOrderReportedInInputOrder)
{
    EXPECT_EQ(Timeline::rows({{0, 2}, {1, 3}, {2, 4}}), (std::vector<int>{0, 1, 0}));
    EXPECT_EQ(Timeline::rows({{2, 4}, {0, 2}, {1, 3}}), (std::vector<int>{0, 0, 1}));
    EXPECT_TRUE(Timeline::rows({}).empty());
}

TEST(TimelineLaneNames, OnlyTheFirstRowOfANumberedLaneHasATitle)
{
    EXPECT_EQ(TimelineLane::of(TimelineLane::Kind::overlay, 0).title(), "Overlay");
    EXPECT_EQ(TimelineLane::of(TimelineLane::Kind::overlay, 1).title(), "");
    EXPECT_EQ(TimelineLane::of(TimelineLane::Kind::music).icon(), "music.note");
    EXPECT_EQ(TimelineLane::of(TimelineLane::Kind::video, 3), TimelineLane::of(TimelineLane::Kind::video));
}

TEST(TimelineMigrate, MovesTheLegacyMatchCutFirstAndGivesEveryCutAnID)
{
    Project p;
    MatchCut legacy = matchCut(1);
    legacy.word = "legacy";
    MatchCut named = matchCut(2);
    named.id = Uuid::random();
    p.matchCut = legacy;
    p.matchCuts = std::vector<MatchCut>{matchCut(3), named};
    Timeline::migrate(p);
    ASSERT_EQ(p.matchCuts->size(), 3u);
    EXPECT_FALSE(p.matchCut);
    EXPECT_EQ((*p.matchCuts)[0].word, "legacy");
    for (const auto& cut : *p.matchCuts) EXPECT_TRUE(cut.id);
    EXPECT_EQ((*p.matchCuts)[2].id, named.id);

    const auto migrated = *p.matchCuts;
    Timeline::migrate(p);
    EXPECT_EQ(*p.matchCuts, migrated) << "a second run changes nothing";
}

TEST(TimelineSoundEvents, TicksPerMatchCutFrameAHitAtItsEndAndOneSoundPerCameraMove)
{
    using K = SoundEvent::Kind;
    auto ticks = [](double duration, double perSecond) {
        auto events = Timeline::soundEvents({{matchCut(0, duration, perSecond), 10}}, {});
        return std::count_if(events.begin(), events.end(), [](const SoundEvent& e) { return e.kind == K::tick; });
    };
    EXPECT_EQ(ticks(0.5, 2), 4) << "at least four";
    EXPECT_EQ(ticks(2, 3), 6);
    EXPECT_EQ(ticks(1.5, 3), 5) << "4.5 rounds up";

    auto events = Timeline::soundEvents({{matchCut(0, 0.5, 2), 1}}, {});
    ASSERT_EQ(events.size(), 5u);
    EXPECT_DOUBLE_EQ(events[1].time, 1.125);
    EXPECT_EQ(events[4], (SoundEvent{1.5, K::hit}));
    EXPECT_TRUE(Timeline::soundEvents({{matchCut(0, 1, 4, false), 0}}, {}).empty());

    using M = MotionEffect::Kind;
    const std::vector<std::pair<M, std::optional<K>>> kinds{
        {M::zoomIn, K::whoosh}, {M::zoomOut, K::whoosh}, {M::blurIn, K::whoosh}, {M::punchIn, K::hit},
        {M::shake, K::hit},     {M::pop, K::pop},        {M::flash, K::pop},     {M::glitch, K::tick},
        {M::fadeIn, {}},        {M::fadeOut, {}},        {M::blackWhite, {}}};
    for (const auto& [kind, expected] : kinds) {
        auto out = Timeline::soundEvents({}, {{motion(0, kind, true), 2}});
        EXPECT_EQ(out.empty(), !expected) << static_cast<int>(kind);
        if (expected && !out.empty()) {
            EXPECT_EQ(out[0], (SoundEvent{2, *expected}));
        }
    }
    EXPECT_TRUE(Timeline::soundEvents({}, {{motion(0, M::punchIn, false), 2}}).empty());

    auto tie = Timeline::soundEvents({{matchCut(0, 1, 4), 2}}, {{motion(0, M::pop, true), 2}});
    EXPECT_EQ(tie[0].kind, K::tick) << "a match-cut sound comes before a camera move's at the same time";
    EXPECT_EQ(tie[1].kind, K::pop);
}

CaptionGroup group(double start, double end, std::vector<double> emphasised = {}, bool endsSentence = false)
{
    CaptionGroup g;
    g.start = start;
    g.end = end;
    TimedWord first;
    first.start = start;
    first.end = end;
    first.endsSentence = endsSentence;
    g.words.push_back(first);
    for (double t : emphasised) {
        TimedWord w;
        w.start = t;
        w.end = t + 0.2;
        w.emphasized = true;
        w.endsSentence = endsSentence;
        g.words.push_back(w);
    }
    return g;
}

TEST(TimelineAutoMotion, AlternatesSpacedMovesClearOfOthersSizedToTheirLines)
{
    const EditPlan longPlan{{{0, 20, 0}}};
    auto moves = Timeline::autoMotion({group(0.5, 2, {1}), group(2.5, 4, {3}), group(5, 6.5, {6}), group(10, 14, {11})},
                                      longPlan, {}, {}, 4);
    ASSERT_EQ(moves.size(), 3u);
    EXPECT_EQ(moves[0], (Timeline::ProposedMotion{MotionEffect::Kind::punchIn, 1, 1.2}));
    EXPECT_EQ(moves[1].kind, MotionEffect::Kind::zoomIn);
    EXPECT_DOUBLE_EQ(moves[1].start, 6);
    EXPECT_DOUBLE_EQ(moves[1].duration, 0.8) << "line ends 0.5 s later: at least 0.8 s";
    EXPECT_DOUBLE_EQ(moves[2].duration, 1.6) << "a punch-in lasts at most 1.6 s";

    // Existing moves block ±0.5 s, both ends included; avoided ranges too.
    PlacedMotion existing{motion(0), 3};
    auto blocked = Timeline::autoMotion({group(0.5, 2, {2.5, 4.5, 8})}, longPlan, {existing},
                                        {ClosedRange<double>{7.5, 8}}, 1);
    EXPECT_TRUE(blocked.empty());

    // Too few emphasised words: sentence starts; a start before 0.6 s is never used.
    EXPECT_TRUE(Timeline::autoMotion({group(0.4, 2)}, longPlan, {}, {}, 4).empty());
    auto starts = Timeline::autoMotion({group(1, 2, {}, true), group(3, 4), group(8, 9)}, longPlan, {}, {}, 1);
    ASSERT_EQ(starts.size(), 2u);
    EXPECT_DOUBLE_EQ(starts[1].start, 3);
    EXPECT_DOUBLE_EQ(starts[1].duration, 1.2) << "zoom-in over a line ending 1 s later";
    EXPECT_TRUE(Timeline::autoMotion({group(1, 2, {1.5, 3})}, EditPlan{}, {}, {}, 1).empty());
    auto tail = Timeline::autoMotion({group(1, 2, {1, 7})}, EditPlan{{{0, 9, 0}}}, {}, {}, 1);
    ASSERT_EQ(tail.size(), 2u);
    EXPECT_DOUBLE_EQ(tail[1].duration, 1.4) << "after the last line: 1.2 s + 0.2 s";
    EXPECT_EQ(Timeline::autoMotion({group(1, 2, {1, 8.5})}, EditPlan{{{0, 9, 0}}}, {}, {}, 1).size(), 1u)
        << "never within the last second";
}

}  // namespace
}  // namespace vt
