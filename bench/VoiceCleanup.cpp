// Voice cleanup speed, as a real-time factor (seconds of sound cleaned per
// second), on 10 minutes of generated speech over hiss and hum: our chain
// (voice EQ, spectral noise reduction, leveler, make-up gain, look-ahead
// limiter, AAC) side by side with FFmpeg's own afftdn, equalizer and alimiter
// chain on the same file, also encoding AAC, as the floor to compare with.

#include "audio/AudioCleaner.h"
#include "support/TestSupport.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <stdexcept>

using namespace vt;

namespace {

constexpr double seconds = 600;

struct Setup {
    test::TempDir dir;
    std::filesystem::path input = dir / "noisy-speech.m4a";
    std::vector<ClosedRange<double>> speech;

    Setup()
    {
        const auto spoken = dir / "spoken.wav";
        const auto looped = dir / "looped.wav";
        check(test::run("espeak-ng -s 150 -w " + test::shellQuote(spoken.string()) +
                        " 'Audio cleanup turns the recorded voice into a cleaner, evenly loud track. "
                        "It learns the noise in the pauses between the words and pulls it down.'"));
        check(test::run("sox " + test::shellQuote(spoken.string()) + " -r 48000 -c 1 " + test::shellQuote(looped.string()) +
                        " pad 0 0.7 gain -n -8 repeat 200 trim 0 " + std::to_string(seconds)));
        check(test::run("ffmpeg -v error -y -i " + test::shellQuote(looped.string()) +
                        " -f lavfi -i 'anoisesrc=c=white:a=0.02:r=48000' -f lavfi -i 'sine=f=50:r=48000' -filter_complex "
                        "'[1]volume=1[n];[2]volume=0.02[h];[0][n][h]amix=inputs=3:duration=first:normalize=0' -c:a aac -b:a 128k " +
                        test::shellQuote(input.string())));
        for (double t = 0.2; t < seconds; t += 1.0) speech.push_back({t, t + 0.6});
    }
    static void check(int status)
    {
        if (status != 0) throw std::runtime_error("making the benchmark's sound failed");
    }
};

Setup& setup()
{
    static Setup s;
    return s;
}

void report(benchmark::State& state, double elapsed)
{
    state.SetIterationTime(elapsed);
    // Seconds of sound per second of work, over all iterations.
    state.counters["realtime_factor"] = benchmark::Counter(seconds, benchmark::Counter::kIsIterationInvariantRate);
}

double since(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_CleanupChain(benchmark::State& state)
{
    Setup& s = setup();
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        AudioCleaner::run(s.input, s.speech, AudioCleanup{}, s.dir / "ours.m4a", nullptr);
        report(state, since(start));
    }
}
BENCHMARK(BM_CleanupChain)->Iterations(2)->UseManualTime()->Unit(benchmark::kSecond);

void BM_FFmpegAfftdnChain(benchmark::State& state)
{
    Setup& s = setup();
    const std::string filters =
        "highpass=f=80,highpass=f=80,equalizer=f=300:t=q:w=1:g=-2,equalizer=f=4000:t=q:w=1:g=2.5,afftdn=nr=17,alimiter=limit=0.891:level=0";
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        Setup::check(test::run("ffmpeg -v error -y -threads 1 -i " + test::shellQuote(s.input.string()) + " -af '" + filters +
                               "' -ac 1 -c:a aac -b:a 128k " + test::shellQuote((s.dir / "ffmpeg.m4a").string())));
        report(state, since(start));
    }
}
BENCHMARK(BM_FFmpegAfftdnChain)->Iterations(2)->UseManualTime()->Unit(benchmark::kSecond);

}  // namespace
