#include "export/ExportAction.h"

#include "export/FakeExportHost.h"
#include "export/SettingsSandbox.h"
#include "platform/MediaProbe.h"
#include "speech/CaptionError.h"
#include "support/TestSupport.h"
#include "support/Waits.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

using namespace vt;

namespace {

// Runs the event loop until the export has ended.
void waitForEnd(ExportAction& action)
{
    ASSERT_TRUE(test::waitFor([&] { return !action.isExporting(); })) << "the export never ended";
}

ExportSettings small(bool audioOnly = false)
{
    ExportSettings s;
    s.mode = ExportSettings::Mode::manual;
    s.resolution = 0;
    s.frameRate = 2;
    s.bitrate = 1;
    s.audioOnly = audioOnly;
    return s;
}

// Its last frame waits until the test lets it go, so a cancel sent from a
// progress report lands while the export runs, however the threads are
// scheduled on a busy machine.
class HeldVideo : public test::PaintedVideo {
public:
    HeldVideo(double seconds, const std::atomic<bool>& released) : PaintedVideo(seconds), released_(released) {}
    QImage frame(double t, QSize size, bool hdr) override
    {
        if (t + 0.5 >= duration()) {
            EXPECT_TRUE(test::waitFor([&] { return released_.load(); }));
        }
        return PaintedVideo::frame(t, size, hdr);
    }

private:
    const std::atomic<bool>& released_;
};

class HeldHost : public test::FakeExportHost {
public:
    std::atomic<bool> released = false;
    ExportCapture capture(bool audioOnly) override
    {
        ExportCapture c = FakeExportHost::capture(audioOnly);
        c.video = std::make_unique<HeldVideo>(length, released);
        return c;
    }
};

class ExportActionTest : public ::testing::Test {
protected:
    test::SettingsSandbox sandbox;
    test::TempDir dir;
    test::FakeExportHost host;
};

}  // namespace

TEST_F(ExportActionTest, VideoExportWritesSideFilesFromTheWordsOfItsStart)
{
    host.thumbnail = QImage(54, 96, QImage::Format_ARGB32);
    host.thumbnail.fill(Qt::red);
    ExportAction action(host);
    action.setExportSettings(small());
    action.setAlsoThumbnail(true);
    std::vector<double> seen;
    QObject::connect(&action, &ExportAction::stateChanged, [&] {
        if (auto p = action.exportProgress()) seen.push_back(*p);
    });

    auto out = dir / "Talk-captioned.mp4";
    action.startExport(out);
    EXPECT_TRUE(action.isExporting());
    action.startExport(dir / "second.mp4");  // ignored while one runs
    host.words = {test::timed("Edited", 0)};      // an edit made during the export
    waitForEnd(action);

    EXPECT_EQ(host.captures, 1);
    EXPECT_EQ(host.pauses, 1);
    // Whatever the export threads still had queued does not bring progress back.
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_FALSE(action.exportProgress());
    EXPECT_FALSE(action.exportError()) << action.exportError()->toStdString();
    EXPECT_EQ(action.lastExportURL(), out);
    EXPECT_FALSE(std::filesystem::exists(dir / "second.mp4"));
    EXPECT_EQ(test::streamOf(test::probe(out), "video")["width"], 480);
    EXPECT_EQ(test::readFile(dir / "Talk-captioned.srt"), "1\n00:00:00,000 --> 00:00:01,150\nHello there.\n");
    EXPECT_TRUE(QImage(QString::fromStdString((dir / "Talk-captioned.png").string())).width() == 54);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.front(), 0.0);
}

