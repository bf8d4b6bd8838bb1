// The clips' peaks and filmstrip pictures laid along the joined source
// timeline, and still pictures at joined-source times, on generated clips.

#include "EditorFakes.h"

#include "editor/ClipMediaService.h"

#include <QThreadPool>

namespace vt {
namespace {

using namespace vt::test;

class ClipPeaks : public EditorTest {
protected:
    VideoClip make(const std::string& name, double seconds)
    {
        const auto file = dir.path() / name;
        const std::string d = std::to_string(seconds);
        EXPECT_EQ(run("ffmpeg -v error -y -f lavfi -i color=gray:s=32x32:r=10:d=" + d + " -f lavfi -i sine=d=" + d +
                      " -c:v libx264 -c:a aac -shortest " + shellQuote(file.string())),
                  0);
        return clip(file.string(), seconds);
    }
};

float loudest(const std::vector<float>& peaks, std::size_t from, std::size_t to)
{
    return *std::max_element(peaks.begin() + static_cast<std::ptrdiff_t>(from),
                             peaks.begin() + static_cast<std::ptrdiff_t>(to));
}

TEST_F(ClipPeaks, ClipsArePeakedAndFilmedAlongTheJoinedSource)
{
    Project p = sampleProject(0);
    p.clips = std::vector<VideoClip>{make("a.mp4", 2), make("b.mp4", 1)};
    p.syncClips();
    const Uuid a = p.clips->at(0).id, b = p.clips->at(1).id;
    auto player = std::make_shared<FakePlayer>();
    EditorModel m(std::move(p), nullptr,
                  EditorServices{player, std::make_shared<ClipMediaService>(), std::make_shared<FakeAudio>(), nullptr,
                                 std::make_shared<ManualClock>()});
    // Each clip: 8 pictures (its length rounded up, at least 8) at the middles
    // of equal slots, the second clip's moved 2 s on.
    ASSERT_TRUE(waitFor([&] { return m.filmstrip().size() == 16 && m.clipPeaks().at(b).size() > 0; }));
    ASSERT_TRUE(waitFor([&] { return !m.clipPeaks().at(a).empty(); }));
    EXPECT_EQ(m.clipFrames().at(a).size(), 8u);
    EXPECT_NEAR(m.filmstrip()[0].time, 0.125, 1e-9);
    EXPECT_NEAR(m.filmstrip()[7].time, 1.875, 1e-9);
    // (file times are asked at 1/600 s: 0.0625 s becomes 38/600 s)
    EXPECT_NEAR(m.filmstrip()[8].time, 2 + 38.0 / 600, 1e-9);
    EXPECT_NEAR(m.filmstrip()[15].time, 2 + 563.0 / 600, 1e-9);
    EXPECT_FALSE(m.filmstrip()[8].image.isNull());
    // 50 peaks a second for each clip whatever its file holds, sound in both.
    ASSERT_EQ(m.waveformPeaks().size(), 150u);
    EXPECT_GT(loudest(m.waveformPeaks(), 0, 100), 0.5f);
    EXPECT_GT(loudest(m.waveformPeaks(), 100, 150), 0.5f);

    // Moving the first clip last re-lays what is loaded, without loading again.
    m.moveClip(a, 1);
    ASSERT_TRUE(waitFor([&] { return !m.filmstrip().empty() && m.filmstrip()[0].time < 0.1; }));
    EXPECT_NEAR(m.filmstrip()[8].time, 1.125, 1e-9);
    EXPECT_EQ(m.waveformPeaks().size(), 150u);

    // Times go to the clip they fall in: one before the source is dropped,
    // one on a border goes to the later clip, one past the end is kept just
    // inside the last clip.
    std::optional<std::vector<Filmstrip::Frame>> grabbed;
    m.framesAtSource({0.5, -1, 100, 1}, 24, [&](std::vector<Filmstrip::Frame> f) { grabbed = std::move(f); });
    ASSERT_TRUE(waitFor([&] { return grabbed.has_value(); }));
    ASSERT_EQ(grabbed->size(), 3u);
    EXPECT_NEAR(grabbed->at(0).time, 0.5, 1e-9);
    EXPECT_NEAR(grabbed->at(1).time, 1, 1e-9);
    EXPECT_NEAR(grabbed->at(2).time, 2.95, 1e-9);
    EXPECT_LE(grabbed->at(2).image.width(), 24);
    m.teardown();
}

TEST_F(ClipPeaks, LoadsFinishingAfterTeardownAreDropped)
{
    for (bool closed : {false, true}) {
        Project p = sampleProject(0);
        p.clips = std::vector<VideoClip>{clip("/media/a.mov", 2), clip("/media/b.mov", 1)};
        p.syncClips();
        std::promise<void> release;
        auto media = std::make_shared<FakeMedia>();
        media->loadGate = release.get_future().share();
        for (const auto& c : *p.clips) media->videos[c.path] = SourceVideoInfo{};
        EditorModel m(p, nullptr,
                      EditorServices{std::make_shared<FakePlayer>(), media, std::make_shared<FakeAudio>(), nullptr,
                                     std::make_shared<ManualClock>()});
        ASSERT_TRUE(waitFor([&] { return !m.isLoading(); }));
        // While the loads run: silence of the right length and no pictures.
        EXPECT_EQ(m.waveformPeaks(), std::vector<float>(150, 0.f));
        EXPECT_TRUE(m.filmstrip().empty());
        if (closed) m.teardown();
        release.set_value();
        QThreadPool::globalInstance()->waitForDone();
        QCoreApplication::processEvents();
        if (!closed) {
            ASSERT_TRUE(waitFor([&] { return m.filmstrip().size() == 2; }));
        }
        EXPECT_EQ(m.filmstrip().size(), closed ? 0u : 2u) << closed;
        EXPECT_EQ(m.waveformPeaks()[0], closed ? 0.f : 0.5f) << closed;
        EXPECT_EQ(m.clipPeaks().at(p.clips->at(0).id).empty(), closed) << closed;
    }
}

}  // namespace
}  // namespace vt
