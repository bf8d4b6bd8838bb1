// The open editor on real generated clips, through to the export: the
// project's video facts come from every clip, each probed once; the audio
// cleanup reaches a clip added while it is on, and an export waits for a
// cleanup still running.

#include "editor/AudioCleanupJobs.h"
#include "editor/ClipMediaService.h"
#include "editor/EditorModel.h"
#include "editor/SoundPictureJobs.h"
#include "export/CompositionExportComposer.h"
#include "export/EditorExportHost.h"
#include "export/ExportAction.h"
#include "FakeExportHost.h"
#include "SettingsSandbox.h"
#include "support/TestSupport.h"
#include "support/TestVideos.h"

#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <map>
#include <mutex>

namespace vt::test {
namespace {

constexpr int kWaitMs = 60000;

// Probes through the real engine, counting the probes of each file.
class CountingMedia final : public EditorMedia {
public:
    std::optional<SourceVideoInfo> probeVideo(const std::string& path) override
    {
        {
            std::lock_guard guard(lock_);
            ++probes_[path];
        }
        return real_.probeVideo(path);
    }
    std::optional<QImage> frame(const std::string& path, double seconds) override { return real_.frame(path, seconds); }
    std::optional<double> duration(const std::string& path) override { return real_.duration(path); }
    std::vector<float> peaks(const std::string& path) override { return real_.peaks(path); }
    std::optional<QImage> thumbnail(const BRoll& item) override { return real_.thumbnail(item); }
    std::vector<Filmstrip::Frame> filmstrip(const std::string& path, double lower, double upper, int maxCount) override
    {
        return real_.filmstrip(path, lower, upper, maxCount);
    }
    std::vector<Filmstrip::Frame> framesAtSource(const std::vector<ClipSpan>& spans, const std::vector<double>& times,
                                                 int maxSize) override
    {
        return real_.framesAtSource(spans, times, maxSize);
    }
    int probes(const std::filesystem::path& file)
    {
        std::lock_guard guard(lock_);
        return probes_[file.string()];
    }

private:
    ClipMediaService real_;
    std::mutex lock_;
    std::map<std::string, int> probes_;
};

// A test-pattern video at `rate` frames a second, HDR (10-bit HEVC, HLG) or
// standard range, `seconds` long, with `sound` (padded with silence) or none.
std::filesystem::path video(const TempDir& dir, const std::string& name, int rate, bool hdr, double seconds,
                            const std::optional<std::filesystem::path>& sound = std::nullopt)
{
    std::string args = "-f lavfi -i testsrc2=s=128x72:r=" + std::to_string(rate) + ":d=" + std::to_string(seconds) + " ";
    if (sound) args += "-i " + shellQuote(sound->string()) + " -af apad -c:a aac ";
    args += hdr ? "-c:v libx265 -preset ultrafast -x265-params log-level=error -pix_fmt yuv420p10le "
                  "-color_primaries bt2020 -color_trc arib-std-b67 -colorspace bt2020nc "
                : "-c:v libx264 -preset ultrafast -pix_fmt yuv420p ";
    return makeMedia(dir / (name + ".mp4"), args + "-t " + std::to_string(seconds));
}

VideoClip clipOf(const std::filesystem::path& file, double seconds)
{
    VideoClip clip;
    clip.path = file.string();
    clip.name = file.stem().string();
    clip.duration = seconds;
    return clip;
}

Project projectOf(std::vector<VideoClip> clips)
{
    Project p;
    p.name = "Talk";
    p.localeID = "en-US";
    p.clips = std::move(clips);
    p.syncClips();
    return p;
}

// The sound of a media file as 16 kHz mono samples.
std::vector<float> samples(const TempDir& dir, const std::filesystem::path& file)
{
    const auto raw = dir / (file.stem().string() + ".f32");
    makeMedia(raw, "-i " + shellQuote(file.string()) + " -ac 1 -ar 16000 -f f32le");
    const std::string bytes = readFile(raw);
    std::vector<float> out(bytes.size() / sizeof(float));
    std::memcpy(out.data(), bytes.data(), out.size() * sizeof(float));
    return out;
}

double rms(const std::vector<float>& x)
{
    double sum = 0;
    for (float v : x) sum += double(v) * v;
    return x.empty() ? 0 : std::sqrt(sum / double(x.size()));
}

class EditorOnRealClips : public ::testing::Test {
protected:
    TempDir dir;
    ScopedEnv data{"XDG_DATA_HOME", (dir / "data").string()};
    SettingsSandbox settings;
    std::shared_ptr<CountingMedia> media = std::make_shared<CountingMedia>();