TEST_F(ExportActionTest, CancelLeavesNothingAndANewExportCanStart)
{
    HeldHost held;
    held.length = 3;
    ExportAction action(held);
    action.setExportSettings(small());
    auto out = dir / "clip.mp4";
    QObject::connect(&action, &ExportAction::stateChanged, [&] {
        if (action.exportProgress().value_or(0) > 0.1) {
            action.cancelExport();
            held.released = true;
        }
    });
    action.startExport(out);
    waitForEnd(action);
    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_FALSE(std::filesystem::exists(dir / "clip.srt"));
    EXPECT_FALSE(action.exportError());
    EXPECT_FALSE(action.exportProgress());
    EXPECT_FALSE(action.lastExportURL());

    QObject::disconnect(&action, &ExportAction::stateChanged, nullptr, nullptr);
    held.length = 0.3;
    action.startExport(out);
    EXPECT_TRUE(action.isExporting());
    waitForEnd(action);
    EXPECT_EQ(action.lastExportURL(), out);
}

TEST_F(ExportActionTest, AudioOnlyWritesSubtitlesButNoThumbnail)
{
    host.thumbnail = QImage(8, 8, QImage::Format_ARGB32);
    ExportAction action(host);
    action.setExportSettings(small(true));
    action.setAlsoThumbnail(true);
    action.startExport(dir / "Talk-audio.m4a");
    waitForEnd(action);
    EXPECT_TRUE(test::streamOf(test::probe(dir / "Talk-audio.m4a"), "video").is_null());
    EXPECT_TRUE(std::filesystem::exists(dir / "Talk-audio.srt"));
    EXPECT_FALSE(std::filesystem::exists(dir / "Talk-audio.png"));
}

TEST_F(ExportActionTest, RequestsThatCannotRun)
{
    ExportAction action(host);
    action.setExportSettings(small());

    host.info.reset();  // source not loaded yet: dropped silently
    action.startExport(dir / "a.mp4");
    EXPECT_FALSE(action.isExporting());
    EXPECT_FALSE(action.exportProgress());

    host.info = SourceVideoInfo{1080, 1920, {}, 30, 10, false};
    host.clipsLoading = true;
    action.startExport(dir / "b.mp4");
    waitForEnd(action);
    EXPECT_EQ(action.exportError(), QString("This file has no video track."));
    EXPECT_FALSE(action.lastExportURL());

    // Thumbnail asked for but none selected: no .png and no error. A new
    // export clears the last error at once.
    host.clipsLoading = false;
    action.setAlsoThumbnail(true);
    action.setAlsoSRT(false);
    action.startExport(dir / "c.mp4");
    EXPECT_FALSE(action.exportError());
    waitForEnd(action);
    EXPECT_FALSE(action.exportError());
    EXPECT_FALSE(std::filesystem::exists(dir / "c.png"));
    EXPECT_FALSE(std::filesystem::exists(dir / "c.srt"));
}

TEST_F(ExportActionTest, SettingsAreSavedOnEveryChange)
{
    ExportAction action(host);
    int changes = 0;
    QObject::connect(&action, &ExportAction::settingsChanged, [&] { ++changes; });

    QSettings().setValue("exportSettings", QByteArray("left alone"));
    action.setExportMode(ExportSettings::Mode::automatic);  // already automatic
    EXPECT_EQ(QSettings().value("exportSettings").toByteArray(), QByteArray("left alone"));

    action.setExportMode(ExportSettings::Mode::manual);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(ExportSettings::load(), action.exportSettings());
    EXPECT_EQ(action.exportSettings().resolution, 2);

    action.setManualExport(4, std::nullopt, VideoCodec::hevc);
    EXPECT_EQ(action.resolvedExport().resolutionLabel, "4K");
    EXPECT_DOUBLE_EQ(action.exportSettings().bitrate, ExportSettings::automaticBitrate(2160, 3840, 30, VideoCodec::hevc, false));

    ExportSettings audio = action.exportSettings();
    audio.audioOnly = true;
    action.setExportSettings(audio);
    host.length = 60;
    EXPECT_DOUBLE_EQ(action.estimatedExportBytes(), 1'440'000);
    action.setExportSettings(audio);  // same value: saved, not announced
    EXPECT_EQ(changes, 3);
}
