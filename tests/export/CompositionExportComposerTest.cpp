#include "export/CompositionExportComposer.h"

#include "captions/CaptionRenderer.h"
#include "export/Exporter.h"
#include "export/HlgPicture.h"
#include "platform/MediaProbe.h"
#include "support/CaptionLines.h"
#include "support/TestSupport.h"
#include "support/TestVideos.h"

#include <gtest/gtest.h>

#include <QImage>

#include <cmath>
#include <cstdlib>
#include <set>
#include <sstream>
#include <string>
#include <vector>

using namespace vt;

namespace {

// The share of a picture's pixels whose green differs by more than 40 from
// its top-left corner's, where no caption goes.
double offGreyShare(const QImage& picture)
{
    const int grey = qGreen(picture.pixel(0, 0));
    int off = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (std::abs(qGreen(picture.pixel(x, y)) - grey) > 40) ++off;
    return double(off) / (picture.width() * picture.height());
}

QImage decodedFrame(const std::filesystem::path& video, double seconds, const std::filesystem::path& png)
{
    EXPECT_EQ(test::run("ffmpeg -v error -y -ss " + std::to_string(seconds) + " -i " + test::shellQuote(video.string()) +
                        " -frames:v 1 " + test::shellQuote(png.string())),
              0);
    return QImage(QString::fromStdString(png.string())).convertToFormat(QImage::Format_RGB32);
}

// An export of one 2 s clip, cut by `plan`.
ExportRequest oneClipProject(const std::filesystem::path& source, const EditPlan& plan)
{
    ExportRequest request;
    ClipMedia clip;
    clip.id = Uuid::random();
    clip.url = source;
    clip.info = MediaLoading::loadSourceVideoInfo(clip.url);
    clip.duration = 2.0;
    request.clips = {clip};
    request.snapshot.plan = plan;
    return request;
}

// A moving test picture, cut twice, with a caption line popping in word by
// word: every frame differs from its neighbours.
ExportRequest movingCaptionedProject(const std::filesystem::path& source)
{
    EXPECT_EQ(test::run("ffmpeg -v error -y -f lavfi -i testsrc2=s=96x160:r=30:d=2 -c:v libx264 -pix_fmt yuv420p " +
                        test::shellQuote(source.string())),
              0);
    ExportRequest request = oneClipProject(source, test::keptPlan({{0, 0.7}, {0.9, 1.5}, {1.6, 2.0}}));
    request.snapshot.groups = {test::captionLine({"EVERY", "FRAME", "COUNTS"}, 0.1)};
    request.snapshot.style.animation = EntranceAnimation::pop;
    return request;
}

// One MD5 line per decoded frame of a video.
std::vector<std::string> frameHashes(const std::filesystem::path& video)
{
    std::vector<std::string> hashes;
    std::istringstream lines(test::commandOutput("ffmpeg -v error -i " + test::shellQuote(video.string()) + " -f framemd5 -"));
    for (std::string line; std::getline(lines, line);)
        if (!line.empty() && line[0] != '#') hashes.push_back(line.substr(line.rfind(',') + 1));
    return hashes;
}

}  // namespace

// Frames composed on several threads ahead of the encoder are the frames
// composed one after the other, in the same order: the two files decode to
// the same pictures, frame for frame.
TEST(CompositionExportComposer, ParallelComposingGivesTheSequentialFrames)
{
    test::TempDir dir;
    const ExportRequest request = movingCaptionedProject(dir / "clip.mp4");
    const ExportSettings::Resolved settings{{96, 160}, 30, 1, VideoCodec::h264, false, "160p"};
    CompositionExportComposer composer;
    std::vector<std::vector<std::string>> exports;
    for (int workers : {1, 4}) {
        const auto out = dir / ("out" + std::to_string(workers) + ".mp4");
        auto video = composer.video(request);
        Exporter::exportVideo(*video, nullptr, settings, out, {}, CancelToken(), workers);
        exports.push_back(frameHashes(out));
    }
    EXPECT_EQ(exports[0].size(), 51u);
    EXPECT_EQ(exports[1], exports[0]);
    EXPECT_GT(std::set<std::string>(exports[0].begin(), exports[0].end()).size(), 30u) << "the frames differ";
}

// What prepare() reads is all a frame needs: its composing functions, run
// in any order, draw the pictures frame() draws.
TEST(CompositionExportComposer, PreparedFramesComposeAloneInAnyOrder)
{
    test::TempDir dir;
    const ExportRequest request = movingCaptionedProject(dir / "clip.mp4");
    CompositionExportComposer composer;
    auto inOrder = composer.video(request);
    auto prepared = composer.video(request);
    const QSize size(96, 160);
    std::vector<QImage> expected;
    std::vector<ComposedVideo::Composing> composing;
    for (int k = 0; k < 12; ++k) {
        expected.push_back(inOrder->frame(k * 0.1, size, false));
        composing.push_back(prepared->prepare(k * 0.1, size, false));
    }
    for (int k = 11; k >= 0; --k) EXPECT_EQ(composing[std::size_t(k)](), expected[std::size_t(k)]) << k;
}