    std::unique_ptr<EditorModel> open(Project project)
    {
        EditorServices services;
        services.media = media;
        auto editor = std::make_unique<EditorModel>(std::move(project), nullptr, std::move(services));
        EXPECT_TRUE(QTest::qWaitFor([&] { return !editor->isLoading(); }, kWaitMs));
        return editor;
    }
};

TEST_F(EditorOnRealClips, TheVideoFactsAreThoseOfEveryClipEachProbedOnce)
{
    const auto hdr30 = video(dir, "hdr30", 30, true, 2);
    const auto sdr60 = video(dir, "sdr60", 60, false, 1.5);
    const auto sdr25 = video(dir, "sdr25", 25, false, 1);
    auto editor = open(projectOf({clipOf(hdr30, 2)}));
    EditorExportHost host(*editor, std::make_shared<CompositionExportComposer>());
    ExportAction action(host);
    ExportSettings wanted = action.exportSettings();
    wanted.hdr = true;
    action.setExportSettings(wanted);
    ASSERT_TRUE(editor->source());
    EXPECT_TRUE(editor->source()->isHDR);
    EXPECT_TRUE(action.resolvedExport().hdr);

    // A 60 fps standard-range clip after it: the export follows both.
    editor->addClip(sdr60.string());
    ASSERT_TRUE(QTest::qWaitFor([&] { return editor->project().clips->size() == 2 && editor->source()->fps > 30; }, kWaitMs));
    const SourceVideoInfo& facts = *editor->source();
    EXPECT_NEAR(facts.fps, 60, 0.01);
    EXPECT_FALSE(facts.isHDR);
    EXPECT_NEAR(facts.duration, editor->project().sourceDuration, 1e-9);
    EXPECT_NEAR(facts.duration, 3.5, 0.05);
    EXPECT_EQ(facts.naturalWidth, 128);
    EXPECT_EQ(action.resolvedExport().fps, 60);
    EXPECT_FALSE(action.resolvedExport().hdr);

    // More clip-list changes read only the new file.
    editor->addClip(sdr25.string(), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return editor->project().clips->size() == 3 && editor->clipInfo().size() == 3; }, kWaitMs));
    int summedUp = 0;
    QObject::connect(editor.get(), &EditorModel::sourceChanged, [&] { ++summedUp; });
    editor->moveClip(editor->project().clips->front().id, 2);
    ASSERT_TRUE(QTest::qWaitFor([&] { return summedUp > 0; }, kWaitMs));  // the reload after the move
    EXPECT_EQ(editor->project().clips->back().path, sdr25.string());
    for (const auto& file : {hdr30, sdr60, sdr25}) EXPECT_EQ(media->probes(file), 1) << file;
    EXPECT_NEAR(editor->source()->duration, 4.5, 0.05);
    EXPECT_NEAR(editor->source()->fps, 60, 0.01);
}

