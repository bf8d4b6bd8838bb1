// B-roll and overlays on the output, the video's volume line, the voiceover
// as mixed, and the sound-effects track.

#include "EditorFakes.h"

namespace vt {
namespace {

using namespace vt::test;

class EditorPlacement : public EditorTest {};

BRoll anchored(const Word& from, const Word& to)
{
    BRoll b;
    b.startWordID = from.id;
    b.endWordID = to.id;
    return b;
}

BRoll timed(double start, std::optional<double> length = std::nullopt)
{
    BRoll b;
    b.start = start;
    b.length = length;
    return b;
}

// Words of 0.4 s every 0.5 s from 0.5 s (sampleProject), so with nothing cut
// word i is at output 0.5 + 0.5 i (the plan keeps the leading silence).
TEST_F(EditorPlacement, BRollCoversItsKeptWordsWithMarginsAndAtLeastHalfASecond)
{
    Project p = sampleProject(14);
    p.sourceDuration = 7.5;
    p.words[9].deleted = p.words[10].deleted = true;
    p.words[4].end = p.words[4].start + 0.2;
    const auto& w = p.words;
    const BRoll reversed = anchored(w[12], w[9]), single = anchored(w[4], w[4]), last = anchored(w[13], w[13]),
                allCut = anchored(w[9], w[10]), missing = anchored(w[1], Word{});
    p.brolls = std::vector<BRoll>{reversed, single, last, allCut, missing};
    EditorRig rig(p);
    const auto& plan = rig->plan();
    const double length = plan.outputLength();
    std::map<Uuid, BRollPlacement> byID;
    for (const auto& placement : rig->brollPlacements()) byID[placement.item.id] = placement;
    ASSERT_EQ(byID.size(), 3u);

    EXPECT_DOUBLE_EQ(byID[reversed.id].start, plan.outputTime(w[11].start) - 0.1);
    EXPECT_DOUBLE_EQ(byID[reversed.id].end, plan.outputTime(w[12].end) + 0.15);
    EXPECT_DOUBLE_EQ(byID[single.id].end - byID[single.id].start, 0.5);
    EXPECT_DOUBLE_EQ(byID[last.id].end, std::max(length, byID[last.id].start + 0.5));
    EXPECT_EQ(rig->brollWordIDs(), (std::set<Uuid>{w[9].id, w[10].id, w[11].id, w[12].id, w[4].id, w[13].id}));
}

TEST_F(EditorPlacement, TimedOverlaysShowThreeSecondsOrTheirLengthAndNeverPastTheEnd)
{
    Project p = sampleProject(10);  // output 0 … 6.5
    p.words[2].deleted = true;      // cuts about 1.4 … 1.5 source
    const BRoll inCut = timed(1.45), shortOne = timed(3, 0.1), atEnd = timed(p.sourceDuration - 0.04),
                sameStart = timed(3, 1.0);
    p.brolls = std::vector<BRoll>{inCut, shortOne, atEnd, sameStart};
    EditorRig rig(p);
    const auto& placements = rig->brollPlacements();
    ASSERT_EQ(placements.size(), 3u);
    EXPECT_EQ(placements[0].item.id, inCut.id);
    EXPECT_DOUBLE_EQ(placements[0].start, rig->plan().outputTime(1.45));
    EXPECT_DOUBLE_EQ(placements[0].end - placements[0].start, 3.0);
    EXPECT_EQ(placements[1].item.id, shortOne.id) << "equal starts keep the project's order";
    EXPECT_DOUBLE_EQ(placements[1].end - placements[1].start, 0.3);
    EXPECT_EQ(placements[2].item.id, sameStart.id);
}

TEST_F(EditorPlacement, BRollOnVoiceoverWordsUsesTheirOutputTimesAsTheyAre)
{
    Project p = sampleProject(4);
    p.sourceDuration = 10;
    p.words[0].deleted = true;
    Voiceover voice;
    voice.captionsFromVoice = false;
    voice.words = {word("over", 2.0, 2.5)};
    p.voiceover = voice;
    p.brolls = std::vector<BRoll>{anchored(voice.words[0], voice.words[0])};
    EditorRig rig(p);
    ASSERT_EQ(rig->brollPlacements().size(), 1u);
    EXPECT_DOUBLE_EQ(rig->brollPlacements()[0].start, 1.9);
    EXPECT_DOUBLE_EQ(rig->brollPlacements()[0].end, 2.65);
}

TEST_F(EditorPlacement, VideoVolumePointsMoveToTheOutputInTimeOrder)
{
    Project p = sampleProject(10);
    p.words[2].deleted = true;
    EditorRig flat(p);
    EXPECT_EQ(flat->placedVideoVolume(), VolumeEnvelope{});

    VolumeEnvelope envelope{-3, 0.5, 1, {}};
    envelope.points = {{Uuid::random(), 4.0, -6}, {Uuid::random(), 1.7, 2}};
    p.videoVolume = envelope;
    EditorRig rig(p);
    const auto placed = rig->placedVideoVolume();
    ASSERT_EQ(placed.points.size(), 2u);
    EXPECT_EQ(placed.points[0].id, envelope.points[1].id);
    ASSERT_EQ(rig->plan().segments.size(), 2u);
    EXPECT_DOUBLE_EQ(placed.points[0].time, rig->plan().segments[1].outputStart)
        << "a point in a cut moves to the next kept moment";
    EXPECT_DOUBLE_EQ(placed.points[1].time, rig->plan().outputTime(4.0));
    EXPECT_EQ(placed.db, -3);
    EXPECT_EQ(placed.fadeOut, 1);
}

TEST_F(EditorPlacement, AMutedVoiceLaneMixesTheVoiceoverSilently)
{
    Project p = sampleProject(2);
    EXPECT_FALSE(EditorRig(p)->mixVoiceover());
    p.voiceover = Voiceover{};
    p.voiceover->volume = -2;
    EXPECT_EQ(EditorRig(p)->mixVoiceover()->volume, -2);
    p.tracks = TrackSettings{.voiceMuted = true};
    EXPECT_EQ(EditorRig(p)->mixVoiceover()->volume, -120);
}

TEST_F(EditorPlacement, AMatchCutAtTheVeryStartSilencesTheHooksHit)
{
    struct Case {
        const char* name;
        double cutAt;
        bool muted;
        bool hook;
    };
    const std::vector<Case> cases{{"cut at 0.05 s", 0.05, false, false},
                                  {"cut at 0.1 s", 0.1, false, true},
                                  {"muted cut at 0.05 s", 0.05, true, true}};
    for (const Case& c : cases) {
        Project p = sampleProject(6);
        p.hookOverlay = HookOverlay{"Hook", 2};
        p.soundEffects = SoundEffects{};
        MatchCut cut;
        cut.start = c.cutAt;  // the plan keeps the leading silence, so output time = source time
        cut.duration = 1;
        p.matchCuts = std::vector<MatchCut>{cut};
        if (c.muted) p.tracks = TrackSettings{.matchCutsMuted = true};
        EditorRig rig(p);
        ASSERT_FALSE(rig.audio->hookSeen.empty());
        EXPECT_EQ(rig.audio->hookSeen.back(), c.hook) << c.name;
    }
}

TEST_F(EditorPlacement, EffectsTrackIsRenderedOnceAfterABurstAndDroppedWhenTheEventsGoAway)
{
    Project p = sampleProject(6);
    MotionEffect move;
    move.kind = MotionEffect::Kind::pop;
    move.start = 1;
    move.sound = true;
    p.motions = std::vector<MotionEffect>{move};
    EditorRig rig(p);
    ASSERT_EQ(rig->effectsEvents().size(), 1u) << "timeline sounds need no sound-effect settings";
    EXPECT_EQ(rig->effectsEvents()[0].kind, SoundEvent::Kind::pop);
    EXPECT_FALSE(rig->snapshot().effectsAudio) << "not rendered yet";

    rig->setSoundEffects(SoundEffects{});
    rig->updateProject([](Project& q) { q.words[1].emphasized = true; });
    rig->visualChanged();
    rig->updateProject([](Project& q) { q.words[3].emphasized = true; });
    rig->visualChanged();
    rig.clock->advance(0.24);
    EXPECT_EQ(rig.audio->renders, 0);
    const int rebuilds = rig.player->rebuilds;
    rig.clock->advance(0.02);
    ASSERT_TRUE(waitFor([&] { return rig->effectsAudioURL().has_value(); }));
    EXPECT_EQ(rig.audio->renders, 1);
    EXPECT_EQ(*rig->effectsAudioURL(), "/cache/sfx-3.caf");
    EXPECT_GT(rig.player->rebuilds, rebuilds) << "the new track reaches the mix";
    EXPECT_EQ(rig->snapshot().effectsAudio, rig->effectsAudioURL());

    // An edit that leaves the events as they are renders nothing.
    rig->updateProject([](Project& q) { q.words[4].text = "changed"; });
    rig->visualChanged();
    const int rebuildsAfterRender = rig.player->rebuilds;
    rig.clock->advance(0.5);
    QCoreApplication::processEvents();
    EXPECT_EQ(rig.audio->renders, 1);
    EXPECT_EQ(rig.player->rebuilds, rebuildsAfterRender);

    rig->setSoundEffects(std::nullopt);
    EXPECT_FALSE(rig->effectsAudioURL());
    rig->updateProject([](Project& q) { q.motions->clear(); });
    rig->timelineItemsChanged();
    EXPECT_TRUE(rig->effectsEvents().empty());
    rig.clock->advance(0.3);
    EXPECT_FALSE(rig->effectsAudioURL());
    EXPECT_FALSE(rig->snapshot().effectsAudio);
}

TEST_F(EditorPlacement, ARenderThatFinishesAfterTeardownIsDropped)
{
    Project p = sampleProject(6);
    MotionEffect move;
    move.start = 1;
    move.sound = true;
    p.motions = std::vector<MotionEffect>{move};
    EditorRig rig(p);
    rig.clock->advance(0.3);  // the render starts on a worker thread
    rig->teardown();
    QCoreApplication::processEvents();
    ASSERT_TRUE(waitFor([&] { return rig.audio->renders > 0; }));
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_FALSE(rig->effectsAudioURL());
}

}  // namespace
}  // namespace vt
