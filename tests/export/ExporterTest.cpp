#include "export/Exporter.h"

#include "export/GeneratedSources.h"
#include "platform/MediaProbe.h"
#include "speech/CaptionError.h"
#include "support/TestSupport.h"

#include <QColor>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <mutex>
#include <stdexcept>
#include <string>
#include <vector>

using namespace vt;
using vt::test::PaintedVideo;
using vt::test::ToneMix;

namespace {

ExportSettings::Resolved small(bool hdr = false)
{
    return {{96, 160}, 30, 1, hdr ? VideoCodec::hevc : VideoCodec::h264, hdr, "480p"};
}

// Records every progress value, from whichever thread.
struct ProgressLog {
    std::mutex lock;
    std::vector<double> values;
    Exporter::Progress callback()
    {
        return [this](double v) {
            std::lock_guard guard(lock);
            values.push_back(v);
        };
    }
};

double seconds(const nlohmann::json& stream) { return std::stod(stream["duration"].get<std::string>()); }

}  // namespace

TEST(Exporter, VideoWithSoundFromEveryFrame)
{
    test::TempDir dir;
    PaintedVideo video(1.0);
    ToneMix mix(1.0);
    ProgressLog progress;
    Exporter::exportVideo(video, &mix, small(), dir / "out.mp4", progress.callback(), CancelToken());

    auto probed = test::probe(dir / "out.mp4");
    auto v = test::streamOf(probed, "video");
    auto a = test::streamOf(probed, "audio");
    EXPECT_EQ(v["codec_name"], "h264");
    EXPECT_EQ(v["profile"], "High");
    EXPECT_EQ(v["width"], 96);
    EXPECT_EQ(v["height"], 160);
    EXPECT_EQ(v["nb_read_frames"], "30");
    EXPECT_EQ(v["color_primaries"], "bt709");
    EXPECT_EQ(a["codec_name"], "aac");
    EXPECT_NEAR(seconds(a), 1.0, 0.05);

    ASSERT_FALSE(progress.values.empty());
    EXPECT_EQ(progress.values.back(), 1.0);
    EXPECT_EQ(std::count(progress.values.begin(), progress.values.end(), 1.0), 1);
    for (std::size_t i = 0; i + 1 < progress.values.size(); ++i) EXPECT_LE(progress.values[i], 0.999);
}

TEST(Exporter, HDRAndSilentExports)
{
    test::TempDir dir;
    PaintedVideo video(0.5);
    ToneMix silent(0.5, false);
    Exporter::exportVideo(video, &silent, small(true), dir / "hdr.mp4", {}, CancelToken());
    auto probed = test::probe(dir / "hdr.mp4");
    auto v = test::streamOf(probed, "video");
    EXPECT_EQ(v["codec_name"], "hevc");
    EXPECT_EQ(v["profile"], "Main 10");
    EXPECT_EQ(v["pix_fmt"], "yuv420p10le");
    EXPECT_EQ(v["color_transfer"], "arib-std-b67");
    EXPECT_EQ(v["nb_read_frames"], "15");
    EXPECT_TRUE(test::streamOf(probed, "audio").is_null()) << "a mix without sound gives a video-only file";

    PaintedVideo again(0.2);
    Exporter::exportVideo(again, nullptr, small(), dir / "noaudio.mp4", {}, CancelToken());
    EXPECT_TRUE(test::streamOf(test::probe(dir / "noaudio.mp4"), "audio").is_null());
}

namespace {

// Frames in a grey that tells their number, counting those read so far (a
// frame is read, decoded in the program, before it can be composed).
class CountedReads : public ComposedVideo {
public:
    explicit CountedReads(int frames) : frames_(frames) {}
    double duration() const override { return frames_ / 30.0; }
    QImage frame(double seconds, QSize size, bool) override
    {
        ++read_;
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        const int level = greyOf(static_cast<int>(std::lround(seconds * 30)));
        image.fill(QColor(level, level, level));
        return image;
    }
    int read() const { return read_; }
    static int greyOf(int frame) { return 4 + 8 * frame; }

private:
    int frames_;
    std::atomic<int> read_{0};
};

// The mean luma (video range) of every frame of a video, in order.
std::vector<int> meanLumas(const std::filesystem::path& video)
{
    // Two by two pixels in 4:2:0: four luma bytes, then one of each chroma.
    const std::string raw = test::commandOutput("ffmpeg -v error -i " + test::shellQuote(video.string()) +
                                                " -vf scale=2:2:flags=area -pix_fmt yuv420p -f rawvideo -");
    std::vector<int> lumas;
    for (std::size_t at = 0; at + 6 <= raw.size(); at += 6) lumas.push_back(static_cast<unsigned char>(raw[at]));
    return lumas;
}

}  // namespace

