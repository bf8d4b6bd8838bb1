#include "platform/media/AudioTrackReader.h"
#include "platform/media/MediaError.h"
#include "platform/media/VideoFrameReader.h"
#include "platform/media/VideoProbe.h"
#include "support/TestSupport.h"
#include "support/TestVideos.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace vt;
using namespace vt::media;
using vt::test::run;
using vt::test::shellQuote;
using vt::test::TempDir;
using vt::test::makeCountingVideo;

namespace {

int frameNumber(const VideoFrame& f)
{
    return vt::test::countedFrame(f.pixels.data() + (f.height / 2) * f.bytesPerLine + (f.width / 2) * 4);
}

}  // namespace

TEST(VideoProbe, ReadsSizeRotationRateAndLength)
{
    TempDir dir;
    auto plain = makeCountingVideo(dir, "plain.mp4", {.rate = 25, .frames = 25});
    auto turned = vt::test::withRotateTag(plain, 90);

    auto facts = probeVideo(plain);
    ASSERT_TRUE(facts);
    EXPECT_EQ(facts->width, 64);
    EXPECT_EQ(facts->height, 48);
    EXPECT_EQ(facts->rotation, 0);
    EXPECT_NEAR(facts->nominalFrameRate, 25, 0.01);
    EXPECT_NEAR(facts->fileDuration, 1.0, 0.05);
    EXPECT_FALSE(facts->isHDR);
    EXPECT_EQ(probeVideo(turned)->rotation, 270);

    auto sound = dir / "sound.m4a";
    ASSERT_EQ(run("ffmpeg -v error -y -f lavfi -i sine=d=1 " + shellQuote(sound.string())), 0);
    EXPECT_FALSE(probeVideo(sound));
    EXPECT_NEAR(audioTrackEnd(sound).value_or(0), 1.0, 0.05);
    EXPECT_FALSE(audioTrackEnd(plain));
    auto junk = dir / "junk.mp4";
    vt::test::writeFile(junk, "not a video");
    EXPECT_THROW(probeVideo(junk), MediaError);
}

TEST(VideoFrameReader, FindsTheFrameOnScreenAtAnyTimeInAnyOrder)
{
    TempDir dir;
    // Constant 10 fps, and a variable rate: ten frames 0.1 s apart, then
    // ten 0.04 s apart from 1.0 s on.
    auto constant = makeCountingVideo(dir, "cfr.mp4");
    auto variable = makeCountingVideo(dir, "vfr.mp4", {.rate = 25, .frames = 20, .timing = "if(lt(N,10),N*0.1,1+(N-10)*0.04)"});
    struct Case {
        std::filesystem::path file;
        double time;
        int frame;
    };
    const Case cases[] = {
        {constant, 0.0, 0},  {constant, 1.55, 15}, {constant, 0.34, 3},  {constant, 0.3, 3},   {constant, 1.99, 19},
        {constant, 0.05, 0}, {constant, 1.0, 10},  {variable, 0.95, 9},  {variable, 1.05, 11}, {variable, 1.2, 15},
        {variable, 0.5, 5},  {variable, 1.37, 19}, {variable, -0.5, 0},
    };
    VideoFrameReader cfr(constant), vfr(variable);
    for (const Case& c : cases) {
        VideoFrameReader& reader = c.file == constant ? cfr : vfr;
        auto frame = reader.frameAt(c.time);
        ASSERT_TRUE(frame) << c.time;
        EXPECT_EQ(frameNumber(*frame), c.frame) << c.file.filename() << " at " << c.time;
        EXPECT_EQ(frame->width, 64);
    }
    EXPECT_FALSE(cfr.frameAt(2.5));
    EXPECT_EQ(frameNumber(*cfr.frameAt(0.72)), 7) << "a read after the end seeks back";
}

TEST(VideoFrameReader, ScalesDownWithinTheBoxAndTakesCloseFramesWithATolerance)
{
    TempDir dir;
    auto file = makeCountingVideo(dir, "cfr.mp4");
    VideoFrameReader reader(file, 32, 32);
    auto frame = reader.frameAt(0.26, 0.2);
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->width, 32);
    EXPECT_EQ(frame->height, 24);
    EXPECT_NEAR(frame->time, 0.26, 0.2);
    EXPECT_LE(std::abs(frameNumber(*frame) - 2.6), 2.0);
}

TEST(AudioTrackReader, SeeksToTheExactSampleInTheOutputRate)
{
    TempDir dir;
    // Silence until 1 s, then a tone; stored at 44.1 kHz mono, read at 48 kHz stereo.
    auto file = dir / "step.m4a";
    ASSERT_EQ(run("ffmpeg -v error -y -f lavfi -i \"aevalsrc='if(gte(t,1),0.5*sin(2*PI*440*t),0)':s=44100:d=2\" -c:a pcm_s16le " +
                  shellQuote((dir / "step.wav").string())),
              0);
    file = dir / "step.wav";
    AudioTrackReader reader(file, {48000, 2});
    reader.seek(48000 * 9 / 10);
    AudioBuffer chunk = reader.read(9600);
    ASSERT_EQ(chunk.frameLength(), 9600);
    ASSERT_EQ(chunk.planes.size(), 2u);
    int onset = -1;
    for (int i = 0; i < 9600; ++i)
        if (std::abs(chunk.planes[0][std::size_t(i)]) > 0.05f) {
            onset = i;
            break;
        }
    EXPECT_NEAR(onset, 4800, 60) << "the tone starts 0.1 s after the seek";
    EXPECT_EQ(reader.position(), 48000 * 9 / 10 + 9600);

    reader.seek(48000 * 19 / 10);
    EXPECT_NEAR(double(reader.read(48000).frameLength()), 4800, 10) << "fewer frames at the end";
    EXPECT_EQ(reader.read(100).frameLength(), 0);
    EXPECT_THROW(AudioTrackReader(dir / "missing.wav", {48000, 2}), MediaError);
}
