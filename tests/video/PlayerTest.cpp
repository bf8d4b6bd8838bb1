#include "support/TestVideos.h"
#include "video/CompositionVideo.h"
#include "video/Player.h"

#include <QTest>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <future>
#include <mutex>
#include <thread>

using namespace vt;
using vt::test::makeCountingVideo;
using vt::test::keptPlan;
using vt::test::TempDir;

namespace {

// Two 2 s clips at 10 fps laid back to back, drawn plain at their own size.
struct TwoClips {
    TempDir dir;
    BuildResult built;
    std::shared_ptr<RenderState> state;

    explicit TwoClips(bool sound = false)
    {
        BuildRequest request;
        for (int i = 0; i < 2; ++i) {
            auto file = makeCountingVideo(dir, "clip" + std::to_string(i) + ".mov", {.sound = sound});
            SourceVideoInfo info;
            info.naturalWidth = 64;
            info.naturalHeight = 48;
            request.clips.push_back({Uuid::random(), file, 2.0 * i, 2, info, std::nullopt, 1});
        }
        request.plan = keptPlan({{0.5, 2}, {2, 3}});
        built = CompositionBuilder::build(request);
        RenderSnapshot snap;
        snap.plan = request.plan;
        snap.renderSize = {64, 48};
        snap.reframe = ReframeMode::fit;
        snap.captionsVisible = false;
        state = std::make_shared<RenderState>(snap);
    }

    std::shared_ptr<const PlayerItem> item() const
    {
        return std::make_shared<PlayerItem>(PlayerItem{built.composition, built.audioMix, built.clipTracks, state, built.outputLength, 10, {}, 0, {}});
    }
};

// 2.5 s at 10 fps, uncut, so a picture's number is its time in tenths.
std::shared_ptr<PlayerItem> countingItem(const TempDir& dir)
{
    BuildRequest request;
    SourceVideoInfo info;
    info.naturalWidth = 64;
    info.naturalHeight = 48;
    request.clips.push_back({Uuid::random(), makeCountingVideo(dir, "clip.mov", {.frames = 25}), 0, 2.5, info, std::nullopt, 1});
    request.plan = keptPlan({{0, 2.5}});
    const BuildResult built = CompositionBuilder::build(request);
    RenderSnapshot snap;
    snap.plan = request.plan;
    snap.renderSize = {64, 48};
    snap.reframe = ReframeMode::fit;
    snap.captionsVisible = false;
    return std::make_shared<PlayerItem>(PlayerItem{built.composition, built.audioMix, built.clipTracks,
                                                   std::make_shared<RenderState>(snap), built.outputLength, 10, {}, 0, {}});
}

}  // namespace

TEST(CompositionVideo, PicksTheClipOfTheSourceMomentAndItsFrame)
{
    TwoClips clips;
    CompositionVideo video(clips.built.composition, clips.built.clipTracks, clips.state);
    const EditPlan& cut = clips.state->load()->plan;
    struct Case {
        double output;
        std::size_t clip;
        int frame;
    };
    // Output 1.5 is the second clip's start; just before it the second clip
    // is chosen but its track has no picture yet, so the first clip's is used.
    for (const Case& c : {Case{0.0, 0, 5}, Case{1.2, 0, 17}, Case{1.5, 1, 0}, Case{1.49995, 0, 19}, Case{2.3, 1, 8}}) {
        const auto picked = video.pick(c.output, cut);
        ASSERT_TRUE(picked) << c.output;
        EXPECT_EQ(picked->clip->id, clips.built.clipTracks[c.clip].id) << c.output;
        EXPECT_EQ(vt::test::countedFrame(picked->frame), c.frame) << c.output;
    }
    EXPECT_FALSE(video.pick(2.6, cut)) << "past the end no track has a picture";
    const QImage composed = video.frame(1.2, {32, 24});
    EXPECT_EQ(composed.size(), QSize(32, 24));
    EXPECT_EQ(video.frame(2.6).size(), QSize(64, 48)) << "black under the overlays past the pictures";
}

