#include "support/TestVideos.h"
#include "video/CompositionVideo.h"
#include "video/MediaLoading.h"
#include "video/Player.h"

#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <functional>
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

// A composer slowed on purpose, with the sound device played from it: each
// picture takes three 50 ms blocks of sound to compose (one and a half frame
// intervals at 10 fps), and the screen looks after each block. While more
// than one composed picture still waits ahead of the clock the device plays
// on, as a real one would: the composer is then waiting for room in its
// queue, and only the sound moving on makes room. So the clock moves by
// blocks, never by the machine's speed, and nothing waits for ever.
struct SlowComposer {
    SlowComposer(Player& player, std::function<void()> look, std::function<bool()> stop = [] { return false; })
        : player(player), look(std::move(look)), stop(std::move(stop))
    {
    }
    // The composer calls into this and what its test keeps: it is stopped first.
    ~SlowComposer() { player.replaceItem(nullptr); }
    SlowComposer(const SlowComposer&) = delete;
    SlowComposer& operator=(const SlowComposer&) = delete;

    Player& player;
    std::function<void()> look;  // after every block
    std::function<bool()> stop;
    std::vector<double> composed;  // on the composing thread

    void operator()(double time)
    {
        const auto block = [&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            player.pullSound(2400);
            look();
        };
        const auto waitingAhead = [&] {
            const double clock = player.currentTime();
            return std::count_if(composed.begin(), composed.end(), [&](double t) { return t > clock + 1e-9; });
        };
        for (int i = 0; i < 3 && !stop(); ++i) block();
        while (!stop() && player.rate() > 0 && waitingAhead() > 1) block();
        composed.push_back(time);
    }
};

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

// Readers give pictures as stored; every tagged turn is made, whatever the
// shape, so a square or upside-down recording is not left lying on its side.
TEST(CompositionVideo, TurnsStoredFramesUpright)
{
    struct Case {
        int turn;          // clockwise, as tagged
        QSize stored;      // the video's stored size
        QSize frame;       // as decoded (smaller when decoded scaled down)
        QPoint corner;     // where the stored top-left corner ends, upright
    };
    for (const Case& c : {Case{90, {64, 48}, {64, 48}, {47, 0}}, Case{90, {64, 48}, {32, 24}, {23, 0}},
                          Case{90, {48, 48}, {48, 48}, {47, 0}}, Case{180, {64, 48}, {64, 48}, {63, 47}},
                          Case{180, {48, 48}, {24, 24}, {23, 23}}, Case{270, {48, 48}, {48, 48}, {0, 47}},
                          Case{270, {64, 48}, {64, 48}, {0, 63}}, Case{0, {48, 48}, {48, 48}, {0, 0}}}) {
        SCOPED_TRACE(std::to_string(c.turn) + " on " + std::to_string(c.stored.width()) + "x" +
                     std::to_string(c.stored.height()) + " decoded " + std::to_string(c.frame.width()));
        SourceVideoInfo info;
        info.naturalWidth = c.stored.width();
        info.naturalHeight = c.stored.height();
        info.transform = MediaLoading::transformFor(c.turn, c.stored.width(), c.stored.height());
        QImage frame(c.frame, QImage::Format_ARGB32);
        frame.fill(Qt::black);
        frame.setPixel(0, 0, qRgb(255, 255, 255));
        const QImage upright = CompositionPicture::orient(frame, info);
        EXPECT_EQ(upright.size(), c.turn % 180 ? c.frame.transposed() : c.frame);
        EXPECT_EQ(qGray(upright.pixel(c.corner)), 255);
    }
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
    struct Seen {
        int picture;
        double clock;
    };
    std::vector<Seen> seen;  // each picture when it first shows
    std::promise<void> composedLast;
    qint64 lastKey = 0;
    Player player;
    const auto look = [&](bool wait) {
        const QImage picture = wait ? player.waitForFrame() : player.currentFrame();
        if (picture.isNull() || picture.cacheKey() == lastKey) return;
        lastKey = picture.cacheKey();
        seen.push_back({vt::test::countedFrame(picture), player.currentTime()});
    };
    SlowComposer slow{player, [&] { look(false); }};
    auto item = countingItem(dir);
    item->composed = [&](double time) {
        slow(time);
        if (time >= 2.4 - 1e-9) composedLast.set_value();
    };
    player.setRate(1);
    player.replaceItem(item);
    ASSERT_EQ(composedLast.get_future().wait_for(std::chrono::seconds(60)), std::future_status::ready);
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
    EXPECT_EQ(player.droppedFrames(), 25 - std::int64_t(seen.size())) << "each picture is shown or dropped, once";
}

TEST(Player, PausingShowsThePictureForTheClockEvenOneThatWasSkipped)
{
    // Playing skips pictures of the slow composer. Playback is paused where
    // the picture for the clock was skipped: the one shown then is the one
    // the clock stands at.
    TempDir dir;
    std::promise<void> inGap;
    bool stopped = false;  // on the composing thread
    double composing = 0;
    Player player;
    SlowComposer slow{player, [&] {
        const auto at = static_cast<int>(std::floor(player.currentTime() * 10 + 1e-9));
        const QImage shown = player.currentFrame();
        const bool skipped = at < std::lround(composing * 10) && (shown.isNull() || vt::test::countedFrame(shown) != at);
        if (player.currentTime() >= 0.5 && skipped && !stopped) {
            stopped = true;
            inGap.set_value();
        }
    }, [&] { return stopped; }};
    auto item = countingItem(dir);
    item->composed = [&](double time) {
        composing = time;
        slow(time);
    };
    player.setRate(1);
    player.replaceItem(item);
    ASSERT_EQ(inGap.get_future().wait_for(std::chrono::seconds(60)), std::future_status::ready);
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