TEST_F(EditorOnRealClips, AClipAddedWhileCleanupIsOnIsCleanedToo)
{
    const auto first = video(dir, "first", 30, false, 2, spokenWords(dir, "one", "Hello there.", 0));
    const auto second = video(dir, "second", 30, false, 2, spokenWords(dir, "two", "Good morning.", 0));
    Project project = projectOf({clipOf(first, 2)});
    project.audioCleanup = AudioCleanup{};
    auto editor = open(project);
    AudioCleanupJobs& cleanup = SoundPictureJobs::of(*editor).cleanup();
    ASSERT_TRUE(QTest::qWaitFor([&] { return cleanup.cleanAudioURL().has_value(); }, kWaitMs));

    editor->addClip(second.string());
    ASSERT_TRUE(QTest::qWaitFor([&] { return editor->project().clips->size() == 2; }, kWaitMs));
    const Uuid added = editor->project().clips->back().id;
    ASSERT_TRUE(QTest::qWaitFor([&] { return editor->cleanAudioURLs().contains(added); }, kWaitMs))
        << "the new clip would play and export its raw voice";
    EXPECT_TRUE(cleanup.cleanAudioURL());
    EXPECT_TRUE(std::filesystem::exists(editor->cleanAudioURLs().at(added)));
    EXPECT_FALSE(cleanup.error());
}

TEST_F(EditorOnRealClips, AnExportStartedAsCleanupIsSwitchedOnCarriesTheCleanedVoice)
{
    const auto quiet = spokenWords(dir, "quiet", "Hello there, this is a test of the cleanup.", -24);
    const auto talk = video(dir, "talk", 30, false, 3, quiet);
    Project project = projectOf({clipOf(talk, 3)});
    project.words = {Word{}};
    project.words[0].text = "Hello";
    project.words[0].start = 0.05;
    project.words[0].end = 2.6;
    auto editor = open(project);
    AudioCleanupJobs& cleanup = SoundPictureJobs::of(*editor).cleanup();
    EditorExportHost host(*editor, std::make_shared<CompositionExportComposer>());
    ExportAction action(host);
    bool waited = false;
    QObject::connect(&action, &ExportAction::stateChanged, [&] { waited = waited || action.cleanupProgress(); });

    cleanup.setAudioCleanup(AudioCleanup{});
    editor->setAudioBypass(true);  // listening to the raw voice in the editor: the file is still cleaned
    const auto out = dir / "out.mp4";
    action.startExport(out);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !action.isExporting(); }, kWaitMs));
    ASSERT_FALSE(action.exportError()) << action.exportError()->toStdString();
    EXPECT_TRUE(waited) << "the export waits for the cleanup, showing it";

    const Uuid clip = editor->project().clips->front().id;
    ASSERT_TRUE(editor->cleanAudioURLs().contains(clip));
    const double cleaned = rms(samples(dir, editor->cleanAudioURLs().at(clip)));
    const double raw = rms(samples(dir, talk));
    const double exported = rms(samples(dir, out));
    ASSERT_GT(cleaned, 4 * raw) << "the cleanup brings the quiet voice up";
    EXPECT_NEAR(exported / cleaned, 1.0, 0.3) << "exported " << exported << ", cleaned " << cleaned << ", raw " << raw;
}

TEST(ExportWaitsForCleanup, CancellingWhileWaitingEndsAtOnceWithoutAFile)
{
    TempDir dir;
    SettingsSandbox settings;
    FakeExportHost host;
    host.cleanup = 0.25;
    ExportAction action(host);
    action.startExport(dir / "a.mp4");
    EXPECT_EQ(action.exportProgress(), 0.0);
    EXPECT_EQ(action.cleanupProgress(), 0.25);
    host.cleanup = 0.5;
    ASSERT_TRUE(QTest::qWaitFor([&] { return action.cleanupProgress() == 0.5; }, kWaitMs));
    EXPECT_EQ(host.captures, 0) << "nothing is taken while the cleanup runs";

    action.cancelExport();
    EXPECT_FALSE(action.isExporting());
    EXPECT_FALSE(action.exportProgress());
    EXPECT_FALSE(action.cleanupProgress());
    EXPECT_FALSE(action.exportError());
    QTest::qWait(300);
    EXPECT_EQ(host.captures, 0);
    EXPECT_FALSE(std::filesystem::exists(dir / "a.mp4"));

    // Once the cleanup has ended, the next export goes on at once.
    host.cleanup.reset();
    action.startExport(dir / "b.mp4");
    EXPECT_EQ(host.captures, 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !action.isExporting(); }, kWaitMs));
    EXPECT_TRUE(std::filesystem::exists(dir / "b.mp4"));
}

}  // namespace
}  // namespace vt::test
