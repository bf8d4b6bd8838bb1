// Clip media loading on a generated 10-minute 1080p video with sound: the
// waveform peaks and the filmstrip of one clip (150 pictures), against
// `ffmpeg` decoding the same file to nothing, the floor of any full decode.
// The file is made once (fast preset, plain moving test picture) and kept in
// the system's temporary folder between runs.

#include "audio/Waveform.h"
#include "support/TestSupport.h"
#include "support/TestVideos.h"
#include "video/Filmstrip.h"

#include <benchmark/benchmark.h>

#include <filesystem>

using namespace vt;

namespace {

constexpr double videoSeconds = 600;

const std::filesystem::path& video()
{
    static const std::filesystem::path file = test::cachedMedia(
        "vellumtide-bench-1080p-10min.mp4", "-f lavfi -i testsrc=size=1920x1080:rate=30 -f lavfi -i sine=f=220:r=48000 -t " +
                                                std::to_string(videoSeconds) + " -c:v libx264 -preset veryfast -crf 28 -pix_fmt yuv420p -c:a aac");
    return file;
}

void report(benchmark::State& state)
{
    state.counters["video_seconds_per_second"] = benchmark::Counter(videoSeconds * double(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_PeaksAndFilmstrip(benchmark::State& state)
{
    const auto& file = video();
    for (auto _ : state) {
        benchmark::DoNotOptimize(Waveform::peaks(file));
        benchmark::DoNotOptimize(Filmstrip::frames(file, 0, videoSeconds, 150));
    }
    report(state);
}

void BM_Peaks(benchmark::State& state)
{
    const auto& file = video();
    for (auto _ : state) benchmark::DoNotOptimize(Waveform::peaks(file));
    report(state);
}

void BM_FFmpegDecodeToNull(benchmark::State& state)
{
    const auto& file = video();
    for (auto _ : state)
        if (test::run("ffmpeg -v error -i " + test::shellQuote(file.string()) + " -f null -") != 0) state.SkipWithError("ffmpeg failed");
    report(state);
}

}  // namespace

BENCHMARK(BM_PeaksAndFilmstrip)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_Peaks)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_FFmpegDecodeToNull)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();
