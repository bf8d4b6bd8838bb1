#include "editor/AudioCleanupJobs.h"

#include "EditorFakes.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <mutex>
#include <stdexcept>

namespace vt::test {
namespace {

// Writes a small file for each clip it is asked to clean, or fails on the
// clips it is told to.
struct FakeCleaner {
    std::mutex lock;
    std::vector<std::string> cleaned;  // video paths, in order
    std::vector<AudioCleanup> settings;
    std::set<std::string> failing;

    AudioCleanupJobs::Cleaner function()
    {
        return [this](const std::filesystem::path& video, const std::vector<ClosedRange<double>>&, const AudioCleanup& s,
                      const std::filesystem::path& destination, const AudioCleaner::Progress& progress, const CancelToken&) {
            progress(0.5);
            std::lock_guard guard(lock);
            if (failing.contains(video.string())) throw std::runtime_error("The disk is full.");
            writeFile(destination, "cleaned " + video.string());
            cleaned.push_back(video.string());
            settings.push_back(s);
        };
    }
};

Project threeClips()
{
    Project p = sampleProject(4);
    p.clips = std::vector<VideoClip>{};
    for (const char* path : {"/media/a.mov", "/media/b.mov", "/media/c.mov"}) {
        VideoClip clip;
        clip.path = path;
        clip.duration = 4;
        p.clips->push_back(clip);
    }
    return p;
}

class AudioCleanupJobsTest : public EditorTest {
protected:
    FakeCleaner cleaner;