TEST(CompositionVideo, TurnsFramesUprightOnlyWhenTheyAreNot)
{
    SourceVideoInfo turned;
    turned.naturalWidth = 64;
    turned.naturalHeight = 48;
    turned.transform = {0, 1, -1, 0, 48, 0};
    struct Case {
        QSize frame;
        QSize upright;
    };
    for (const Case& c : {Case{{64, 48}, {48, 64}}, Case{{48, 64}, {48, 64}}, Case{{32, 24}, {24, 32}}, Case{{47, 65}, {47, 65}}}) {
        QImage frame(c.frame, QImage::Format_ARGB32);
        frame.fill(Qt::gray);
        EXPECT_EQ(CompositionPicture::orient(frame, turned).size(), c.upright) << c.frame.width();
    }
    // A quarter turn clockwise puts the stored left edge at the top.
    QImage frame(64, 48, QImage::Format_ARGB32);
    frame.fill(Qt::black);
    for (int y = 0; y < 48; ++y) frame.setPixel(0, y, qRgb(255, 255, 255));
    const QImage upright = CompositionPicture::orient(frame, turned);
    EXPECT_EQ(qGray(upright.pixel(24, 0)), 255);
    EXPECT_EQ(qGray(upright.pixel(24, 63)), 0);
}

TEST(Player, TheSoundClockPicksThePicture)
{
    TwoClips clips(true);
    Player player;
    player.replaceItem(clips.item());
    EXPECT_EQ(vt::test::countedFrame(player.waitForFrame()), 5) << "paused at the start";
    player.setRate(1);
    const media::AudioBuffer sound = player.pullSound(24000);
    EXPECT_EQ(sound.frameLength(), 24000);
    EXPECT_GT(std::abs(*std::max_element(sound.planes[0].begin(), sound.planes[0].end())), 0.3f);
    EXPECT_DOUBLE_EQ(player.currentTime(), 0.5);
    EXPECT_EQ(vt::test::countedFrame(player.waitForFrame()), 10);

    player.seek(1.73);  // the second clip, 0.23 s in
    EXPECT_EQ(vt::test::countedFrame(player.waitForFrame()), 2);
    player.setRate(2);
    player.pullSound(4800);
    EXPECT_NEAR(player.currentTime(), 1.93, 1e-9) << "twice as fast";
    EXPECT_EQ(vt::test::countedFrame(player.waitForFrame()), 4);

    player.setRate(-1);
    EXPECT_EQ(player.rate(), 0) << "no reverse play";
    EXPECT_FALSE(player.canPlayReverse());
    player.setRate(1);
    player.pullSound(48000 * 3);
    player.pullSound(100);
    EXPECT_DOUBLE_EQ(player.currentTime(), 2.5);
    EXPECT_EQ(player.rate(), 0) << "the end stops playback";
    EXPECT_EQ(vt::test::countedFrame(player.waitForFrame()), 9);

    player.replaceItem(nullptr);
    EXPECT_TRUE(player.waitForFrame().isNull());
    EXPECT_EQ(player.currentTime(), 0);
}

TEST(Player, AClockAtTheVeryEndShowsTheLastPicture)
{
    // 2.5 s at 10 fps: the end falls on the frame grid, where no picture starts.
    TwoClips clips;
    Player player;
    player.replaceItem(clips.item());
    for (double end : {2.5, 7.0}) {
        player.seek(end);
        const QImage picture = player.waitForFrame();
        ASSERT_FALSE(picture.isNull()) << end;
        EXPECT_EQ(vt::test::countedFrame(picture), 9) << end;
    }
}

