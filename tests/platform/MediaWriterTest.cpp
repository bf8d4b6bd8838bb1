#include "platform/media/MediaWriter.h"

#include "platform/MediaProbe.h"
#include "platform/media/MediaError.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

using namespace vt;
using namespace vt::media;

namespace {

// A moving gradient, so the encoder has something to code.
std::vector<std::uint8_t> bgraFrame(int w, int h, int index)
{
    std::vector<std::uint8_t> px(static_cast<std::size_t>(w * h * 4));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            auto* p = &px[static_cast<std::size_t>((y * w + x) * 4)];
            p[0] = static_cast<std::uint8_t>(x * 4 + index);
            p[1] = static_cast<std::uint8_t>(y * 4);
            p[2] = static_cast<std::uint8_t>(index * 8);
            p[3] = 255;
        }
    return px;
}

std::vector<std::uint16_t> rgba16Frame(int w, int h, int index)
{
    std::vector<std::uint16_t> px(static_cast<std::size_t>(w * h * 4));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            auto* p = &px[static_cast<std::size_t>((y * w + x) * 4)];
            p[0] = static_cast<std::uint16_t>(x * 1000 + index * 300);
            p[1] = static_cast<std::uint16_t>(y * 1000);
            p[2] = 20000;
            p[3] = 65535;
        }
    return px;
}

AudioBuffer tone(double seconds)
{
    AudioBuffer b(MediaWriter::audioFormat(), static_cast<std::int64_t>(seconds * 48000));
    for (std::size_t i = 0; i < b.planes[0].size(); ++i)
        b.planes[0][i] = b.planes[1][i] = 0.3f * static_cast<float>(std::sin(i * 2 * M_PI * 440 / 48000));
    return b;
}

void writeFrames(MediaWriter& writer, const VideoEncoding& e, int count)
{
    for (int i = 0; i < count; ++i) {
        if (e.hdr) {
            auto px = rgba16Frame(e.width, e.height, i);
            writer.writeVideo({reinterpret_cast<const std::uint8_t*>(px.data()), e.width, e.height, e.width * 8,
                               FrameView::Layout::rgba16});
        } else {
            auto px = bgraFrame(e.width, e.height, i);
            writer.writeVideo({px.data(), e.width, e.height, e.width * 4, FrameView::Layout::bgra8});
        }
    }
}

std::size_t filesIn(const std::filesystem::path& folder)
{
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

}  // namespace

