// Playing 30 s of a 1080 × 1920 project with captions through the player,
// rendered to memory: pictures composed ahead on the player's worker thread
// from a 1920 × 1080 source with sound, the sound mixed and pulled in 20 ms
// blocks like a sound device does, and each block's picture taken. The
// output is cut in four places (four pieces, declicked). Two picture sizes:
// composed at the full render size and shown at the editor's preview size,
// and composed at the preview size itself. Real time is 30 s; the counter
// says how many times faster than real time the whole run was. Run it on 2
// cores (taskset -c 0,1) for the figure that matters.
//
// The RealTime runs play as the editor does: the sound is taken at the pace
// a sound device takes it and the screen shows whatever picture is current,
// so a composer that cannot keep up drops pictures instead of waiting for
// them. They count the pictures shown and dropped of the 900 in the output.
// The Slowed run adds 40 ms to every picture, more than a frame interval,
// as on a machine too busy to compose in time.

#include "OffscreenApplication.h"
#include "BenchCaptions.h"
#include "support/TestSupport.h"
#include "support/TestVideos.h"
#include "video/CompositionBuilder.h"
#include "video/Player.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

using namespace vt;

namespace {

constexpr double sourceSeconds = 34;

const std::filesystem::path& source()
{
    static const std::filesystem::path file = test::cachedMedia(
        "vellumtide-bench-playback-source.mp4", "-f lavfi -i testsrc=size=1920x1080:rate=30 -f lavfi -i sine=f=220:r=48000 -t " +
                                                    std::to_string(sourceSeconds) + " -c:v libx264 -preset veryfast -pix_fmt yuv420p -c:a aac");
    return file;
}

RenderSnapshot snapshot(const EditPlan& plan, RenderSize size)
{
    RenderSnapshot snap;
    snap.plan = plan;
    snap.renderSize = size;
    snap.reframe = ReframeMode::center;
    bench::addCaptions(snap, 30);
    return snap;
}

constexpr std::int64_t block = 960;  // 20 ms of sound

std::shared_ptr<const PlayerItem> playerItem(RenderSize renderSize, QSize shown, int decodeEdge, int extraMs = 0)
{
    vt::bench::application();
    BuildRequest request;
    request.clips = {{Uuid::random(), source(), 0, sourceSeconds, SourceVideoInfo{1920, 1080, {}, 30, sourceSeconds, false}, std::nullopt, 1}};
    request.plan.segments = {{0, 8, 0}, {9, 16, 8}, {17, 25, 15}, {26, 33, 23}};
    const BuildResult built = CompositionBuilder::build(request);
    auto item = std::make_shared<PlayerItem>(PlayerItem{built.composition, built.audioMix, built.clipTracks,
                                                        std::make_shared<RenderState>(snapshot(request.plan, renderSize)),
                                                        built.outputLength, 30, shown, decodeEdge, {}});
    if (extraMs > 0) item->composed = [extraMs](double) { std::this_thread::sleep_for(std::chrono::milliseconds(extraMs)); };
    return item;
}

void play(benchmark::State& state, RenderSize renderSize, QSize shown, int decodeEdge)
{
    const auto item = playerItem(renderSize, shown, decodeEdge);
    std::int64_t dropped = 0;
    for (auto _ : state) {
        Player player;
        player.replaceItem(item);
        player.setRate(1);
        while (player.rate() > 0) {
            benchmark::DoNotOptimize(player.pullSound(block));
            benchmark::DoNotOptimize(player.waitForFrame());
        }
        dropped += player.droppedFrames();
    }
    state.counters["times_real_time"] = benchmark::Counter(item->duration * double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["dropped_frames"] = double(dropped) / double(state.iterations());
}

void playRealTime(benchmark::State& state, RenderSize renderSize, QSize shown, int decodeEdge, int extraMs = 0)
{
    const auto item = playerItem(renderSize, shown, decodeEdge, extraMs);
    std::int64_t dropped = 0, pictures = 0;
    for (auto _ : state) {
        Player player;
        player.replaceItem(item);
        // Not waitForFrame: that would make the player compose for a clock
        // that stands still while it waits.
        while (player.currentFrame().isNull()) std::this_thread::sleep_for(std::chrono::milliseconds(5));
        player.setRate(1);
        qint64 lastKey = 0;
        auto next = std::chrono::steady_clock::now();
        while (player.rate() > 0) {
            next += std::chrono::milliseconds(20);
            std::this_thread::sleep_until(next);
            benchmark::DoNotOptimize(player.pullSound(block));
            const QImage picture = player.currentFrame();
            if (picture.cacheKey() != lastKey) ++pictures;
            lastKey = picture.cacheKey();
        }
        dropped += player.droppedFrames();
    }
    state.counters["shown_frames"] = double(pictures) / double(state.iterations());
    state.counters["dropped_frames"] = double(dropped) / double(state.iterations());
}

void BM_PlayFullSizeShownAtPreview(benchmark::State& state) { play(state, {1080, 1920}, {540, 960}, 0); }
void BM_PlayAtPreviewSize(benchmark::State& state) { play(state, {540, 960}, {}, 960); }
void BM_PlayRealTimeFullSizeShownAtPreview(benchmark::State& state) { playRealTime(state, {1080, 1920}, {540, 960}, 0); }
void BM_PlayRealTimeAtPreviewSize(benchmark::State& state) { playRealTime(state, {540, 960}, {}, 960); }
void BM_PlayRealTimeSlowedAtPreviewSize(benchmark::State& state) { playRealTime(state, {540, 960}, {}, 960, 40); }

}  // namespace

BENCHMARK(BM_PlayFullSizeShownAtPreview)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_PlayAtPreviewSize)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_PlayRealTimeFullSizeShownAtPreview)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_PlayRealTimeAtPreviewSize)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_PlayRealTimeSlowedAtPreviewSize)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();