TEST(Player, ASlowComposerDropsLatePicturesAndKeepsToTheSound)
{
    TempDir dir;

    // Each picture takes 0.15 s more to compose, one and a half frame
    // intervals: meanwhile the sound device takes three 50 ms blocks and the
    // screen asks for the picture after each.
    struct Seen {
        int picture;
        double clock;
    };
    std::vector<Seen> seen;  // each picture when it first shows
    std::promise<void> composedLast;
    qint64 lastKey = 0;
    Player player;
    auto item = countingItem(dir);
    const auto look = [&](bool wait) {
        const QImage picture = wait ? player.waitForFrame() : player.currentFrame();
        if (picture.isNull() || picture.cacheKey() == lastKey) return;
        lastKey = picture.cacheKey();
        seen.push_back({vt::test::countedFrame(picture), player.currentTime()});
    };
    item->composed = [&](double time) {
        for (int block = 0; block < 3; ++block) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            player.pullSound(2400);
            look(false);
        }
        if (time >= 2.4 - 1e-9) composedLast.set_value();
    };
    player.setRate(1);
    player.replaceItem(item);
    ASSERT_EQ(composedLast.get_future().wait_for(std::chrono::seconds(30)), std::future_status::ready);
    // The sound plays on to the end, however far ahead the last picture was.
    while (player.rate() > 0) {
        player.pullSound(2400);
        look(false);
    }
    look(true);

    ASSERT_GE(seen.size(), 5u) << "the picture moves on with the sound";
    for (const Seen& s : seen) {
        EXPECT_LE(s.picture / 10.0, s.clock + 1e-6) << s.picture;
        EXPECT_LT(s.clock - s.picture / 10.0, 0.1 + 1e-6) << "picture " << s.picture << " shown at " << s.clock;
    }
    EXPECT_EQ(seen.back().picture, 24) << "the end shows the last picture";
    EXPECT_GE(player.droppedFrames(), 25 - std::int64_t(seen.size())) << "what was not shown was dropped";
}

TEST(Player, PausingShowsThePictureForTheClockEvenOneThatWasSkipped)
{
    // Each picture takes three 50 ms blocks of sound to compose, so playing
    // skips pictures. Playback is paused where the picture for the clock was
    // skipped: the one shown then is the one the clock stands at.
    TempDir dir;
    std::promise<void> inGap;
    std::atomic<bool> stopped = false;
    Player player;
    auto item = countingItem(dir);
    item->composed = [&](double time) {
        for (int block = 0; block < 3 && !stopped; ++block) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            player.pullSound(2400);
            const auto at = static_cast<int>(std::floor(player.currentTime() * 10 + 1e-9));
            const QImage shown = player.currentFrame();
            const bool skipped = at < std::lround(time * 10) && (shown.isNull() || vt::test::countedFrame(shown) != at);
            if (player.currentTime() >= 0.5 && skipped) {
                stopped = true;
                inGap.set_value();
            }
        }
    };
    player.setRate(1);
    player.replaceItem(item);
    ASSERT_EQ(inGap.get_future().wait_for(std::chrono::seconds(30)), std::future_status::ready);
    player.setRate(0);
    const auto at = static_cast<int>(std::floor(player.currentTime() * 10 + 1e-9));
    EXPECT_EQ(vt::test::countedFrame(player.waitForFrame()), at) << "paused at " << player.currentTime();
}

TEST(Player, ASlowFirstPictureDoesNotSendPlaybackAhead)
{
    // The first picture of a run also opens the decoders and decodes from a
    // key frame; here it takes 2 s, the others next to nothing. Paused at
    // 1.0 s, pictures are composed ahead; once playing, the next one must
    // follow on from them rather than leap past the words that begin at the
    // playhead (1.0 to 1.5 s).
    TempDir dir;
    std::mutex lock;
    std::vector<double> times;
    const auto composed = [&] {
        std::lock_guard guard(lock);
        return times.size();
    };
    Player player;
    auto item = countingItem(dir);
    item->composed = [&](double time) {
        if (time == 1.0) std::this_thread::sleep_for(std::chrono::seconds(2));
        std::lock_guard guard(lock);
        times.push_back(time);
    };
    player.seek(1.0);
    player.replaceItem(item);
    // Showing 1.0 makes room for one more: 1.0 to 1.3 while paused.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !player.currentFrame().isNull() && composed() == 4; }, 30000));
    player.setRate(1);
    player.pullSound(4800);  // a sound device takes one frame interval
    player.currentFrame();   // 1.1 shows, which makes room again
    ASSERT_TRUE(QTest::qWaitFor([&] { return composed() == 5; }, 30000));
    std::lock_guard guard(lock);
    EXPECT_LT(times[4], 1.5) << "the first picture composed while playing";
}