// The caption images kept for reuse serve frames of one size only: an
// export's own go with it, so they do not stay resident after it.
TEST(CompositionExportComposer, LetsGoOfItsDrawnCaptionsWhenDone)
{
    test::TempDir dir;
    const ExportRequest request = movingCaptionedProject(dir / "clip.mp4");
    const QSize size(96, 160);
    const auto drawn = [&] {
        return CaptionRenderer::captionLayer(request.snapshot.groups, request.snapshot.style, 0.5, size)->image;
    };
    const QImage first = drawn();
    ASSERT_EQ(drawn().cacheKey(), first.cacheKey()) << "a caption drawn again is reused";
    {
        CompositionExportComposer composer;
        auto video = composer.video(request);
        video->frame(0.5, size, false);
    }
    EXPECT_NE(drawn().cacheKey(), first.cacheKey());
}

// A 2 s clip with a tone, cut to 1.6 s, with one caption line from 0.5 s:
// the file is as long as the cut, has sound, and shows the caption only
// while the line is on (the source picture is one flat grey); in standard
// range and in HDR.
TEST(CompositionExportComposer, ExportsTheCutWithCaptionsAndSound)
{
    struct Case {
        bool hdr;
        const char* codec;
        const char* pixelFormat;
        const char* transfer;
    };
    for (const Case c : {Case{false, "h264", "yuv420p", "bt709"}, Case{true, "hevc", "yuv420p10le", "arib-std-b67"}}) {
        SCOPED_TRACE(c.codec);
        test::TempDir dir;
        const auto source = dir / "clip.mp4";
        ASSERT_EQ(test::run("ffmpeg -v error -y -f lavfi -i color=c=gray:s=90x160:r=30:d=2 -f lavfi -i sine=f=440:d=2 "
                            "-c:v libx264 -pix_fmt yuv420p -c:a aac -ar 48000 " + test::shellQuote(source.string())),
                  0);

        ExportRequest request = oneClipProject(source, test::keptPlan({{0, 0.8}, {1.2, 2.0}}));
        request.snapshot.groups = {test::captionLine({"HELLO", "WORLD"}, 0.5)};
        request.speechSpans = ExportRequest::speechSpansOf(request.snapshot.groups);

        CompositionExportComposer composer;
        auto video = composer.video(request);
        auto audio = composer.audio(request, true);
        const ExportSettings::Resolved settings{{180, 320}, 30, 1, c.hdr ? VideoCodec::hevc : VideoCodec::h264, c.hdr, "320p"};
        Exporter::exportVideo(*video, audio.get(), settings, dir / "out.mp4", {}, CancelToken());

        const auto probed = test::probe(dir / "out.mp4");
        const auto v = test::streamOf(probed, "video");
        const auto a = test::streamOf(probed, "audio");
        EXPECT_EQ(v["codec_name"], c.codec);
        EXPECT_EQ(v["pix_fmt"], c.pixelFormat);
        EXPECT_EQ(v["color_transfer"], c.transfer);
        EXPECT_EQ(v["width"], 180);
        EXPECT_EQ(v["height"], 320);
        EXPECT_EQ(v["nb_read_frames"], "48");
        EXPECT_NEAR(std::stod(v["duration"].get<std::string>()), 1.6, 0.04);
        EXPECT_EQ(a["codec_name"], "aac");
        EXPECT_NEAR(std::stod(a["duration"].get<std::string>()), 1.6, 0.05);

        EXPECT_LT(offGreyShare(decodedFrame(dir / "out.mp4", 0.2, dir / "before.png")), 0.001);
        EXPECT_GT(offGreyShare(decodedFrame(dir / "out.mp4", 0.9, dir / "during.png")), 0.003);
    }
}

// Standard white sits at 75 % of the HLG signal, black at 0, and a pure
// BT.709 red keeps some green and blue once expressed in BT.2020 primaries.
TEST(CompositionExportComposer, HDRFramesCarryStandardPicturesIntoHLG)
{
    QImage picture(3, 1, QImage::Format_ARGB32_Premultiplied);
    picture.setPixel(0, 0, qRgb(255, 255, 255));
    picture.setPixel(1, 0, qRgb(0, 0, 0));
    picture.setPixel(2, 0, qRgb(255, 0, 0));
    const QImage hlg = HlgPicture::fromStandard(picture);
    ASSERT_EQ(hlg.format(), QImage::Format_RGBX64);
    const auto* px = reinterpret_cast<const QRgba64*>(hlg.constScanLine(0));
    EXPECT_NEAR(px[0].red() / 65535.0, 0.75, 0.005);
    EXPECT_EQ(px[0].red(), px[0].blue());
    EXPECT_EQ(px[1].green(), 0);
    EXPECT_GT(px[2].red(), px[2].green());
    EXPECT_GT(px[2].green(), 0);
    EXPECT_LT(px[2].red(), px[0].red());
}
