#include "model/SourceRemap.h"

#include "ProjectSamples.h"

#include <gtest/gtest.h>

using namespace vt;
using vt::test::word;

namespace {

// Clips A (10 s) and B (5 s), laid out A then B.
struct TwoClips : ::testing::Test {
    VideoClip a = test::clip("a", 10);
    VideoClip b = test::clip("b", 5);
    std::vector<ClipSpan> before{{a, 0}, {b, 10}};

    SourceRemap removeA() const { return {before, {{b, 0}}}; }
    SourceRemap moveBFirst() const { return {before, {{b, 0}, {a, 5}}}; }

    // Something of every moved kind at time t.
    static Project timedAt(std::vector<double> times)
    {
        Project p = test::minimalProject();
        p.words.clear();
        p.translation = CaptionTranslation{};
        p.motions.emplace();
        p.sounds.emplace();
        p.videoVolume = VolumeEnvelope{-3, 0.5, 0.25, {}};
        p.faceTrack = FaceTrack{};
        p.matchCuts.emplace();
        p.brolls.emplace();
        for (double t : times) {
            p.words.push_back(word("w" + std::to_string(t), t, t + 0.5));
            p.translation->words.push_back(word("t" + std::to_string(t), t, t + 0.25));
            MotionEffect m;
            m.start = t;
            p.motions->push_back(m);
            SoundClip s;
            s.start = t;
            p.sounds->push_back(s);
            p.videoVolume->points.push_back({Uuid::random(), t, -t});
            p.faceTrack->samples.push_back({t, t / 100, 0.5});
            MatchCut c;
            c.start = t;
            p.matchCuts->push_back(c);
            BRoll r;
            r.start = t;
            p.brolls->push_back(r);
        }
        return p;
    }
};

}  // namespace

TEST_F(TwoClips, TimesFollowTheirClip)
{
    struct Case {
        double t;
        std::optional<double> removed, moved;
    } cases[] = {
        {12.0, 2.0, 2.0},
        {3.0, std::nullopt, 8.0},
        {10.0, 0.0, 0.0},          // a boundary belongs to the later clip ...
        {10.0 - 1e-10, 0.0, 0.0},  // ... within the rounding slack
        {9.99, std::nullopt, 14.99},
        {-1.0, std::nullopt, 4.0},  // before the first clip: the first clip's
        {17.0, 7.0, 7.0},           // past the last: the last clip's
    };
    for (const Case& c : cases) {
        auto removed = removeA()(c.t);
        auto moved = moveBFirst()(c.t);
        EXPECT_EQ(removed.has_value(), c.removed.has_value()) << c.t;
        EXPECT_EQ(moved.has_value(), c.moved.has_value()) << c.t;
        EXPECT_NEAR(removed.value_or(-99), c.removed.value_or(-99), 1e-9) << c.t;
        EXPECT_NEAR(moved.value_or(-99), c.moved.value_or(-99), 1e-9) << c.t;
    }

    VideoClip c = test::clip("c", 4);
    SourceRemap addAtEnd{before, {{a, 0}, {b, 10}, {c, 15}}};
    SourceRemap addAtFront{before, {{c, 0}, {a, 4}, {b, 14}}};
    EXPECT_EQ(addAtEnd(12.5), 12.5);
    EXPECT_EQ(addAtFront(12.5), 16.5);
    EXPECT_EQ(SourceRemap{}(7.25), 7.25);  // a project without clips
}

