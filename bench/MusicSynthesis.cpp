// Time to synthesize each built-in music mood's loop (in memory, before the
// AAC encoding), and the whole first use of a mood: synthesis and encoding
// into the data root's Music folder.

#include "audio/MusicGenerator.h"
#include "support/TestSupport.h"

#include <benchmark/benchmark.h>

#include <filesystem>

using namespace vt;

namespace {

void BM_RenderLoop(benchmark::State& state)
{
    const auto& mood = MusicGenerator::moods()[static_cast<std::size_t>(state.range(0))];
    state.SetLabel(mood.id);
    for (auto _ : state) {
        auto loop = MusicGenerator::render(mood, 1);
        benchmark::DoNotOptimize(loop.left.data());
    }
}
BENCHMARK(BM_RenderLoop)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

void BM_EnsureMood(benchmark::State& state)
{
    const auto& mood = MusicGenerator::moods()[static_cast<std::size_t>(state.range(0))];
    state.SetLabel(mood.id);
    test::TempDir data;
    test::ScopedEnv env("XDG_DATA_HOME", data.path().string());
    for (auto _ : state) {
        const auto file = MusicGenerator::ensure(mood);
        state.PauseTiming();
        std::filesystem::remove(file);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_EnsureMood)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

}  // namespace
