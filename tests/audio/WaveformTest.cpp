#include "audio/Waveform.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace vt;
using vt::test::run;
using vt::test::shellQuote;
using vt::test::TempDir;

namespace {

std::filesystem::path makeSound(const TempDir& dir, const std::string& name, const std::string& source)
{
    auto out = dir / name;
    EXPECT_EQ(run("ffmpeg -v error -y -f lavfi -i \"" + source + "\" " + shellQuote(out.string())), 0);
    return out;
}

}  // namespace

TEST(Waveform, GivesFiftyNormalisedPeaksASecond)
{
    TempDir dir;
    struct Case {
        std::string source;
        std::size_t count;
    };
    // 16,000 samples at 8 kHz give 100 peaks; one more sample gives 101.
    const Case cases[] = {
        {"aevalsrc='0.5*sin(2*PI*300*t)':s=8000:d=2", 100},
        {"aevalsrc='0.5*sin(2*PI*300*t)':s=8000:d=3,atrim=end_sample=16001", 101},
        {"sine=f=440:r=44100:d=1.25", 63},
    };
    int k = 0;
    for (const Case& c : cases) {
        const auto peaks = Waveform::peaks(makeSound(dir, "s" + std::to_string(k++) + ".wav", c.source));
        EXPECT_EQ(peaks.size(), c.count) << c.source;
        EXPECT_NEAR(*std::max_element(peaks.begin(), peaks.end()), 1.0, 1e-6);
    }
}

TEST(Waveform, LoudnessIsRelativeToThe98thPercentile)
{
    TempDir dir;
    // 1 s at a quarter of the level, then 1 s at full level: the quiet part
    // reads √¼ = ½.
    const auto peaks = Waveform::peaks(makeSound(dir, "steps.wav", "aevalsrc='if(lt(t,1),0.125,0.5)':s=8000:d=2"));
    ASSERT_EQ(peaks.size(), 100u);
    EXPECT_NEAR(peaks[10], 0.5, 0.01);
    EXPECT_NEAR(peaks[90], 1.0, 1e-6);

    const auto silent = Waveform::peaks(makeSound(dir, "silence.wav", "anullsrc=r=8000:cl=mono,atrim=duration=1"));
    ASSERT_EQ(silent.size(), 50u);
    EXPECT_TRUE(std::all_of(silent.begin(), silent.end(), [](float p) { return p == 0; }));

    const auto picture = dir / "picture.mp4";
    ASSERT_EQ(run("ffmpeg -v error -y -f lavfi -i testsrc=s=32x32:d=1 -c:v libx264 -preset ultrafast " + shellQuote(picture.string())), 0);
    EXPECT_TRUE(Waveform::peaks(picture).empty());
    EXPECT_TRUE(Waveform::peaks(dir / "missing.wav").empty());
}