// Composing is far quicker than encoding here, so frames would pile up
// ahead of the encoder as deep as the export lets them: it keeps one ready
// beside one per composing thread, as the encoder holds frames of its own.
// The file still has every frame, in order, with one composing thread as
// with more threads than a small bound would seem to allow.
TEST(Exporter, KeepsFewFramesAheadOfTheEncoder)
{
    constexpr int frames = 30;
    for (const int workers : {1, 2, 6}) {
        SCOPED_TRACE(std::to_string(workers) + " composing threads");
        test::TempDir dir;
        CountedReads video(frames);
        int taken = 0, mostAhead = 0;
        // Progress comes once per frame right after the encoder takes it, from
        // the one thread that takes them, so the count there is exact.
        const Exporter::Progress progress = [&](double done) {
            if (done >= 1.0) return;  // the file completed
            ++taken;
            mostAhead = std::max(mostAhead, video.read() - taken);
        };
        const ExportSettings::Resolved settings{{360, 640}, 30, 2, VideoCodec::h264, false, "640p"};
        Exporter::exportVideo(video, nullptr, settings, dir / "out.mp4", progress, CancelToken(), workers);
        EXPECT_EQ(video.read(), frames);
        EXPECT_LE(mostAhead, workers + 1);

        const std::vector<int> lumas = meanLumas(dir / "out.mp4");
        ASSERT_EQ(lumas.size(), std::size_t(frames));
        for (int k = 0; k < frames; ++k)
            EXPECT_NEAR(lumas[k], 16 + CountedReads::greyOf(k) * 219 / 255, 2) << "frame " << k;
    }
}

TEST(Exporter, CancelOrFailureLeavesNothingAndKeepsAnEarlierFile)
{
    struct Case {
        const char* name;
        int failAtFrame;       // -1: no failure
        bool cancelMidway;
        bool cancelBefore;
        bool composedOnWorkers = false;
    };
    const Case cases[] = {
        {"cancelled while pumping", -1, true, false},
        {"cancelled while composing on workers", -1, true, false, true},
        {"cancelled before the start", -1, false, true},
        {"compositor fails", 10, false, false},
        {"composing fails on a worker", 10, false, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempDir dir;
        auto out = dir / "clip.mp4";
        test::writeFile(out, "earlier");
        PaintedVideo video(2.0, c.failAtFrame, c.composedOnWorkers);
        ToneMix mix(2.0);
        CancelToken cancel;
        if (c.cancelBefore) cancel.cancel();
        ProgressLog log;
        auto progress = [&](double v) {
            log.callback()(v);
            if (c.cancelMidway && v > 0.2) cancel.cancel();
        };
        if (c.failAtFrame >= 0) {
            try {
                Exporter::exportVideo(video, &mix, small(), out, progress, cancel);
                FAIL() << "no error";
            } catch (const CaptionError& e) {
                EXPECT_EQ(std::string(e.what()), "Export failed: The compositor gave up.");
            }
        } else {
            EXPECT_THROW(Exporter::exportVideo(video, &mix, small(), out, progress, cancel), CancellationError);
        }
        EXPECT_EQ(test::readFile(out), "earlier");
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
        EXPECT_EQ(std::count(log.values.begin(), log.values.end(), 1.0), 0);
        EXPECT_LT(video.calls(), 60) << "stopped before the end";
        if (c.cancelBefore) {
            EXPECT_EQ(video.calls(), 0);
        }
    }
}

TEST(Exporter, AudioOnly)
{
    test::TempDir dir;
    ToneMix mix(1.5);
    ProgressLog progress;
    test::writeFile(dir / "voice.m4a", "old");
    Exporter::exportAudio(mix, dir / "voice.m4a", progress.callback(), CancelToken());
    auto probed = test::probe(dir / "voice.m4a");
    EXPECT_TRUE(test::streamOf(probed, "video").is_null());
    EXPECT_EQ(test::streamOf(probed, "audio")["codec_name"], "aac");
    EXPECT_NEAR(std::stod(probed["format"]["duration"].get<std::string>()), 1.5, 0.05);
    EXPECT_EQ(progress.values.back(), 1.0);
    EXPECT_GT(progress.values.size(), 2u);

    ToneMix none(1.0, false);
    try {
        Exporter::exportAudio(none, dir / "none.m4a", {}, CancelToken());
        FAIL() << "no error";
    } catch (const CaptionError& e) {
        EXPECT_EQ(e.kind(), CaptionError::Case::noAudioTrack);
        EXPECT_EQ(std::string(e.what()), "This file has no audio to transcribe.");
    }
    ToneMix more(3.0);
    CancelToken cancel;
    EXPECT_THROW(Exporter::exportAudio(more, dir / "voice.m4a", [&](double v) { if (v > 0.3) cancel.cancel(); }, cancel),
                 CancellationError);
    EXPECT_NEAR(std::stod(test::probe(dir / "voice.m4a")["format"]["duration"].get<std::string>()), 1.5, 0.05)
        << "the earlier export is untouched";
    EXPECT_FALSE(std::filesystem::exists(dir / "none.m4a"));
}