    std::unique_ptr<AudioCleanupJobs> jobsFor(EditorRig& rig)
    {
        return std::make_unique<AudioCleanupJobs>(*rig, rig.clock, cleaner.function());
    }
};

TEST_F(AudioCleanupJobsTest, QuickChangesRunOneCleanupForTheLastSettingsAndPublishEveryClip)
{
    EditorRig rig(threeClips());
    auto jobs = jobsFor(rig);
    std::vector<double> progress;
    QObject::connect(rig.model.get(), &EditorModel::audioProgressChanged, [&] {
        if (rig->audioProgress()) progress.push_back(*rig->audioProgress());
    });
    jobs->change([](AudioCleanup& s) { s.leveler = 0.2; });  // off: turns on with the defaults and this change
    rig.clock->advance(0.3);
    jobs->change([](AudioCleanup& s) { s.noiseReduction = 0.9; });
    rig.clock->advance(0.39);
    EXPECT_TRUE(cleaner.cleaned.empty());
    rig.clock->advance(0.02);
    ASSERT_TRUE(waitFor([&] { return !rig->audioProgress() && rig->cleanAudioURLs().size() == 3; }));
    EXPECT_EQ(cleaner.cleaned, (std::vector<std::string>{"/media/a.mov", "/media/b.mov", "/media/c.mov"}));
    EXPECT_EQ(cleaner.settings.back(), (AudioCleanup{0.9, true, 0.2, true}));
    EXPECT_EQ(progress, (std::vector<double>{0, 0.5 / 3, 1.5 / 3, 2.5 / 3}));
    EXPECT_TRUE(jobs->cleanAudioURL());
    EXPECT_EQ(rig->project().audioCleanup, (AudioCleanup{0.9, true, 0.2, true}));
}

TEST_F(AudioCleanupJobsTest, CachedFilesAreReusedAndOnlyTheMissingClipsAreCleaned)
{
    Project p = threeClips();
    p.audioCleanup = AudioCleanup{};
    writeFile(AudioCleaner::cacheURL((*p.clips)[1].id, AudioCleanup{}), "cached");
    EditorRig rig(p);
    auto jobs = jobsFor(rig);  // the clips are loaded: cleaning starts at once
    ASSERT_TRUE(waitFor([&] { return rig->cleanAudioURLs().size() == 3; }));
    EXPECT_EQ(cleaner.cleaned, (std::vector<std::string>{"/media/a.mov", "/media/c.mov"}));

    // Nothing missing: no job, no progress.
    cleaner.cleaned.clear();
    jobs->schedule(0);
    EXPECT_FALSE(rig->audioProgress());
    EXPECT_TRUE(cleaner.cleaned.empty());
}

TEST_F(AudioCleanupJobsTest, AFailureShowsItsMessagePublishesNothingAndKeepsWhatWasCleaned)
{
    Project p = threeClips();
    p.audioCleanup = AudioCleanup{};
    cleaner.failing = {"/media/b.mov"};
    EditorRig rig(p);
    auto jobs = jobsFor(rig);
    ASSERT_TRUE(waitFor([&] { return jobs->error().has_value(); }));
    EXPECT_EQ(*jobs->error(), "Audio cleanup failed: The disk is full.");
    EXPECT_FALSE(rig->exportError()) << "the export's error is the export's own";
    EXPECT_FALSE(rig->audioProgress());
    EXPECT_TRUE(rig->cleanAudioURLs().empty());
    EXPECT_TRUE(std::filesystem::exists(AudioCleaner::cacheURL((*p.clips)[0].id, AudioCleanup{})));
    EXPECT_EQ(cleaner.cleaned, (std::vector<std::string>{"/media/a.mov"}));

    // The next job starts afresh: the first clip is reused, the message goes.
    cleaner.failing.clear();
    jobs->schedule(0);
    EXPECT_FALSE(jobs->error());
    ASSERT_TRUE(waitFor([&] { return rig->cleanAudioURLs().size() == 3; }));
    EXPECT_EQ(cleaner.cleaned, (std::vector<std::string>{"/media/a.mov", "/media/b.mov", "/media/c.mov"}));
}

TEST_F(AudioCleanupJobsTest, TurningCleanupOffEmptiesTheFilesAndNewSettingsReplaceAClipsOldFile)
{
    Project p = sampleProject(4);
    p.audioCleanup = AudioCleanup{};
    EditorRig rig(p);
    auto jobs = jobsFor(rig);
    ASSERT_TRUE(waitFor([&] { return rig->cleanAudioURLs().size() == 1; }));
    const auto oldFile = AudioCleaner::cacheURL(p.id, AudioCleanup{});

    jobs->setAudioCleanup(AudioCleanup{0.3, false, 0.4, true});
    rig.clock->advance(0.4);
    ASSERT_TRUE(waitFor([&] { return rig->cleanAudioURLs().size() == 1 && rig->cleanAudioURLs().begin()->second != oldFile.string(); }));
    EXPECT_FALSE(std::filesystem::exists(oldFile));

    jobs->setAudioCleanup(std::nullopt);
    rig.clock->advance(0.4);
    EXPECT_TRUE(rig->cleanAudioURLs().empty());
    EXPECT_FALSE(jobs->cleanAudioURL());
    EXPECT_EQ(cleaner.cleaned.size(), 2u);
}

TEST_F(AudioCleanupJobsTest, TheRealCleanupCleansAVideosVoiceIntoTheCache)
{
    const auto speech = dir.path() / "speech.wav";
    const auto video = dir.path() / "clip.mp4";
    ASSERT_EQ(run("espeak-ng -w " + shellQuote(speech.string()) + " 'Clean my voice, please.'"), 0);
    ASSERT_EQ(run("ffmpeg -v error -f lavfi -i color=size=64x64:rate=10 -i " + shellQuote(speech.string()) +
                  " -shortest -c:v libx264 -preset ultrafast -c:a aac " + shellQuote(video.string())),
              0);
    Project p = sampleProject(4);
    p.videoPath = video.string();
    p.audioCleanup = AudioCleanup{};
    EditorRig rig(p);
    AudioCleanupJobs jobs(*rig, rig.clock);
    ASSERT_TRUE(waitFor([&] { return rig->cleanAudioURLs().size() == 1; }));
    EXPECT_EQ(rig->cleanAudioURLs().begin()->second, AudioCleaner::cacheURL(p.id, AudioCleanup{}).string());
    EXPECT_GT(std::filesystem::file_size(rig->cleanAudioURLs().begin()->second), 1000u);
    EXPECT_FALSE(jobs.error());
}

TEST(AudioCleanupJobs, AClipsSpeechIsEveryWordStartingInsideIt)
{
    VideoClip clip;
    clip.duration = 4;
    const ClipSpan second{clip, 4};
    const std::vector<Word> words{word("a", 3.5, 4.5), word("b", 5, 5.5, true), word("c", 4.25, 4.1), word("d", 8, 9)};
    EXPECT_EQ(AudioCleanupJobs::speechRanges(words, second), (std::vector<ClosedRange<double>>{{0.25, 0.25}, {1, 1.5}}));
    EXPECT_EQ(AudioCleanupJobs::speechRanges(words, ClipSpan{clip, 0}), (std::vector<ClosedRange<double>>{{3.5, 4.5}}));
}

}  // namespace
}  // namespace vt::test
