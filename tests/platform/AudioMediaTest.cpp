#include "platform/media/AudioAsset.h"
#include "platform/media/AudioConverter.h"
#include "platform/media/AudioFileReader.h"
#include "platform/media/MediaError.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace vt;
using namespace vt::media;
using vt::test::run;
using vt::test::shellQuote;
using vt::test::TempDir;

namespace {

// Reads a whole file through the reader.
AudioBuffer readAll(AudioFileReader& reader)
{
    AudioBuffer all(reader.processingFormat(), 0);
    for (;;) {
        AudioBuffer chunk = reader.read(10'000);
        if (chunk.frameLength() == 0) break;
        for (std::size_t c = 0; c < all.planes.size(); ++c)
            all.planes[c].insert(all.planes[c].end(), chunk.planes[c].begin(), chunk.planes[c].end());
    }
    return all;
}

double rms(const std::vector<float>& samples, std::size_t from, std::size_t to)
{
    double sum = 0;
    for (std::size_t i = from; i < to; ++i) sum += double(samples[i]) * samples[i];
    return std::sqrt(sum / double(to - from));
}

// 1 s of silence, then 1 s of a 440 Hz tone, under 2 s of picture; the sound
// starts `soundStart` seconds into the file.
std::filesystem::path makeVideo(const TempDir& dir, bool withAudio, int rate = 44100, int channels = 2,
                                const std::string& codec = "aac", double soundStart = 0)
{
    auto out = dir / (withAudio ? "with-audio-" + codec + ".mov" : "silent.mp4");
    std::string cmd = "ffmpeg -v error -y -f lavfi -i testsrc=size=64x48:rate=10:duration=2 ";
    if (withAudio)
        cmd += "-itsoffset " + std::to_string(soundStart) + " -f lavfi -i \"aevalsrc='if(gte(t,1),0.5*sin(2*PI*440*t),0)':s=" +
               std::to_string(rate) + ":c=" + (channels == 2 ? "stereo" : "mono") + ":d=2\" -c:a " + codec + " ";
    cmd += "-c:v libx264 -preset ultrafast -pix_fmt yuv420p " + shellQuote(out.string());
    EXPECT_EQ(run(cmd), 0) << cmd;
    return out;
}

}  // namespace

TEST(AudioAsset, ExportsTheAudioTrackWithItsTiming)
{
    // AAC is copied as it is; other sound is encoded. Sound that starts
    // after the picture keeps its place in the file's time.
    struct Case {
        std::string codec;
        double soundStart;
    } cases[] = {{"aac", 0}, {"pcm_s16le", 0}, {"aac", 0.5}, {"pcm_s16le", 0.5}};
    for (const Case& c : cases) {
        const std::string& codec = c.codec;
        const double soundStart = c.soundStart;
        TempDir dir;
        auto video = makeVideo(dir, true, 44100, 2, codec, soundStart);
        AudioAsset asset(video);
        ASSERT_EQ(asset.audioTrackCount(), 1);
        ASSERT_TRUE(asset.canExportM4A());
        auto out = dir / "audio.m4a";
        asset.exportM4A(out);

        AudioFileReader reader(out);
        const std::string name = codec + " from " + std::to_string(soundStart) + " s";
        EXPECT_EQ(reader.processingFormat(), (AudioFormat{44100, 2})) << name;
        AudioBuffer all = readAll(reader);
        EXPECT_NEAR(double(all.frameLength()) / 44100, 2.0 + soundStart, 0.05) << name;
        const auto& left = all.planes[0];
        const auto at = [&](double seconds) { return std::size_t((seconds + soundStart) * 44100); };
        EXPECT_LT(rms(left, at(0.1), at(0.9)), 0.01) << name;  // silence
        EXPECT_GT(rms(left, at(1.1), at(1.9)), 0.3) << name;   // the tone
        EXPECT_LT(rms(left, at(0.96), at(0.99)), 0.01) << name;  // starting on time, not early
    }
}

TEST(AudioAsset, AVideoCutShortIsAnErrorNotAShorterTrack)
{
    // Sound copied as it is and sound encoded again, in files whose index is
    // in front, as a camera writes them: a cut loses only the end of the data,
    // and some of the sound, which outlasts the picture.
    for (const std::string codec : {"aac", "pcm_s16le"}) {
        TempDir dir;
        const auto whole = dir / "whole.mov";
        ASSERT_EQ(run("ffmpeg -v error -y -f lavfi -i testsrc=size=64x48:rate=10:duration=2 -f lavfi -i sine=frequency=300:duration=3 "
                      "-c:v libx264 -preset ultrafast -pix_fmt yuv420p -c:a " + codec + " -movflags +faststart " +
                      shellQuote(whole.string())),
                  0);
        AudioAsset(whole).exportM4A(dir / "whole.m4a");
        AudioFileReader reader(dir / "whole.m4a");
        EXPECT_NEAR(double(readAll(reader).frameLength()) / reader.processingFormat().sampleRate, 3.0, 0.05) << codec;

        const auto size = std::filesystem::file_size(whole);
        for (int percent : {30, 45, 55, 65, 85, 95}) {
            const auto cut = dir / ("cut-" + std::to_string(percent) + ".mov");
            std::filesystem::copy_file(whole, cut);
            std::filesystem::resize_file(cut, size * percent / 100);
            const auto out = dir / ("cut-" + std::to_string(percent) + ".m4a");
            EXPECT_THROW(AudioAsset(cut).exportM4A(out), MediaError) << codec << " cut at " << percent << " %";
            EXPECT_FALSE(std::filesystem::exists(out));
        }
    }
}

TEST(AudioAsset, AFileWithoutAudioHasNothingToExport)
{
    TempDir dir;
    AudioAsset asset(makeVideo(dir, false));
    EXPECT_EQ(asset.audioTrackCount(), 0);
    EXPECT_FALSE(asset.canExportM4A());
    EXPECT_THROW(asset.exportM4A(dir / "none.m4a"), MediaError);
    EXPECT_FALSE(std::filesystem::exists(dir / "none.m4a"));
}

TEST(AudioAsset, NotAMediaFileIsAnError)
{
    TempDir dir;
    vt::test::writeFile(dir / "notes.mp4", "this is not a video");
    EXPECT_THROW(AudioAsset(dir / "notes.mp4"), MediaError);
    EXPECT_THROW(AudioAsset(dir / "missing.mp4"), MediaError);
}

TEST(AudioAsset, CancelledExportLeavesNoFile)
{
    TempDir dir;
    AudioAsset asset(makeVideo(dir, true));
    CancelToken cancel;
    cancel.cancel();
    EXPECT_THROW(asset.exportM4A(dir / "audio.m4a", cancel), CancellationError);
    EXPECT_FALSE(std::filesystem::exists(dir / "audio.m4a"));
}

TEST(AudioFileReader, TruncatedAudioIsAnErrorNotAShortRead)
{
    TempDir dir;
    for (const char* name : {"tone.wav", "tone.m4a"}) {
        auto file = dir / name;
        // The index stays in front (faststart), so the cut loses samples only.
        ASSERT_EQ(run("ffmpeg -v error -y -f lavfi -i sine=frequency=300:sample_rate=16000:duration=4 -movflags +faststart " +
                      shellQuote(file.string())),
                  0);
        const auto size = std::filesystem::file_size(file);
        // The whole file reads to its end.
        {
            AudioFileReader reader(file);
            EXPECT_NEAR(double(readAll(reader).frameLength()), 64'000, 1'100) << name;
            EXPECT_TRUE(reader.atEnd());
        }
        std::filesystem::resize_file(file, size / 2);
        AudioFileReader reader(file);
        EXPECT_THROW(readAll(reader), MediaError) << name;
    }
}

TEST(AudioConverter, LowRatesComeOutWholeAfterFlushing)
{
    // Capacities well below what the rate ratio needs, as a fixed-size output
    // would be, still lose nothing: the converter keeps the rest until flushed.
    for (int rate : {8000, 11025, 44100}) {
        AudioConverter converter({rate, 2}, {16000, 1});
        AudioBuffer input({rate, 2}, rate);  // 1 s
        for (std::int64_t i = 0; i < rate; ++i) input.planes[0][i] = input.planes[1][i] = 0.25f;
        std::int64_t total = 0;
        for (int second = 0; second < 5; ++second) total += converter.convert(input, 4096).frameLength();
        for (;;) {
            auto rest = converter.flush(4096);
            if (rest.frameLength() == 0) break;
            total += rest.frameLength();
        }
        EXPECT_NEAR(double(total), 80'000, 20) << rate;
    }
    EXPECT_THROW(AudioConverter({0, 1}, {16000, 1}), MediaError);
}