TEST(MediaWriter, WritesTaggedVideoWithAudio)
{
    struct Case {
        const char* name;
        VideoEncoding encoding;
        const char* codec;
        const char* profile;
        const char* pixelFormat;
        const char* primaries;
        const char* transfer;
        const char* matrix;
    };
    const Case cases[] = {
        {"H.264 SDR", {64, 48, 30, 1'000'000, WriterCodec::h264, false}, "h264", "High", "yuv420p", "bt709", "bt709", "bt709"},
        {"HEVC SDR", {64, 48, 25, 1'000'000, WriterCodec::hevc, false}, "hevc", "Main", "yuv420p", "bt709", "bt709", "bt709"},
        {"HEVC HDR", {64, 48, 30, 1'000'000, WriterCodec::h264, true}, "hevc", "Main 10", "yuv420p10le", "bt2020",
         "arib-std-b67", "bt2020nc"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempDir dir;
        auto out = dir / "clip.mp4";
        {
            MediaWriter writer(out, WriterContainer::mp4, c.encoding, true);
            EXPECT_FALSE(std::filesystem::exists(out)) << "nothing at the target before the end";
            writeFrames(writer, c.encoding, 15);
            writer.writeAudio(tone(0.5));
            writer.finish();
            EXPECT_EQ(writer.videoFramesWritten(), 15);
        }
        auto probed = test::probe(out);
        auto v = test::streamOf(probed, "video");
        auto a = test::streamOf(probed, "audio");
        ASSERT_TRUE(v.is_object());
        ASSERT_TRUE(a.is_object());
        EXPECT_EQ(v["codec_name"], c.codec);
        EXPECT_EQ(v["profile"], c.profile);
        EXPECT_EQ(v["pix_fmt"], c.pixelFormat);
        EXPECT_EQ(v["color_primaries"], c.primaries);
        EXPECT_EQ(v["color_transfer"], c.transfer);
        EXPECT_EQ(v["color_space"], c.matrix);
        EXPECT_EQ(v["width"], 64);
        EXPECT_EQ(v["height"], 48);
        EXPECT_EQ(v["nb_read_frames"], "15");
        EXPECT_EQ(v["avg_frame_rate"], std::to_string(c.encoding.fps) + "/1");
        if (std::string(c.codec) == "hevc") {
            EXPECT_EQ(v["codec_tag_string"], "hvc1");
        }
        EXPECT_EQ(a["codec_name"], "aac");
        EXPECT_EQ(a["sample_rate"], "48000");
        EXPECT_EQ(a["channels"], 2);
        EXPECT_NEAR(std::stod(a["duration"].get<std::string>()), 0.5, 0.03);
        EXPECT_EQ(filesIn(dir.path()), 1u) << "no temporary file left behind";
    }
}

TEST(MediaWriter, KeyFrameAtLeastEveryTwoSeconds)
{
    test::TempDir dir;
    VideoEncoding e{64, 48, 10, 500'000, WriterCodec::h264, false};
    MediaWriter writer(dir / "gop.mp4", WriterContainer::mp4, e, false);
    writeFrames(writer, e, 45);
    writer.finish();
    auto keys = test::keyFrameTimes(dir / "gop.mp4");
    ASSERT_GE(keys.size(), 3u);
    for (std::size_t i = 1; i < keys.size(); ++i) EXPECT_LE(keys[i] - keys[i - 1], 2.0 + 1e-6);
    EXPECT_TRUE(test::streamOf(test::probe(dir / "gop.mp4"), "audio").is_null());
}

TEST(MediaWriter, WritesAudioOnlyM4A)
{
    test::TempDir dir;
    auto out = dir / "voice.m4a";
    {
        MediaWriter writer(out, WriterContainer::m4a, std::nullopt, true);
        for (int i = 0; i < 4; ++i) writer.writeAudio(tone(0.25));
        writer.finish();
    }
    auto probed = test::probe(out);
    EXPECT_TRUE(test::streamOf(probed, "video").is_null());
    EXPECT_EQ(test::streamOf(probed, "audio")["codec_name"], "aac");
    EXPECT_EQ(probed["format"]["tags"]["major_brand"], "M4A ");
    EXPECT_NEAR(std::stod(probed["format"]["duration"].get<std::string>()), 1.0, 0.05);
}

TEST(MediaWriter, UnfinishedWriteLeavesTheEarlierFileAndNoPartialFile)
{
    test::TempDir dir;
    auto out = dir / "keep.mp4";
    test::writeFile(out, "an earlier export");
    {
        VideoEncoding e{64, 48, 30, 1'000'000, WriterCodec::h264, false};
        MediaWriter writer(out, WriterContainer::mp4, e, true);
        writeFrames(writer, e, 5);
        // Destroyed without finish(): an error or a cancel on the way.
    }
    EXPECT_EQ(test::readFile(out), "an earlier export");
    EXPECT_EQ(filesIn(dir.path()), 1u);

    // A writer that cannot even start leaves nothing either.
    EXPECT_THROW(MediaWriter(dir / "odd.mp4", WriterContainer::mp4, VideoEncoding{63, 47, 30, 1'000'000}, true),
                 MediaError);
    EXPECT_THROW(MediaWriter(dir / "missing" / "x.mp4", WriterContainer::mp4, std::nullopt, true), MediaError);
    EXPECT_EQ(filesIn(dir.path()), 1u);
}

// Flat colours come out in BT.709 video range whether the picture is at the
// track's size (converted directly) or scaled to it on the way: the decoded
// Y'CbCr of each frame's centre is the standard value for its colour.
TEST(MediaWriter, ColoursArriveInBT709VideoRange)
{
    struct Colour {
        std::uint8_t r, g, b;
        int y, cb, cr;
    };
    const Colour colours[] = {
        {255, 255, 255, 235, 128, 128}, {0, 0, 0, 16, 128, 128},   {255, 0, 0, 63, 102, 240},
        {0, 255, 0, 173, 42, 26},       {0, 0, 255, 32, 240, 118}, {128, 128, 128, 126, 128, 128},
    };
    const VideoEncoding e{64, 48, 30, 4'000'000, WriterCodec::h264, false};
    for (const auto& [w, h] : {std::pair(64, 48), std::pair(32, 24)}) {
        SCOPED_TRACE(w);
        test::TempDir dir;
        {
            MediaWriter writer(dir / "flat.mp4", WriterContainer::mp4, e, false);
            for (const Colour& c : colours) {
                std::vector<std::uint8_t> px(static_cast<std::size_t>(w * h * 4));
                for (std::size_t i = 0; i < px.size(); i += 4) {
                    px[i] = c.b;
                    px[i + 1] = c.g;
                    px[i + 2] = c.r;
                    px[i + 3] = 255;
                }
                writer.writeVideo({px.data(), w, h, w * 4});
            }
            writer.finish();
        }
        const std::string raw = test::commandOutput("ffmpeg -v error -i " + test::shellQuote((dir / "flat.mp4").string()) +
                                                    " -f rawvideo -pix_fmt yuv420p -");
        const std::size_t lumaSize = 64 * 48, frameBytes = lumaSize * 3 / 2;
        ASSERT_EQ(raw.size(), frameBytes * std::size(colours));
        for (std::size_t k = 0; k < std::size(colours); ++k) {
            SCOPED_TRACE(k);
            const auto at = [&](std::size_t offset) { return int(static_cast<std::uint8_t>(raw[k * frameBytes + offset])); };
            EXPECT_NEAR(at(24 * 64 + 32), colours[k].y, 2);
            EXPECT_NEAR(at(lumaSize + 12 * 32 + 16), colours[k].cb, 2);
            EXPECT_NEAR(at(lumaSize + lumaSize / 4 + 12 * 32 + 16), colours[k].cr, 2);
        }
    }
}
