// Work that must not be lost, applied late or announced early: a failed save
// is tried again on close, a sound-effects render started before the
// settings were removed does not come back, and the editor is not ready
// before the player has its first item.

#include "EditorFakes.h"

#include <QTest>

namespace vt {
namespace {

using namespace vt::test;

class EditorUnsavedClose : public EditorTest {};

TEST_F(EditorUnsavedClose, ClosingAfterAFailedSaveTriesAgain)
{
    EditorRig rig(sampleProject());
    const Project opened = rig->project();
    std::filesystem::create_directories(fileOf(opened));  // nothing can replace a folder
    rig->pushUndo();
    rig->updateProject([](Project& p) { p.words[0].deleted = true; });
    rig->timelineChanged();
    rig.clock->advance(1);
    ASSERT_TRUE(rig->saveError());
    ASSERT_TRUE(rig->hasUnsavedChanges());

    std::filesystem::remove(fileOf(opened));  // the disk recovers; no further edit follows
    rig->teardown();
    auto saved = stored(opened);
    ASSERT_TRUE(saved) << "the last edit must not be lost with the editor";
    EXPECT_TRUE(saved->words[0].deleted);
    EXPECT_FALSE(rig->hasUnsavedChanges());
    EXPECT_FALSE(rig->saveError());
}

TEST_F(EditorUnsavedClose, ClosingWithNothingUnsavedWritesNothing)
{
    EditorRig rig(sampleProject());
    const Project opened = rig->project();
    rig->teardown();
    EXPECT_FALSE(stored(opened));
}

TEST_F(EditorUnsavedClose, RemovingTheSoundEffectsDropsARenderStillToCome)
{
    Project p = sampleProject(6);
    p.soundEffects = SoundEffects{};
    p.words[1].emphasized = true;
    EditorRig rig(p);
    ASSERT_FALSE(rig->effectsEvents().empty());
    rig.clock->advance(0.1);  // the render of those events is still waiting

    rig->setSoundEffects(std::nullopt);
    EXPECT_TRUE(rig->effectsEvents().empty());
    rig.clock->advance(0.5);
    for (int i = 0; i < 20; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    EXPECT_EQ(rig.audio->renders, 0);
    EXPECT_FALSE(rig->effectsAudioURL());
}

// The editor stays loading until the first player item exists, so the window
// never shows a ready editor with nothing to play.
TEST_F(EditorUnsavedClose, LoadingLastsUntilTheFirstPlayerItemIsBuilt)
{
    auto player = std::make_shared<FakePlayer>();
    player->holdRebuilds = true;
    auto media = std::make_shared<FakeMedia>();
    Project p = sampleProject();
    for (const auto& c : p.videoClips()) media->videos[c.path] = SourceVideoInfo{};
    EditorModel model(p, nullptr, EditorServices{player, media, nullptr, nullptr, std::make_shared<ManualClock>()});
    ASSERT_TRUE(waitFor([&] { return player->rebuilds == 1; }));
    EXPECT_TRUE(model.isLoading());

    player->held.front()(std::nullopt);
    // Then the poster is read, off the main thread, and loading ends.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !model.isLoading(); }, 30000));
    EXPECT_TRUE(model.posterFrame());
}

}  // namespace
}  // namespace vt
