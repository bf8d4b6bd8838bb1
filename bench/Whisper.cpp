// Our whisper.cpp run against a bare whisper_full: same audio (the shared
// 11 s speech recording), same tiny generated model, same parameters. Both
// load the model, transcribe and free it, as every run of ours does. The
// ratio benchmark alternates the two and reports ours / bare.
// The tiny model is made from the shared fixtures' vocabulary file, found as
// the tests find it.

#include "speech/WhisperRun.h"
#include "speech/WhisperTranscriber.h"
#include "support/TestSupport.h"
#include "support/TinyWhisperModel.h"

#include <benchmark/benchmark.h>

#include <chrono>

using namespace vt;

namespace {

struct Setup {
    test::TempDir dir;
    std::filesystem::path model = dir / "tiny.bin";
    std::vector<float> samples;
    const WhisperLanguage& language = WhisperLanguage::find("en");

    Setup()
    {
        test::writeTinyWhisperModel(model);
        samples = WhisperTranscriber::loadPCM16kMono(test::sharedFixture("speech-en-11s.wav"));
    }
};

Setup& setup()
{
    static Setup instance;
    return instance;
}

std::size_t ours(const Setup& s)
{
    WhisperTranscriber::CallbackBox box;
    box.progress = [](double) {};
    auto words = WhisperTranscriber::run(s.model, s.samples, s.language, box);
    WhisperTranscriber::finish(words, s.language);
    return words.size();
}

int bare(const Setup& s)
{
    speech::silenceWhisperLog();
    whisper_context_params cparams = whisper_context_default_params();
    cparams.use_gpu = true;
    cparams.flash_attn = true;
    whisper_context* context = whisper_init_from_file_with_params(s.model.c_str(), cparams);
    whisper_full_params params = speech::whisperParams(s.language, nullptr);
    params.progress_callback = nullptr;
    params.abort_callback = nullptr;
    whisper_full(context, params, s.samples.data(), int(s.samples.size()));
    const int segments = whisper_full_n_segments(context);
    whisper_free(context);
    return segments;
}

void BM_WhisperOurRun(benchmark::State& state)
{
    const Setup& s = setup();
    for (auto _ : state) benchmark::DoNotOptimize(ours(s));
}

void BM_WhisperBareFull(benchmark::State& state)
{
    const Setup& s = setup();
    for (auto _ : state) benchmark::DoNotOptimize(bare(s));
}

void BM_WhisperOursOverBare(benchmark::State& state)
{
    const Setup& s = setup();
    double oursSeconds = 0, bareSeconds = 0;
    using Clock = std::chrono::steady_clock;
    for (auto _ : state) {
        auto t0 = Clock::now();
        benchmark::DoNotOptimize(ours(s));
        auto t1 = Clock::now();
        benchmark::DoNotOptimize(bare(s));
        auto t2 = Clock::now();
        oursSeconds += std::chrono::duration<double>(t1 - t0).count();
        bareSeconds += std::chrono::duration<double>(t2 - t1).count();
    }
    state.counters["ours_over_bare"] = oursSeconds / bareSeconds;
}

}  // namespace

BENCHMARK(BM_WhisperOurRun)->Unit(benchmark::kMillisecond)->MinTime(5);
BENCHMARK(BM_WhisperBareFull)->Unit(benchmark::kMillisecond)->MinTime(5);
BENCHMARK(BM_WhisperOursOverBare)->Unit(benchmark::kMillisecond)->MinTime(10);
