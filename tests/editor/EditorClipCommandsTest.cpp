// Adding, removing, moving and trimming clips: the clip list, the source
// times that travel with it, undo steps and the new clip's transcription.

#include "EditorFakes.h"

#include "editor/ClipMediaService.h"
#include "editor/ClipTranscription.h"

#include <cmath>
#include <limits>

namespace vt {
namespace {

using namespace vt::test;
using K = TimelineItem::Kind;

class EditorClipCommands : public EditorTest {};

SourceVideoInfo lasting(double seconds)
{
    SourceVideoInfo info;
    info.duration = seconds;
    return info;
}

// Two clips of 4 s and 6 s, a word and a sound in each.
Project twoClips()
{
    Project p = sampleProject(0);
    VideoClip a = clip("/media/a.mov", 4), b = clip("/media/b.mov", 6);
    p.clips = std::vector<VideoClip>{a, b};
    p.syncClips();
    p.words = {word("first", 1, 1.5), word("second", 5, 5.5)};
    SoundClip s1, s2;
    s1.start = 2;
    s2.start = 7;
    s1.duration = s2.duration = s1.fileDuration = s2.fileDuration = 1;
    p.sounds = std::vector<SoundClip>{s1, s2};
    p.stabilization = Stabilization{true, 0.6, CameraPath{}};
    p.hooks = {"my own hook"};
    return p;
}

TEST_F(EditorClipCommands, AddingAClipProbesItAndCarriesEverySourceTime)
{
    EditorRig rig(twoClips());
    rig.media->videos["/media/c.mov"] = lasting(3);
    rig.media->videos["/media/short.mov"] = lasting(0.2);
    const auto depth = rig->undoDepth();
    for (const char* refused : {"/media/short.mov", "/media/sound-only.m4a"}) {
        rig->setExportError(std::nullopt);
        rig->addClip(refused, 0);
        ASSERT_TRUE(waitFor([&] { return rig->exportError().has_value(); }));
        EXPECT_EQ(*rig->exportError(), "That file has no video to add.");
        EXPECT_EQ(rig->undoDepth(), depth);
    }
    rig->addClip("/media/c.mov", 0);
    ASSERT_TRUE(waitFor([&] { return rig->project().clips->size() == 3; }));
    const Project& p = rig->project();
    EXPECT_EQ(rig->undoDepth(), depth + 1);
    EXPECT_EQ(p.clips->front().name, "c");
    EXPECT_EQ(p.sourceDuration, 13);
    EXPECT_EQ(p.videoPath, "/media/c.mov");
    EXPECT_EQ(p.words[0].start, 4);
    EXPECT_EQ(p.words[1].start, 8);
    EXPECT_EQ(p.sounds->at(1).start, 10);
    EXPECT_TRUE(p.stabilization->enabled);
    EXPECT_FALSE(p.stabilization->path);
    EXPECT_EQ(rig->timelineSelection(), (TimelineItem{K::clip, p.clips->front().id}));
    // Its transcription fails on a file that is not there: no words, and the
    // user's hooks stay.
    ASSERT_TRUE(waitFor([&] { return rig->clipJobs().empty(); }));
    EXPECT_EQ(rig->project().words.size(), 2u);
    EXPECT_EQ(rig->project().hooks, std::vector<std::string>{"my own hook"});
}

TEST_F(EditorClipCommands, AddingToASingleVideoProjectMakesAClipListAtTheGivenPlace)
{
    Project single = sampleProject(4);
    single.sourceDuration = 3;
    for (auto [index, at] : {std::pair{std::optional<int>(99), 1}, {std::optional<int>(-5), 0}, {std::nullopt, 1}}) {
        EditorRig rig(single);
        rig.media->videos["/media/c.mov"] = lasting(2);
        rig->addClip("/media/c.mov", index);
        ASSERT_TRUE(waitFor([&] { return rig->project().clips && rig->project().clips->size() == 2; }));
        EXPECT_EQ(rig->project().clips->at(at).path, "/media/c.mov");
        EXPECT_EQ(rig->project().clips->at(1 - at).id, rig->project().id);
        EXPECT_NEAR(rig->project().words[0].start, 0.5 + (at == 0 ? 2 : 0), 1e-9);
    }
}

TEST_F(EditorClipCommands, RemovingAClipDropsItsMaterialAndRegeneratesHooks)
{
    EditorRig rig(twoClips());
    const Uuid first = rig->project().clips->at(0).id, second = rig->project().clips->at(1).id;
    rig->selectTimelineItem(TimelineItem{K::clip, first});
    rig->remove({K::clip, first});
    const Project& p = rig->project();
    ASSERT_EQ(p.clips->size(), 1u);
    ASSERT_EQ(p.words.size(), 1u);
    EXPECT_EQ(p.words[0].text, "second");
    EXPECT_EQ(p.words[0].start, 1);
    ASSERT_EQ(p.sounds->size(), 1u);
    EXPECT_EQ(p.sounds->at(0).start, 3);
    EXPECT_NE(p.hooks, std::vector<std::string>{"my own hook"});
    EXPECT_FALSE(rig->timelineSelection());
    const auto depth = rig->undoDepth();
    rig->removeClip(second);  // the last clip stays
    EXPECT_EQ(rig->undoDepth(), depth);
    rig->undo();
    EXPECT_EQ(rig->project().clips->size(), 2u);
    EXPECT_EQ(rig->project().words[1].start, 5);
}

// The timeline passes ids that live in the project's own list, which the
// command replaces: the id must still be good after the list is gone.
TEST_F(EditorClipCommands, CommandsTakeIdsThatLiveInTheListTheyReplace)
{
    EditorRig rig(twoClips());
    const Uuid second = rig->project().clips->at(1).id;
    rig->selectTimelineItem(TimelineItem{K::clip, second});
    rig->removeClip(rig->project().clips->at(1).id);
    ASSERT_EQ(rig->project().clips->size(), 1u);
    EXPECT_FALSE(rig->timelineSelection());

    rig->undo();
    rig->moveClip(rig->project().clips->at(1).id, 0);
    EXPECT_EQ(rig->project().clips->at(0).id, second);
    rig->setClipTrim(rig->project().clips->at(0).id, 1, 1, true);
    EXPECT_EQ(rig->project().clips->at(0).trimStart, 1);
}

TEST_F(EditorClipCommands, MovingAClipCarriesItsWordsAndClampsThePosition)
{
    Project p = twoClips();
    p.clips->push_back(clip("/media/c.mov", 2));
    p.syncClips();
    EditorRig rig(std::move(p));
    const Uuid a = rig->project().clips->at(0).id;
    rig->moveClip(a, 99);
    EXPECT_EQ(rig->project().clips->back().id, a);
    EXPECT_EQ(rig->project().words.back().text, "first");
    EXPECT_EQ(rig->project().words.back().start, 9);  // 6 + 2 + 1
    rig->moveClip(a, -3);
    EXPECT_EQ(rig->project().clips->front().id, a);
    EXPECT_EQ(rig->project().words.front().start, 1);
    const auto depth = rig->undoDepth();
    rig->moveClip(a, 0);
    rig->moveClip(Uuid::random(), 1);
    EXPECT_EQ(rig->undoDepth(), depth);
    EXPECT_EQ(rig->project().hooks, std::vector<std::string>{"my own hook"});
}

TEST_F(EditorClipCommands, TrimsAreClampedToKeepHalfASecondOfTheClip)
{
    Project p = sampleProject(0);
    p.clips = std::vector<VideoClip>{clip("/media/a.mov", 10), clip("/media/short.mov", 0.3)};
    p.syncClips();
    EditorRig rig(std::move(p));
    const Uuid id = rig->project().clips->at(0).id, tiny = rig->project().clips->at(1).id;
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    struct Case {
        Uuid clip;
        double start, end, wantStart, wantEnd;
    };
    const Case cases[] = {
        {id, 12, 5, 9.5, 0}, {id, -1, 20, 0, 9.5}, {id, 3, 3, 3, 3},   {id, nan, inf, 0, 0},
        {id, 0, 0, 0, 0},    {tiny, 1, 1, 0, 0},   {tiny, -1, -1, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.start << " " << c.end);
        const auto depth = rig->undoDepth();
        rig->setClipTrim(c.clip, c.start, c.end, true);
        EXPECT_EQ(rig->undoDepth(), depth + 1);
        const VideoClip& v = rig->project().clips->at(c.clip == id ? 0 : 1);
        EXPECT_EQ(v.trimStart, c.wantStart);
        EXPECT_EQ(v.trimEnd, c.wantEnd);
    }
    rig->setClipTrim(id, 2, 7.5, false);
    const auto spans = rig->clipSpans();
    ASSERT_EQ(spans.size(), 2u);
    EXPECT_LE(spans[0].end - spans[0].start, 0.5 + 1e-9);  // only the kept half second is on the output
    EXPECT_LE(spans[0].end, spans[1].start + 1e-9);
}

TEST(ClipTranscriptionSteps, JobTextsAndHistoryPatches)
{
    const std::pair<double, std::string> texts[] = {{0.999, "Transcribing · 99%"},
                                                    {0, "Transcribing"},
                                                    {std::nan(""), "Transcribing"},
                                                    {std::numeric_limits<double>::infinity(), "Transcribing · 100%"}};
    for (const auto& [fraction, text] : texts) EXPECT_EQ(ClipTranscription::jobText("Transcribing", fraction), text);

    const VideoClip a = clip("/a", 4), b = clip("/b", 3);
    EditState before, moved, without;
    before.clips = std::vector<VideoClip>{a, b};
    moved.clips = std::vector<VideoClip>{b, a};
    before.speech = moved.speech = {word("old", 0.5, 1)};
    std::vector<EditState> steps{before, moved, without};
    ClipTranscription::patch(steps, b.id, {word("new", 0.2, 0.6)}, true);
    ASSERT_EQ(steps[0].speech.size(), 2u);
    EXPECT_EQ(steps[0].speech[1].start, 4.2);
    EXPECT_EQ(steps[0].words, steps[0].speech);
    EXPECT_EQ(steps[1].speech[0].text, "new");
    EXPECT_EQ(steps[1].speech[0].start, 0.2);
    EXPECT_TRUE(steps[2].speech.empty());
    ClipTranscription::patch(steps, a.id, {word("x", 0, 1)}, false);
    EXPECT_EQ(steps[1].speech.size(), 3u);
    EXPECT_EQ(steps[1].words.size(), 2u);  // captions are not the speech words
}

// A real spoken clip: probed by the media service, transcribed by the
// built-in recognizer and merged at its place in front of the old clip.
TEST_F(EditorClipCommands, ARealSpokenClipIsTranscribedAtItsPlace)
{
    const auto speech = dir.path() / "speech.wav", video = dir.path() / "spoken.mp4", old = dir.path() / "old.mp4";
    ASSERT_EQ(run("espeak-ng -w " + shellQuote(speech.string()) + " 'hello world'"), 0);
    ASSERT_EQ(run("ffmpeg -v error -y -f lavfi -i color=gray:s=96x64:r=10 -i " + shellQuote(speech.string()) +
                  " -t 2 -shortest -c:v libx264 -c:a aac " + shellQuote(video.string())),
              0);
    ASSERT_EQ(run("ffmpeg -v error -y -f lavfi -i color=black:s=96x64:r=10:d=1 -c:v libx264 " +
                  shellQuote(old.string())),
              0);
    // A clip removed while it is transcribed gets nothing merged, but the
    // history state that holds it gets its words: undoing the removal brings
    // the clip back with them.
    {
        Project p = sampleProject(0);
        p.videoPath = old.string();
        p.sourceDuration = 1;
        p.words = {word("before", 0.2, 0.6)};
        EditorModel model(p, nullptr,
                          EditorServices{std::make_shared<FakePlayer>(), std::make_shared<ClipMediaService>(),
                                         std::make_shared<FakeAudio>(), nullptr, std::make_shared<ManualClock>()});
        ASSERT_TRUE(waitFor([&] { return !model.isLoading(); }));
        model.addClip(video.string());
        ASSERT_TRUE(waitFor([&] { return model.project().clips && model.project().clips->size() == 2; }));
        ASSERT_FALSE(model.clipJobs().empty());
        model.removeClip(model.project().clips->back().id);
        ASSERT_TRUE(waitFor([&] { return model.clipJobs().empty(); }));
        EXPECT_EQ(model.project().words.size(), 1u);
        model.undo();
        ASSERT_EQ(model.project().clips->size(), 2u);
        const auto& words = model.project().words;
        ASSERT_GE(words.size(), 2u);
        EXPECT_EQ(words.front().text, "before");
        for (std::size_t i = 1; i < words.size(); ++i) EXPECT_GE(words[i].start, 1 - 1e-6);  // in the added clip
        EXPECT_EQ(model.transcript(), words);
    }
    Project p = sampleProject(0);
    p.videoPath = old.string();
    p.sourceDuration = 1;
    p.words = {word("before", 0.2, 0.6)};
    auto player = std::make_shared<FakePlayer>();
    EditorModel model(p, nullptr,
                      EditorServices{player, std::make_shared<ClipMediaService>(), std::make_shared<FakeAudio>(),
                                     nullptr, std::make_shared<ManualClock>()});
    ASSERT_TRUE(waitFor([&] { return !model.isLoading(); }));
    model.addClip(video.string(), 0);
    ASSERT_TRUE(waitFor([&] { return model.project().clips && model.project().clips->size() == 2; }));
    const double length = model.project().clips->front().duration;
    EXPECT_GT(length, 0.8);
    EXPECT_EQ(model.clipJobs().begin()->first, model.project().clips->front().id);
    EXPECT_NEAR(model.project().words.front().start, length + 0.2, 1e-6);  // moved behind the new clip
    ASSERT_TRUE(waitFor([&] { return model.clipJobs().empty(); }));
    const auto& words = model.project().words;
    ASSERT_GE(words.size(), 2u);
    for (std::size_t i = 0; i + 1 < words.size(); ++i) {
        EXPECT_LT(words[i].start, length + 1e-6);
        EXPECT_LE(words[i].start, words[i + 1].start);
    }
    EXPECT_EQ(words.back().text, "before");
    // Undo goes back before the clip; redo brings it back with its words.
    model.undo();
    EXPECT_EQ(model.project().words.size(), 1u);
    model.redo();
    EXPECT_EQ(model.project().words.size(), words.size());
}

}  // namespace
}  // namespace vt
