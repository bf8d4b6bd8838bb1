#include "editor/MusicCommands.h"

#include "EditorFakes.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <atomic>

namespace vt::test {
namespace {

class MoodQueueTest : public EditorTest {};

// Two moods chosen one after the other are made in turn: the editor shows
// that music is being composed until the last of them is installed.
TEST_F(MoodQueueTest, BusyLastsUntilTheLastMoodIsInstalled)
{
    const auto file = dir.path() / "made.m4a";
    writeFile(file, "music");
    EditorRig rig(sampleProject(4));
    std::atomic<bool> release = false;
    MusicCommands commands(*rig, [&](const MusicGenerator::Mood& mood, const CancelToken& cancel) {
        if (mood.id == "ambient")
            while (!release && !cancel.isCancelled()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return file;
    });
    commands.useBuiltInMusic(MusicGenerator::moods()[0]);
    commands.useBuiltInMusic(MusicGenerator::moods()[3]);
    ASSERT_TRUE(waitFor([&] { return rig->project().music && rig->project().music->builtInID == "lofi"; }));
    EXPECT_TRUE(rig->musicBusy()) << "the second mood is still being made";

    release = true;
    ASSERT_TRUE(waitFor([&] { return rig->project().music->builtInID == "ambient"; }));
    EXPECT_FALSE(rig->musicBusy());
}

}  // namespace
}  // namespace vt::test
