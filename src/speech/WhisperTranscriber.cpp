#include "speech/WhisperTranscriber.h"

#include "platform/TextRules.h"
#include "platform/media/AudioConverter.h"
#include "platform/media/AudioFileReader.h"
#include "platform/media/MediaError.h"
#include "speech/SpeechText.h"
#include "speech/TemporaryFile.h"
#include "speech/Transliterator.h"
#include "speech/WhisperRun.h"

#include <unicode/uchar.h>

#include <algorithm>
#include <climits>
#include <future>
#include <thread>

namespace vt {

namespace speech {

namespace {

constexpr int whisperRate = 16'000;
constexpr std::int64_t loaderFrames = 65'536;
constexpr double shortestWordSeconds = 0.05;
// whisper.cpp's segment times count 10 ms units. Dividing (not multiplying
// by 0.01, which is inexact) gives 5.77 s for 577, not 5.7700000000000005.
constexpr double timeUnitsPerSecond = 100;

void onProgress(whisper_context*, whisper_state*, int percent, void* user)
{
    if (!user) return;
    auto* box = static_cast<WhisperTranscriber::CallbackBox*>(user);
    // whisper.cpp's percentage can overshoot when a window's timestamps run
    // past its end; a fraction stays within 0 ... 1.
    if (box->progress) box->progress(std::clamp(percent / 100.0, 0.0, 1.0));
}

bool onAbort(void* user)
{
    return user && static_cast<WhisperTranscriber::CallbackBox*>(user)->cancelled.load();
}

void discardLog(ggml_log_level, const char*, void*) {}

}  // namespace

int whisperThreads()
{
    const int processors = int(std::thread::hardware_concurrency());
    return std::clamp(processors - 2, 2, 8);
}

void silenceWhisperLog() { whisper_log_set(discardLog, nullptr); }

WhisperContextPtr loadWhisperModel(const std::filesystem::path& model)
{
    whisper_context_params params = whisper_context_default_params();
    params.use_gpu = true;
    params.flash_attn = true;
    return WhisperContextPtr(whisper_init_from_file_with_params(model.c_str(), params));
}

whisper_full_params whisperParams(const WhisperLanguage& language, WhisperTranscriber::CallbackBox* box)
{
    whisper_full_params p = whisper_full_default_params(WHISPER_SAMPLING_BEAM_SEARCH);
    p.strategy = WHISPER_SAMPLING_BEAM_SEARCH;
    p.n_threads = whisperThreads();
    p.translate = false;
    p.print_special = false;
    p.print_progress = false;
    p.print_realtime = false;
    p.print_timestamps = false;
    p.token_timestamps = true;
    p.max_len = 1;
    p.split_on_word = true;
    if (language.prompt) p.initial_prompt = language.prompt->c_str();
    p.language = language.code.c_str();
    p.detect_language = false;
    p.suppress_blank = true;
    p.beam_search.beam_size = 3;
    p.progress_callback = onProgress;
    p.progress_callback_user_data = box;
    p.abort_callback = onAbort;
    p.abort_callback_user_data = box;
    return p;
}

}  // namespace speech

namespace {

bool isBlank(UChar32 c) { return u_isUWhiteSpace(c); }

// Trims whitespace and line breaks of every kind at both ends.
std::u32string trimAll(std::u32string text)
{
    std::size_t begin = 0, end = text.size();
    while (begin < end && isBlank(UChar32(text[begin]))) ++begin;
    while (end > begin && isBlank(UChar32(text[end - 1]))) --end;
    return text.substr(begin, end - begin);
}

bool skipped(const std::u32string& text)
{
    return (text.front() == U'[' && text.back() == U']') || (text.front() == U'(' && text.back() == U')') || text.front() == U'\u266A';
}

bool endsSentence(const std::string& text)
{
    const std::u32string trimmed = text::toUtf32(text::trimWhitespace(text));
    return !trimmed.empty() && std::u32string_view(U".?!\u2026").find(trimmed.back()) != std::u32string_view::npos;
}

std::string capitalised(const std::string& text)
{
    const std::string first = speech::firstCharacter(text);
    if (first.empty() || !u_islower(UChar32(text::toUtf32(first).front()))) return text;
    return text::uppercased(first) + text.substr(first.size());
}

}  // namespace

std::vector<Word> WhisperTranscriber::wordsFromSegments(const std::vector<Segment>& segments)
{
    std::vector<Word> words;
    for (const auto& segment : segments) {
        if (!segment.text) continue;
        const std::u32string text = trimAll(text::toUtf32(*segment.text));
        if (text.empty() || skipped(text)) continue;
        const std::string utf8 = text::toUtf8(text);
        if (!speech::hasLetterOrNumber(utf8)) {
            if (!words.empty()) words.back().text += utf8;
            continue;
        }
        Word word;
        word.id = Uuid::random();
        word.text = utf8;
        word.start = double(segment.t0) / speech::timeUnitsPerSecond;
        word.end = std::max(double(segment.t1) / speech::timeUnitsPerSecond, word.start + speech::shortestWordSeconds);
        words.push_back(std::move(word));
    }
    return words;
}

void WhisperTranscriber::finish(std::vector<Word>& words, const WhisperLanguage& language)
{
    for (auto& word : words)
        if (Transliterator::containsIndic(word.text)) word.native = word.text;
    if (language.romanize) {
        bool capitaliseNext = true;
        for (auto& word : words) {
            std::string romanized = Transliterator::romanize(word.text);
            if (capitaliseNext) romanized = capitalised(romanized);
            word.text = std::move(romanized);
            capitaliseNext = endsSentence(word.text);
        }
    }
    Transcriber::tightenTimings(words);
}

std::vector<float> WhisperTranscriber::loadPCM16kMono(const std::filesystem::path& file)
{
    media::AudioFileReader reader(file);
    std::optional<media::AudioConverter> converter;
    try {
        converter.emplace(reader.processingFormat(), media::AudioFormat{speech::whisperRate, 1});
    } catch (const media::MediaError&) {
        throw CaptionError::transcriptionFailed("can't convert audio for Whisper");
    }
    const int sourceRate = reader.processingFormat().sampleRate;
    std::vector<float> samples;
    samples.reserve(std::size_t(reader.length() * speech::whisperRate / sourceRate + speech::whisperRate));
    const auto append = [&](const media::AudioBuffer& buffer) {
        samples.insert(samples.end(), buffer.planes[0].begin(), buffer.planes[0].end());
    };
    for (;;) {
        media::AudioBuffer chunk;
        try {
            if (!reader.atEnd()) chunk = reader.read(speech::loaderFrames);
        } catch (const media::MediaError& error) {
            // A transcript of part of the audio must not pass for all of it.
            throw Transcriber::readFailure(error.what());
        }
        if (chunk.frameLength() == 0) break;
        // Room for everything this chunk can produce, whatever the rate ratio.
        append(converter->convert(chunk, converter->maxOutputFrames(chunk.frameLength())));
    }
    // The converter holds the end of the audio until it is drained.
    for (auto rest = converter->flush(converter->maxOutputFrames(0)); rest.frameLength() > 0;
         rest = converter->flush(converter->maxOutputFrames(0)))
        append(rest);
    return samples;
}

std::vector<Word> WhisperTranscriber::run(const std::filesystem::path& model, std::span<const float> samples,
                                          const WhisperLanguage& language, CallbackBox& box)
{
    speech::silenceWhisperLog();
    if (samples.size() > std::size_t(INT_MAX)) throw CaptionError::transcriptionFailed("the audio is too long for Whisper");
    const auto context = speech::loadWhisperModel(model);
    if (!context) throw CaptionError::transcriptionFailed("couldn't load the Whisper model");
    const whisper_full_params params = speech::whisperParams(language, &box);
    const int result = whisper_full(context.get(), params, samples.data(), int(samples.size()));
    if (box.cancelled) throw CancellationError();
    if (result != 0) throw CaptionError::transcriptionFailed("Whisper returned error " + std::to_string(result));

    std::vector<Segment> segments;
    const int count = whisper_full_n_segments(context.get());
    for (int i = 0; i < count; ++i) {
        const char* text = whisper_full_get_segment_text(context.get(), i);
        segments.push_back({text ? std::optional<std::string>(text) : std::nullopt, whisper_full_get_segment_t0(context.get(), i),
                            whisper_full_get_segment_t1(context.get(), i)});
    }
    return wordsFromSegments(segments);
}

std::vector<Word> WhisperTranscriber::transcribe(const std::filesystem::path& url, const WhisperLanguage& language,
                                                 const ProgressHandler& progress, const CancelToken& cancel)
{
    if (!isModelInstalled()) {
        const std::string stage(downloadingStage);
        if (progress) progress(stage, 0);
        downloadModel([&](double f) { if (progress) progress(stage, f); }, cancel);
    }
    return transcribeWithModel(modelPath(), url, language, progress, cancel);
}

std::vector<Word> WhisperTranscriber::transcribeWithModel(const std::filesystem::path& model, const std::filesystem::path& url,
                                                          const WhisperLanguage& language, const ProgressHandler& progress,
                                                          const CancelToken& cancel)
{
    const auto report = [&](std::string_view stage, double f) {
        if (progress) progress(std::string(stage), f);
    };
    report(extractingStage, 0);
    const speech::TemporaryFile audio(Transcriber::extractAudio(url, cancel));
    const std::vector<float> samples = loadPCM16kMono(audio.path());

    report(transcribingStage, 0);
    CallbackBox box;
    box.progress = [&](double f) { report(transcribingStage, f); };
    std::vector<Word> words;
    {
        // Sets the flag at once when the caller is cancelled already.
        const auto registration = cancel.onCancel([&box] { box.cancelled = true; });
        // whisper.cpp works on a thread of its own; a cancelled caller stops
        // it only through the abort check.
        auto running = std::async(std::launch::async, [&] { return run(model, samples, language, box); });
        words = running.get();
    }
    finish(words, language);
    return words;
}

}  // namespace vt
