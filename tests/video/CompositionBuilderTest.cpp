#include "speech/CaptionError.h"
#include "support/TestVideos.h"
#include "video/CompositionBuilder.h"

#include <gtest/gtest.h>

using namespace vt;
using vt::test::CountingVideo;
using vt::test::makeCountingVideo;
using vt::test::run;
using vt::test::shellQuote;
using vt::test::keptPlan;
using vt::test::TempDir;

namespace {

// Clips made once for the whole suite: 12 s with sound, 4 s without, and a
// 4 s sound file.
class CompositionBuilderTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        dir = new TempDir;
        voiced = makeCountingVideo(*dir, "voiced.mov", {.rate = 2, .frames = 24, .sound = true});
        mute = makeCountingVideo(*dir, "mute.mp4", {.rate = 5, .frames = 20});
        sound = *dir / "sound.wav";
        ASSERT_EQ(run("ffmpeg -v error -y -f lavfi -i sine=d=4 " + shellQuote(sound.string())), 0);
    }
    static void TearDownTestSuite() { delete dir; }

    static ClipMedia media(const std::filesystem::path& file, double start, double duration, double gain = 1)
    {
        return {Uuid::random(), file, start, duration, SourceVideoInfo{}, std::nullopt, gain};
    }


    static const CompositionTrack& only(const Composition& c, TrackKind kind)
    {
        const CompositionTrack* found = nullptr;
        for (const auto& t : c.tracks())
            if (t.kind == kind) {
                EXPECT_EQ(found, nullptr) << "one track of the kind";
                found = &t;
            }
        return *found;
    }

    static inline TempDir* dir = nullptr;
    static inline std::filesystem::path voiced, mute, sound;
};

}  // namespace

TEST_F(CompositionBuilderTest, KeptStretchesOfOneClipPlayBackToBack)
{
    BuildRequest request;
    request.clips = {media(voiced, 0, 12)};
    request.plan = keptPlan({{1, 3}, {5, 6}, {8, 8.0004}, {9, 10.5}});
    const BuildResult built = CompositionBuilder::build(request);

    EXPECT_NEAR(built.outputLength, 4.5, 1e-9) << "a stretch of 0.0004 s is not laid";
    const CompositionTrack& video = only(*built.composition, TrackKind::video);
    ASSERT_EQ(video.segments.size(), 3u);
    const double starts[][2] = {{1, 0}, {5, 2}, {9, 3}};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(video.segments[i].sourceStart.seconds(), starts[i][0]);
        EXPECT_EQ(video.segments[i].outputStart.seconds(), starts[i][1]);
        EXPECT_EQ(video.segments[i].outputStart.timescale, 600);
    }
    EXPECT_EQ(only(*built.composition, TrackKind::audio).segments.size(), 3u);
    ASSERT_EQ(built.clipTracks.size(), 1u);
    EXPECT_EQ(built.clipTracks[0].trackID, video.trackID);
    EXPECT_EQ(built.clipTracks[0].end, 12);

    // Declicks: 15 ms down before each cut, 15 ms up after it, full between.
    ASSERT_TRUE(built.audioMix);
    const AudioMixInput& input = built.audioMix->inputs.at(0);
    for (auto [time, volume] : {std::pair{1.0, 1.0}, {1.9925, 0.5}, {2.0, 0.0}, {2.0075, 0.5}, {2.5, 1.0}, {3.0, 0.0}, {4.4999, 1.0}})
        EXPECT_NEAR(input.volume(time), volume, 0.01) << time;

    request.plan = keptPlan({{0, 12}});
    EXPECT_FALSE(CompositionBuilder::build(request).audioMix) << "one uncut piece at full level needs no mix";
}

TEST_F(CompositionBuilderTest, StretchesCrossIntoTheNextClipAndSkipMissingSource)
{
    BuildRequest request;
    // The joined source: voiced 0–12, a missing clip 12–16, mute 16–20.
    request.clips = {media(mute, 16, 4, 1), media(voiced, 0, 12, 0)};
    request.plan = keptPlan({{10, 18}});
    const BuildResult built = CompositionBuilder::build(request);

    EXPECT_NEAR(built.outputLength, 4, 1e-9) << "source no listed clip covers is skipped";
    ASSERT_EQ(built.clipTracks.size(), 2u);
    EXPECT_EQ(built.clipTracks[0].start, 0);
    EXPECT_EQ(built.clipTracks[1].start, 16);
    const CompositionTrack& shared = only(*built.composition, TrackKind::audio);
    ASSERT_EQ(shared.segments.size(), 1u) << "a clip without sound leaves the shared track empty there";
    ASSERT_TRUE(built.audioMix);
    EXPECT_NEAR(built.audioMix->inputs[0].volume(1), 0, 1e-6) << "a clip turned down to silence";
    EXPECT_NEAR(built.audioMix->inputs[0].volume(3), 1, 1e-6);

    request.clips.clear();
    EXPECT_THROW(CompositionBuilder::build(request), CaptionError);
    request.clips = {media(sound, 0, 4)};
    request.plan = keptPlan({{0, 1}});
    EXPECT_THROW(CompositionBuilder::build(request), CaptionError) << "a clip without picture";
}

