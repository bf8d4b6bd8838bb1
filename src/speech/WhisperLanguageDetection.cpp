#include "speech/WhisperTranscriber.h"

#include "speech/TemporaryFile.h"
#include "speech/WhisperRun.h"

#include <cmath>
#include <future>

namespace vt {

namespace {

constexpr std::size_t windowSamples = 8'000;      // 0.5 s
constexpr float speechLevel = 0.02f;               // RMS above this is speech
constexpr std::size_t listeningSamples = 480'000;  // 30 s
constexpr std::size_t shortestSamples = 16'000;    // 1 s
constexpr double reportedProbability = 0.01;

}  // namespace

std::size_t WhisperTranscriber::speechStart(std::span<const float> samples)
{
    if (samples.size() <= windowSamples) return 0;
    for (std::size_t start = 0; start + windowSamples < samples.size(); start += windowSamples) {
        float sum = 0;
        for (std::size_t i = start; i < start + windowSamples; ++i) sum += samples[i] * samples[i];
        if (std::sqrt(sum / float(windowSamples)) > speechLevel) return start;
    }
    return 0;
}

std::optional<HeardLanguage> WhisperTranscriber::detectLanguage(const std::filesystem::path& url)
{
    if (!isModelInstalled()) return std::nullopt;
    return detectLanguageWithModel(modelPath(), url);
}

std::optional<HeardLanguage> WhisperTranscriber::detectLanguage(std::span<const float> samples)
{
    return detectLanguageWithModel(modelPath(), samples);
}

std::optional<HeardLanguage> WhisperTranscriber::detectLanguageWithModel(const std::filesystem::path& model, const std::filesystem::path& url)
{
    const speech::TemporaryFile audio(Transcriber::extractAudio(url));
    const std::vector<float> samples = loadPCM16kMono(audio.path());
    // On a thread of its own; whoever called us waits for it.
    return std::async(std::launch::async, [&] { return detectLanguageWithModel(model, samples); }).get();
}

std::optional<HeardLanguage> WhisperTranscriber::detectLanguageWithModel(const std::filesystem::path& model, std::span<const float> samples)
{
    const std::size_t start = speechStart(samples);
    const std::span<const float> span = samples.subspan(start, std::min(listeningSamples, samples.size() - start));
    if (span.size() < shortestSamples) return std::nullopt;

    speech::silenceWhisperLog();
    const auto context = speech::loadWhisperModel(model);
    if (!context) throw CaptionError::transcriptionFailed("couldn't load the Whisper model");
    const int threads = speech::whisperThreads();
    if (whisper_pcm_to_mel(context.get(), span.data(), int(span.size()), threads) != 0) return std::nullopt;
    std::vector<float> probabilities(std::size_t(whisper_lang_max_id()) + 1, 0.0f);
    const int id = whisper_lang_auto_detect(context.get(), 0, threads, probabilities.data());
    if (id < 0 || std::size_t(id) >= probabilities.size() || !whisper_lang_str(id)) return std::nullopt;

    HeardLanguage heard;
    heard.code = whisper_lang_str(id);
    heard.probability = probabilities[std::size_t(id)];
    for (std::size_t i = 0; i < probabilities.size(); ++i) {
        const char* code = whisper_lang_str(int(i));
        if (code && double(probabilities[i]) >= reportedProbability) heard.all[code] = probabilities[i];
    }
    return heard;
}

}  // namespace vt
