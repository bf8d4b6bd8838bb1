// Audio extraction throughput, in seconds of audio per second, on a generated
// 10-minute video (small picture, 48 kHz stereo sound): with AAC sound, which
// is copied, and with PCM sound, which is encoded; and loading the extracted
// audio as 16 kHz mono samples for whisper.cpp.

#include "speech/Transcriber.h"
#include "speech/WhisperTranscriber.h"
#include "support/TestSupport.h"

#include <benchmark/benchmark.h>

#include <stdexcept>

using namespace vt;

namespace {

constexpr double videoSeconds = 600;

void makeVideo(const std::filesystem::path& out, const std::string& audioCodec)
{
    const std::string cmd = "ffmpeg -v error -y -f lavfi -i testsrc=size=320x240:rate=15 -f lavfi -i "
                            "\"aevalsrc='0.3*sin(2*PI*220*t)*sin(2*PI*0.5*t)|0.3*sin(2*PI*330*t)':s=48000\" -t " +
                            std::to_string(videoSeconds) + " -c:v libx264 -preset ultrafast -c:a " + audioCodec + " " +
                            test::shellQuote(out.string());
    if (test::run(cmd) != 0) throw std::runtime_error("ffmpeg failed");
}

struct Setup {
    test::TempDir dir;
    std::filesystem::path video = dir / "ten-minutes.mp4";
    std::filesystem::path pcmVideo = dir / "ten-minutes-pcm.mov";
    std::filesystem::path audio;

    Setup()
    {
        makeVideo(video, "aac -b:a 128k");
        makeVideo(pcmVideo, "pcm_s16le");
        audio = dir / "audio.m4a";
        const auto extracted = Transcriber::extractAudio(video);
        std::filesystem::copy_file(extracted, audio);
        std::filesystem::remove(extracted);
    }
};

Setup& setup()
{
    static Setup instance;
    return instance;
}

void extract(benchmark::State& state, const std::filesystem::path& video)
{
    for (auto _ : state) {
        const auto out = Transcriber::extractAudio(video);
        state.PauseTiming();
        std::filesystem::remove(out);
        state.ResumeTiming();
    }
    state.counters["audio_seconds_per_second"] = benchmark::Counter(videoSeconds * double(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_ExtractAudioCopied(benchmark::State& state) { extract(state, setup().video); }
void BM_ExtractAudioEncoded(benchmark::State& state) { extract(state, setup().pcmVideo); }

void BM_LoadPCM16kMono(benchmark::State& state)
{
    const Setup& s = setup();
    for (auto _ : state) benchmark::DoNotOptimize(WhisperTranscriber::loadPCM16kMono(s.audio).size());
    state.counters["audio_seconds_per_second"] = benchmark::Counter(videoSeconds * double(state.iterations()), benchmark::Counter::kIsRate);
}

}  // namespace

BENCHMARK(BM_ExtractAudioCopied)->Unit(benchmark::kMillisecond)->MinTime(5);
BENCHMARK(BM_ExtractAudioEncoded)->Unit(benchmark::kMillisecond)->MinTime(10);
BENCHMARK(BM_LoadPCM16kMono)->Unit(benchmark::kMillisecond)->MinTime(5);