TEST_F(CompositionBuilderTest, VoiceoverSoundsAndMusicGetTheirOwnTracksAndLevels)
{
    BuildRequest request;
    request.clips = {media(voiced, 0, 12)};
    request.plan = keptPlan({{0, 12}});
    Voiceover voice;
    voice.path = sound.string();
    voice.start = 2;
    voice.volume = -6;
    voice.originalLevel = 0.3;
    request.voiceover = voice;
    PlacedSound placed;
    placed.sound.path = sound.string();
    placed.sound.offset = 2;
    placed.sound.duration = 3;
    placed.sound.volume.fadeOut = 1;
    placed.start = 9;
    request.sounds = {placed, placed};
    request.sounds[1].start = 12;  // at the end of the output: left out
    BackgroundMusic music;
    music.path = sound.string();
    music.startOffset = 1;
    music.fadeIn = music.fadeOut = 0;
    request.music = music;
    request.speech = {{2, 5}};

    const BuildResult built = CompositionBuilder::build(request);
    ASSERT_TRUE(built.audioMix);
    const auto& inputs = built.audioMix->inputs;
    ASSERT_EQ(inputs.size(), 4u);
    EXPECT_NEAR(inputs[0].volume(6), 0.3, 1e-6) << "the clips' sound under the voice";
    EXPECT_NEAR(inputs[1].volume(6), 0.501187, 1e-6);
    const CompositionSegment& voiceSegment = built.composition->track(inputs[1].trackID)->segments.at(0);
    EXPECT_EQ(voiceSegment.outputStart.seconds(), 2);

    const CompositionSegment& soundSegment = built.composition->track(inputs[2].trackID)->segments.at(0);
    EXPECT_NEAR(soundSegment.sourceStart.seconds(), 2, 1e-9);
    EXPECT_NEAR(soundSegment.duration.seconds(), 2, 1e-3) << "only 2 s of the file remain after its offset";
    EXPECT_EQ(soundSegment.outputStart.timescale, 48000);
    EXPECT_NEAR(inputs[2].volume(10.5), 1, 1e-6) << "the fade-out starts past what plays";

    const CompositionTrack& musicTrack = *built.composition->track(inputs[3].trackID);
    ASSERT_EQ(musicTrack.segments.size(), 4u) << "3 s from the offset, then the whole file looped";
    EXPECT_NEAR(musicTrack.segments[0].duration.seconds(), 3, 1e-3);
    EXPECT_NEAR(musicTrack.segments[1].outputStart.seconds(), 3, 1e-3);
    EXPECT_EQ(musicTrack.segments[1].sourceStart.value, 0);
    EXPECT_NEAR(musicTrack.segments[3].outputEnd(), 12, 1e-3);
    EXPECT_NEAR(inputs[3].volume(3), std::pow(10.0, -12.0 / 20) * std::pow(10.0, -14.0 / 20), 1e-4) << "ducked under speech";

    voice.path = (*dir / "deleted.m4a").string();
    request.voiceover = voice;
    request.music->path = voice.path;
    request.sounds.clear();
    EXPECT_FALSE(CompositionBuilder::build(request).audioMix) << "a missing voiceover counts as none";
}

TEST_F(CompositionBuilderTest, VideoBRollFillsItsWindowAndLoops)
{
    auto shortClip = makeCountingVideo(*dir, "broll.mp4", {.rate = 10, .frames = 15});  // 1.5 s
    BuildRequest request;
    request.clips = {media(voiced, 0, 12)};
    request.plan = keptPlan({{0, 10}});
    BRollPlacement video;
    video.item.path = shortClip.string();
    video.item.sourceOffset = 1;
    video.start = 2;
    video.end = 4;
    BRollPlacement backwards = video;
    backwards.end = 2;
    BRollPlacement still = video;
    still.item.isImage = true;
    still.end = 30;
    BRollPlacement unreadable = video;
    unreadable.item.path = sound.string();
    request.broll = {video, backwards, still, unreadable};

    const BuildResult built = CompositionBuilder::build(request);
    ASSERT_EQ(built.broll.size(), 2u);
    ASSERT_TRUE(built.broll[0].trackID);
    ASSERT_TRUE(built.broll[0].source);
    EXPECT_FALSE(built.broll[1].trackID);
    EXPECT_EQ(built.broll[1].end, 10) << "cut at the output's end";
    const auto& segments = built.composition->track(*built.broll[0].trackID)->segments;
    ASSERT_EQ(segments.size(), 3u);
    const double want[][3] = {{1.0, 0.5, 1.95}, {0, 1.5, 2.45}, {0, 0.3, 3.95}};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_NEAR(segments[i].sourceStart.seconds(), want[i][0], 1e-3) << i;
        EXPECT_NEAR(segments[i].duration.seconds(), want[i][1], 1e-3) << i;
        EXPECT_NEAR(segments[i].outputStart.seconds(), want[i][2], 1e-3) << i;
    }
}
