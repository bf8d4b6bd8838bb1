// Playing 30 s of a 1080 × 1920 project with captions through the player,
// rendered to memory: pictures composed ahead on the player's worker thread
// from a 1920 × 1080 source with sound, the sound mixed and pulled in 20 ms
// blocks like a sound device does, and each block's picture taken. The
// output is cut in four places (four pieces, declicked). Two picture sizes:
// composed at the full render size and shown at the editor's preview size,
// and composed at the preview size itself. Real time is 30 s; the counter
// says how many times faster than real time the whole run was. Run it on 2
// cores (taskset -c 0,1) for the figure that matters.

#include "OffscreenApplication.h"
#include "BenchCaptions.h"
#include "support/TestSupport.h"
#include "support/TestVideos.h"
#include "video/CompositionBuilder.h"
#include "video/Player.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

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

void play(benchmark::State& state, RenderSize renderSize, QSize shown, int decodeEdge)
{
    vt::bench::application();
    BuildRequest request;
    request.clips = {{Uuid::random(), source(), 0, sourceSeconds, SourceVideoInfo{1920, 1080, {}, 30, sourceSeconds, false}, std::nullopt, 1}};
    request.plan.segments = {{0, 8, 0}, {9, 16, 8}, {17, 25, 15}, {26, 33, 23}};
    const BuildResult built = CompositionBuilder::build(request);
    auto item = std::make_shared<PlayerItem>(PlayerItem{built.composition, built.audioMix, built.clipTracks,
                                                        std::make_shared<RenderState>(snapshot(request.plan, renderSize)),
                                                        built.outputLength, 30, shown, decodeEdge});
    constexpr std::int64_t block = 960;  // 20 ms of sound
    for (auto _ : state) {
        Player player;
        player.replaceItem(item);
        player.setRate(1);
        while (player.rate() > 0) {
            benchmark::DoNotOptimize(player.pullSound(block));
            benchmark::DoNotOptimize(player.waitForFrame());
        }
    }
    state.counters["times_real_time"] = benchmark::Counter(built.outputLength * double(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_PlayFullSizeShownAtPreview(benchmark::State& state) { play(state, {1080, 1920}, {540, 960}, 0); }
void BM_PlayAtPreviewSize(benchmark::State& state) { play(state, {540, 960}, {}, 960); }

}  // namespace

BENCHMARK(BM_PlayFullSizeShownAtPreview)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_PlayAtPreviewSize)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();
