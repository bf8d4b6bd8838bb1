// Opening a project, the set-up that reads its media, closing it, and the
// notifications that keep the preview in step.

#include "EditorFakes.h"

#include "model/DataRoot.h"

#include <QSignalSpy>

namespace vt {
namespace {

using namespace vt::test;

class EditorLifecycle : public EditorTest {};

TEST_F(EditorLifecycle, OpeningMigratesAndTakesTheThumbnailTextFromTheHook)
{
    Project p = sampleProject(3);
    p.matchCut = MatchCut{};
    p.hooks = {"First hook", "Second"};
    EXPECT_EQ(EditorRig(p)->thumbText(), "First hook");
    ASSERT_TRUE(EditorRig(p)->project().matchCuts);
    EXPECT_TRUE((*EditorRig(p)->project().matchCuts)[0].id);
    p.hookOverlay = HookOverlay{"Shown hook", 3};
    EXPECT_EQ(EditorRig(p)->thumbText(), "Shown hook");
    p.hookOverlay.reset();
    p.hooks.clear();
    EXPECT_EQ(EditorRig(p)->thumbText(), "");
}

TEST_F(EditorLifecycle, MusicInAnEarlierEditionsFolderIsMovedToOursAndSaved)
{
    const std::string parent = DataRoot::applicationSupport().string();
    Project p = sampleProject(2);
    p.music = BackgroundMusic{};
    p.music->path = parent + "/Omnal/Music/calm.m4a";
    EditorRig rig(p);
    EXPECT_EQ(rig->project().music->path, parent + "/Vellumtide/Music/calm.m4a");
    rig.clock->advance(0.8);
    EXPECT_TRUE(stored(p));

    p.music->path = "/home/someone/Omnal/calm.m4a";
    EditorRig untouched(p);
    std::filesystem::remove(fileOf(p));
    untouched.clock->advance(1);
    EXPECT_FALSE(stored(p)) << "a path outside the data folders is left alone";
    EXPECT_EQ(untouched->project().music->path, p.music->path);
}

TEST_F(EditorLifecycle, OpeningStartsTheMediaReadsThatTheProjectNeeds)
{
    TempDir cache;
    Project p = sampleProject(4);
    p.clips = std::vector<VideoClip>{clip("/media/a.mov", 2), clip("/media/b.mov", 2)};
    p.syncClips();
    p.audioCleanup = AudioCleanup{};
    p.music = BackgroundMusic{};
    p.music->path = "/music/song.m4a";
    SoundClip sound;
    sound.path = "/sounds/pop.wav";
    p.sounds = std::vector<SoundClip>{sound, sound};

    auto audio = std::make_shared<FakeAudio>();
    audio->cacheFolder = cache.path().string();
    writeFile(cache / ((*p.clips)[1].id.text() + ".m4a"), "cleaned");
    auto media = std::make_shared<FakeMedia>();
    media->durations["/music/song.m4a"] = 95.5;
    EditorModel model(p, nullptr, EditorServices{nullptr, media, audio, nullptr, std::make_shared<ManualClock>()});

    EXPECT_EQ(model.cleanAudioURLs().size(), 1u);
    EXPECT_EQ(model.cleanAudioURLs().count((*p.clips)[1].id), 1u);
    EXPECT_TRUE(model.soundPeaks().count("/sounds/pop.wav")) << "an entry at once, filled later";
    EXPECT_TRUE(waitFor([&] { return model.musicLength() == 95.5 && !model.soundPeaks().begin()->second.empty(); }));

    Project silent = sampleProject(2);
    EditorModel quiet(silent, nullptr, EditorServices{nullptr, media, audio, nullptr, std::make_shared<ManualClock>()});
    waitFor([&] { return !quiet.isLoading(); });
    EXPECT_EQ(quiet.musicLength(), 0);
}

TEST_F(EditorLifecycle, SetUpGrabsThePosterAndBuildsTheFirstPlayerItem)
{
    Project p = sampleProject(0);
    p.sourceDuration = 2;
    EditorRig rig(p);
    EXPECT_FALSE(rig->isLoading());
    ASSERT_TRUE(rig->source());
    ASSERT_TRUE(rig->posterFrame());
    ASSERT_EQ(rig.media->frames.size(), 1u);
    EXPECT_DOUBLE_EQ(rig.media->frames[0].second, 2.0 / 3);
    EXPECT_EQ(rig.player->rebuilds, 1);
    EXPECT_FALSE(rig->exportError());
}

TEST_F(EditorLifecycle, SetUpFinishesWhenTheClipListChangesWhileItIsRead)
{
    Project p = sampleProject(4);
    p.clips = std::vector<VideoClip>{clip("/media/a.mov", 4)};
    p.syncClips();
    auto media = std::make_shared<FakeMedia>();
    media->videos["/media/a.mov"].naturalWidth = 1280;
    media->videos["/media/b.mov"].naturalWidth = 1920;
    std::promise<void> open;
    media->gate = open.get_future().share();
    auto player = std::make_shared<FakePlayer>();
    EditorModel model(p, nullptr, EditorServices{player, media, nullptr, nullptr, std::make_shared<ManualClock>()});
    QCoreApplication::processEvents();  // the set-up starts reading clip a

    model.pushUndo();
    model.updateProject([](Project& q) { q.clips = std::vector<VideoClip>{clip("/media/b.mov", 4)}; });
    model.undo();  // another clip list: a second read starts
    open.set_value();
    ASSERT_TRUE(waitFor([&] { return !model.isLoading(); }));
    ASSERT_TRUE(model.source());
    EXPECT_EQ(model.source()->naturalWidth, 1280);
    EXPECT_EQ(model.clipInfo().size(), 1u);
    EXPECT_GE(player->rebuilds, 1);
}

TEST_F(EditorLifecycle, UnreadableMediaEndsSetUpWithTheNoVideoMessage)
{
    EditorRig rig(sampleProject(), false);
    EXPECT_FALSE(rig->isLoading());
    EXPECT_EQ(rig->exportError(), "This file has no video track.");
    EXPECT_EQ(rig.player->rebuilds, 0);
    EXPECT_FALSE(rig->posterFrame());
}

TEST_F(EditorLifecycle, TeardownStopsThePlayerOnceAndIsHarmlessTwice)
{
    EditorRig rig(sampleProject());
    ASSERT_TRUE(rig.player->report);
    rig->teardown();
    rig->teardown();
    EXPECT_EQ(rig.player->stops, 1);
    EXPECT_EQ(rig.player->detaches, 2);
    EXPECT_FALSE(rig.player->report);
    rig->timelineChanged();
    rig.clock->advance(1);
    EXPECT_EQ(rig.player->rebuilds, 1) << "a closed editor builds no player item";
}

TEST_F(EditorLifecycle, ACutChangeRebuildsOnceAfterTheBurstKeepingTheSourceMoment)
{
    EditorRig rig(sampleProject());
    rig.player->report(3.0, 0);  // the playhead on word 5 (source 3.0)
    EXPECT_DOUBLE_EQ(rig->currentTime(), 3.0);
    const int before = rig.player->rebuilds;

    rig->updateProject([](Project& p) { p.words[1].deleted = true; });
    rig->timelineChanged();
    EXPECT_TRUE(rig->isRefreshing());
    rig.clock->advance(0.05);  // the player still shows the first cut's item
    rig->updateProject([](Project& p) { p.words[2].deleted = true; });
    rig->timelineChanged();
    rig.clock->advance(0.11);
    EXPECT_EQ(rig.player->rebuilds, before);
    rig.clock->advance(0.02);
    ASSERT_EQ(rig.player->rebuilds, before + 1);
    ASSERT_TRUE(rig.player->seeks.back());
    EXPECT_DOUBLE_EQ(*rig.player->seeks.back(), rig->plan().outputTime(3.0));
    EXPECT_LT(*rig.player->seeks.back(), 3.0);
    EXPECT_FALSE(rig->isRefreshing());
    EXPECT_EQ(rig.player->snapshotsAtRebuild.back()->plan, rig->plan());
}

TEST_F(EditorLifecycle, ARefreshDuringAPendingRebuildLeavesTheStatusToTheRebuild)
{
    EditorRig rig(sampleProject());
    rig.player->holdRebuilds = true;
    rig->timelineChanged();
    rig->visualChanged();
    rig.clock->advance(0.05);
    EXPECT_EQ(rig.player->refreshes, 1);
    EXPECT_TRUE(rig->isRefreshing());
    EXPECT_EQ(rig->activity(), (EditorModel::Activity{"Updating preview", std::nullopt}));
    rig.clock->advance(0.1);
    ASSERT_EQ(rig.player->held.size(), 1u);
    EXPECT_TRUE(rig->isRefreshing());
    rig.player->held[0]("The composition could not be built.");
    EXPECT_FALSE(rig->isRefreshing());
    EXPECT_EQ(rig->exportError(), "The composition could not be built.");
    EXPECT_FALSE(rig->activity());
}

TEST_F(EditorLifecycle, ModeWritesNotifyOnChangeButTheComparisonAlwaysRedraws)
{
    EditorRig rig(sampleProject());
    QSignalSpy tabs(rig.model.get(), &EditorModel::inspectorTabChanged);
    rig->setInspectorTab(InspectorTab::styles);
    EXPECT_EQ(tabs.count(), 0);
    rig->setInspectorTab(InspectorTab::exportTab);
    EXPECT_EQ(tabs.count(), 1);
    EXPECT_EQ(json::enumText(InspectorTab::color), "Enhance");
    EXPECT_EQ(icon(InspectorTab::exportTab), "square.and.arrow.up");

    const int refreshes = rig.player->refreshes;
    rig->setShowOriginal(false);
    rig.clock->advance(0.05);
    EXPECT_EQ(rig.player->refreshes, refreshes + 1);
    const int rebuilds = rig.player->rebuilds;
    rig->setAudioBypass(false);
    rig.clock->advance(0.2);
    EXPECT_EQ(rig.player->rebuilds, rebuilds + 1);
}

TEST_F(EditorLifecycle, ActivityShowsTheFirstRunningWork)
{
    EditorRig rig(sampleProject());
    EXPECT_FALSE(rig->activity());
    rig->setMusicBusy(true);
    EXPECT_EQ(rig->activity()->text, "Composing music");
    rig->setAutoBusy(true);
    EXPECT_EQ(rig->activity()->text, "Analyzing color");
    rig->setAudioProgress(0.25);
    EXPECT_EQ(rig->activity(), (EditorModel::Activity{"Cleaning up audio", 0.25}));
    rig->setStabilizeProgress(0.5);
    EXPECT_EQ(rig->activity(), (EditorModel::Activity{"Measuring camera shake", 0.5}));
}

}  // namespace
}  // namespace vt
