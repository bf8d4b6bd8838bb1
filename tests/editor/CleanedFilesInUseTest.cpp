#include "editor/AudioCleanupJobs.h"

#include "EditorFakes.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <atomic>

namespace vt::test {
namespace {

Project twoClipsCleaned()
{
    Project p = sampleProject(4);
    p.clips = std::vector<VideoClip>{};
    for (const char* path : {"/media/a.mov", "/media/b.mov"}) {
        VideoClip clip;
        clip.path = path;
        clip.duration = 4;
        p.clips->push_back(clip);
    }
    p.audioCleanup = AudioCleanup{};
    for (const VideoClip& clip : *p.clips) writeFile(AudioCleaner::cacheURL(clip.id, AudioCleanup{}), "cleaned before");
    return p;
}

class CleanedFilesInUseTest : public EditorTest {};

// While new settings are being cleaned, the player and the export still use
// the files published for the old ones: none of them may go before the new
// files take their place.
TEST_F(CleanedFilesInUseTest, OldFilesStayUntilTheNewOnesArePublished)
{
    const Project p = twoClipsCleaned();
    EditorRig rig(p);
    std::atomic<int> started = 0;
    std::atomic<bool> release = false;
    AudioCleanupJobs jobs(*rig, rig.clock,
                          [&](const std::filesystem::path&, const std::vector<ClosedRange<double>>&, const AudioCleanup&,
                              const std::filesystem::path& destination, const AudioCleaner::Progress&, const CancelToken& cancel) {
                              if (++started == 2)
                                  while (!release && !cancel.isCancelled()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
                              writeFile(destination, "cleaned anew");
                          });
    ASSERT_EQ(rig->cleanAudioURLs().size(), 2u);
    const auto published = rig->cleanAudioURLs();

    const AudioCleanup next{0.3, false, 0.4, true};
    jobs.setAudioCleanup(next);
    rig.clock->advance(0.4);
    ASSERT_TRUE(waitFor([&] { return started == 2; }));  // the first clip is done, the second is cleaning
    EXPECT_EQ(rig->cleanAudioURLs(), published);
    for (const auto& [clip, file] : published) EXPECT_TRUE(std::filesystem::exists(file)) << "a published file went while still in use";

    release = true;
    ASSERT_TRUE(waitFor([&] { return rig->cleanAudioURLs() != published; }));
    for (const auto& [clip, file] : published) EXPECT_FALSE(std::filesystem::exists(file));
    for (const VideoClip& clip : *p.clips) EXPECT_TRUE(std::filesystem::exists(AudioCleaner::cacheURL(clip.id, next)));
}

}  // namespace
}  // namespace vt::test