TEST_F(TwoClips, RemovingAClipDropsWhatWasInIt)
{
    Project p = timedAt({3.0, 12.0});
    Word gone = p.words[0];
    Word kept = p.words[1];
    BRoll anchoredToGone;
    anchoredToGone.startWordID = gone.id;
    anchoredToGone.endWordID = kept.id;
    BRoll anchoredToKept;
    anchoredToKept.startWordID = kept.id;
    anchoredToKept.endWordID = kept.id;
    p.brolls->push_back(anchoredToGone);
    p.brolls->push_back(anchoredToKept);
    MatchCut untimed;
    untimed.word = "untimed";
    p.matchCuts->insert(p.matchCuts->begin(), untimed);
    p.voiceover = Voiceover{};
    p.voiceover->words = {word("voice", 3.0, 3.5)};  // output seconds: never moved

    removeA().apply(p);

    ASSERT_EQ(p.words.size(), 1u);
    EXPECT_EQ(p.words[0].id, kept.id);
    EXPECT_DOUBLE_EQ(p.words[0].start, 2.0);
    EXPECT_DOUBLE_EQ(p.words[0].end, 2.5);
    ASSERT_EQ(p.translation->words.size(), 1u);
    EXPECT_DOUBLE_EQ(p.translation->words[0].end, 2.25);
    ASSERT_EQ(p.motions->size(), 1u);
    EXPECT_DOUBLE_EQ(p.motions->at(0).start, 2.0);
    ASSERT_EQ(p.sounds->size(), 1u);
    EXPECT_DOUBLE_EQ(p.sounds->at(0).start, 2.0);
    ASSERT_EQ(p.videoVolume->points.size(), 1u);
    EXPECT_DOUBLE_EQ(p.videoVolume->points[0].time, 2.0);
    EXPECT_EQ(p.videoVolume->points[0].db, -12.0);
    EXPECT_EQ(p.videoVolume->db, -3);
    EXPECT_EQ(p.videoVolume->fadeIn, 0.5);
    ASSERT_EQ(p.matchCuts->size(), 2u);
    EXPECT_EQ(p.matchCuts->at(0), untimed);
    EXPECT_DOUBLE_EQ(*p.matchCuts->at(1).start, 2.0);
    ASSERT_EQ(p.faceTrack->samples.size(), 1u);
    EXPECT_DOUBLE_EQ(p.faceTrack->samples[0].t, 2.0);
    EXPECT_EQ(p.faceTrack->samples[0].x, 0.12);
    // The timed B-roll at 12 s moved, the one at 3 s went, and of the two
    // anchored ones only the one whose words both survived stayed.
    ASSERT_EQ(p.brolls->size(), 2u);
    EXPECT_DOUBLE_EQ(*p.brolls->at(0).start, 2.0);
    EXPECT_EQ(p.brolls->at(1), anchoredToKept);
    EXPECT_EQ(p.voiceover->words[0].start, 3.0);
}

TEST_F(TwoClips, MovingAClipReordersEverythingSorted)
{
    Project p = timedAt({3.0, 12.0});
    Uuid at12 = p.words[1].id;
    moveBFirst().apply(p);

    ASSERT_EQ(p.words.size(), 2u);
    EXPECT_EQ(p.words[0].id, at12);
    EXPECT_DOUBLE_EQ(p.words[0].start, 2.0);
    EXPECT_DOUBLE_EQ(p.words[1].start, 8.0);
    EXPECT_DOUBLE_EQ(p.translation->words[0].start, 2.0);
    EXPECT_DOUBLE_EQ(p.videoVolume->points[0].time, 2.0);
    EXPECT_DOUBLE_EQ(p.faceTrack->samples[0].t, 2.0);
    // Lists without an order of their own keep theirs.
    EXPECT_DOUBLE_EQ(p.motions->at(0).start, 8.0);
    EXPECT_DOUBLE_EQ(p.sounds->at(0).start, 8.0);
}

TEST_F(TwoClips, EqualStartsKeepTheirOrderAndEmptyTracksGoAway)
{
    Project p = timedAt({1.0, 2.0});
    p.words = {word("first", 11, 11.5), word("second", 1, 1.5), word("third", 11, 11.2)};
    moveBFirst().apply(p);  // "second" lands on 6, the other two on 1 with their order kept
    EXPECT_EQ(p.words[0].text, "first");
    EXPECT_EQ(p.words[1].text, "third");
    EXPECT_EQ(p.words[2].text, "second");

    Project q = timedAt({1.0, 2.0});
    q.matchCuts.reset();
    removeA().apply(q);
    EXPECT_FALSE(q.faceTrack);   // absent, not an empty track
    EXPECT_FALSE(q.matchCuts);   // absent stays absent
    ASSERT_TRUE(q.motions);      // present stays present, even emptied
    EXPECT_TRUE(q.motions->empty());
}
