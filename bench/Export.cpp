// Export of a generated 30 s 1080×1920 30 fps project through the program's
// export composer (its own composition, every frame composed by the frame
// compositor with animated caption lines, the sound mixed) and the exporter
// (H.264 High 10 Mb/s, AAC 192 kb/s), side by side with the ffmpeg command
// re-encoding the same source with the same encoder and settings (the floor:
// no captions, no compositing). The counter `ratio_to_floor` on the export
// line is its wall time over the floor's (the floor runs first), and
// `cpu_ratio_to_floor` the same for the CPU time both took. Pin both to the
// same cores with `taskset` to compare like with like. Peak memory
// is the process's maximum resident size after the export; run with
// --benchmark_filter and a shorter `BENCH_EXPORT_SECONDS` to see it stay flat
// with the length.

#include "OffscreenApplication.h"
#include "export/CompositionExportComposer.h"
#include "export/Exporter.h"
#include "export/FramePipeline.h"
#include "platform/media/MediaWriter.h"
#include "video/CompositionVideo.h"
#include "BenchCaptions.h"
#include "support/TestSupport.h"
#include "support/TestVideos.h"


#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <chrono>
#include <cstdlib>
#include <stdexcept>

using namespace vt;

namespace {

constexpr int kWidth = 1080, kHeight = 1920, kFps = 30;

double seconds()
{
    const char* given = std::getenv("BENCH_EXPORT_SECONDS");
    return given ? std::atof(given) : 30.0;
}

const std::filesystem::path& source()
{
    static const std::filesystem::path file = test::cachedMedia(
        "vellumtide-bench-export-source-" + std::to_string(int(seconds())) + ".mp4",
        "-f lavfi -i testsrc2=size=1080x1920:rate=30 -f lavfi -i sine=frequency=330:sample_rate=48000 -t " +
            std::to_string(seconds()) + " -c:v libx264 -preset ultrafast -pix_fmt yuv420p -c:a aac -ac 2");
    return file;
}

ExportRequest request()
{
    ExportRequest r;
    r.clips = {{Uuid::random(), source(), 0, seconds(), SourceVideoInfo{kWidth, kHeight, {}, kFps, seconds(), false}, std::nullopt, 1}};
    RenderSnapshot& snap = r.snapshot;
    snap.plan = test::keptPlan({{0, seconds()}});
    snap.renderSize = {kWidth, kHeight};
    bench::addCaptions(snap, seconds());
    snap.style.animation = EntranceAnimation::pop;
    r.speechSpans = ExportRequest::speechSpansOf(snap.groups);
    return r;
}

double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

// CPU seconds (user and system) spent so far by this process or by its
// finished children: on a machine shared with other work, the CPU an export
// takes varies much less from run to run than its wall time.
double cpuSeconds(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    const auto seconds = [](timeval t) { return double(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double floorSeconds = 0;
double floorCpuSeconds = 0;

void BM_FfmpegFloor(benchmark::State& state)
{
    const std::string cmd = "ffmpeg -v error -y -i " + test::shellQuote(source().string()) +
                            " -c:v libx264 -profile:v high -b:v 10M -g 60 -pix_fmt yuv420p -c:a aac -b:a 192k -ar 48000 -ac 2 " +
                            test::shellQuote((std::filesystem::temp_directory_path() / "vellumtide-bench-floor.mp4").string());
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const double cpuBefore = cpuSeconds(RUSAGE_CHILDREN);
        if (test::run(cmd) != 0) state.SkipWithError("ffmpeg failed");
        floorSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        floorCpuSeconds = cpuSeconds(RUSAGE_CHILDREN) - cpuBefore;
    }
    state.counters["cpu_s"] = floorCpuSeconds;
}

void BM_Export(benchmark::State& state)
{
    const ExportRequest r = request();
    const ExportSettings::Resolved settings{{kWidth, kHeight}, kFps, 10, VideoCodec::h264, false, "1080p"};
    test::TempDir dir;
    CompositionExportComposer composer;
    double took = 0, cpu = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const double cpuBefore = cpuSeconds(RUSAGE_SELF);
        auto video = composer.video(r);
        auto audio = composer.audio(r, true);
        Exporter::exportVideo(*video, audio.get(), settings, dir / "export.mp4", {}, CancelToken());
        took = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        cpu = cpuSeconds(RUSAGE_SELF) - cpuBefore;
    }
    state.counters["cpu_s"] = cpu;
    if (floorSeconds > 0) state.counters["ratio_to_floor"] = took / floorSeconds;
    if (floorCpuSeconds > 0) state.counters["cpu_ratio_to_floor"] = cpu / floorCpuSeconds;
    state.counters["peak_MB"] = peakMegabytes();
}

// Where one frame's time goes, on one thread, stage by stage (milliseconds
// a frame): reading the sources (decoding and converting to RGB), composing
// (framing, captions), converting to the encoder's pixel format.
void BM_ExportStages(benchmark::State& state)
{
    FramePipeline::keepFrameSizedBlocks();  // as the export runs
    const ExportRequest r = request();
    const BuildResult built = CompositionBuilder::build(CompositionExportComposer::buildRequest(r, true));
    RenderSnapshot snap = r.snapshot;
    snap.broll = built.broll;
    CompositionVideo video(built.composition, built.clipTracks, std::make_shared<RenderState>(snap));
    test::TempDir dir;
    media::MediaWriter writer(dir / "stages.mp4", media::WriterContainer::mp4,
                              media::VideoEncoding{kWidth, kHeight, kFps, 10'000'000}, false);
    media::PictureConverter converter = writer.pictureConverter();
    using Clock = std::chrono::steady_clock;
    Clock::duration reading{}, composing{}, converting{};
    int frames = 0;
    for (auto _ : state) {
        for (int k = 0; k < 3 * kFps; ++k, ++frames) {
            const auto t0 = Clock::now();
            CompositionVideo::Sources sources = video.read(double(k) / kFps);
            const auto t1 = Clock::now();
            const QImage picture = CompositionVideo::compose(std::move(sources), {kWidth, kHeight});
            const auto t2 = Clock::now();
            benchmark::DoNotOptimize(converter.convert({picture.constBits(), picture.width(), picture.height(),
                                                        int(picture.bytesPerLine())}));
            reading += t1 - t0;
            composing += t2 - t1;
            converting += Clock::now() - t2;
        }
    }
    const auto perFrame = [&](Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count() / frames; };
    state.counters["read_ms"] = perFrame(reading);
    state.counters["compose_ms"] = perFrame(composing);
    state.counters["convert_ms"] = perFrame(converting);
}

BENCHMARK(BM_FfmpegFloor)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_Export)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_ExportStages)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    return vt::bench::runOffscreen(argc, argv);
}
