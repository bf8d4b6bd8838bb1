#include "platform/recognizer/SpeechAnalyzer.h"

#include "platform/recognizer/RecognizerError.h"
#include "platform/recognizer/SpeechModels.h"
#include "platform/recognizer/PieceRecognizer.h"

namespace vt::recognizer {

void AnalyzerInputStream::yield(media::AudioBuffer buffer)
{
    {
        std::lock_guard lock(mutex_);
        if (finished_) return;
        buffers_.push_back(std::move(buffer));
    }
    ready_.notify_one();
}

void AnalyzerInputStream::finish()
{
    {
        std::lock_guard lock(mutex_);
        finished_ = true;
    }
    ready_.notify_all();
}

std::optional<media::AudioBuffer> AnalyzerInputStream::next()
{
    std::unique_lock lock(mutex_);
    ready_.wait(lock, [&] { return !buffers_.empty() || finished_; });
    if (buffers_.empty()) return std::nullopt;
    media::AudioBuffer buffer = std::move(buffers_.front());
    buffers_.pop_front();
    return buffer;
}

std::optional<TranscriptionResult> ResultSequence::next()
{
    std::unique_lock lock(mutex_);
    ready_.wait(lock, [&] { return !results_.empty() || ended_; });
    if (!results_.empty()) {
        TranscriptionResult result = std::move(results_.front());
        results_.pop_front();
        return result;
    }
    if (failure_) std::rethrow_exception(failure_);
    return std::nullopt;
}

void ResultSequence::push(TranscriptionResult result)
{
    {
        std::lock_guard lock(mutex_);
        if (ended_) return;
        results_.push_back(std::move(result));
    }
    ready_.notify_one();
}

void ResultSequence::end(std::exception_ptr failure)
{
    {
        std::lock_guard lock(mutex_);
        if (ended_) return;
        ended_ = true;
        failure_ = std::move(failure);
    }
    ready_.notify_all();
}

bool SpeechTranscriber::isAvailable() { return !supportedLocales().empty(); }

std::vector<std::string> SpeechTranscriber::supportedLocales()
{
    std::vector<std::string> locales;
    for (const auto& model : installedModels())
        if (model.isComplete()) locales.push_back(model.localeID);
    return locales;
}

std::optional<std::string> SpeechTranscriber::supportedLocale(std::string_view equivalentTo)
{
    auto model = findModel(equivalentTo);
    if (!model || !model->isComplete()) return std::nullopt;
    return model->localeID;
}

SpeechAnalyzer::SpeechAnalyzer(SpeechTranscriber& transcriber) : transcriber_(transcriber)
{
    auto model = findModel(transcriber.locale());
    if (!model) throw RecognizerError(RecognizerError::unavailable, "No speech model for " + transcriber.locale() + ".");
    engine_ = std::make_unique<PieceRecognizer>(*model);
}

SpeechAnalyzer::~SpeechAnalyzer()
{
    // Whoever still waits for results must not wait forever.
    transcriber_.results().end();
}

media::AudioFormat SpeechAnalyzer::bestAvailableAudioFormat(const media::AudioFormat&) { return {recognizerSampleRate, 1}; }

std::optional<double> SpeechAnalyzer::analyzeSequence(AnalyzerInputStream& input, const CancelToken& cancel)
{
    try {
        std::vector<std::int16_t> audio;
        while (auto buffer = input.next()) {
            cancel.throwIfCancelled();
            if (buffer->format != bestAvailableAudioFormat(buffer->format))
                throw RecognizerError(RecognizerError::unreadable, "The analyzer was given audio in a format it does not take.");
            if (buffer->frameLength() > 0) appendSamples(audio, buffer->planes[0]);
        }
        cancel.throwIfCancelled();
        if (audio.empty()) return std::nullopt;
        std::atomic<bool> stop{false};
        const auto registration = cancel.onCancel([&stop] { stop = true; });
        try {
            engine_->recognize(audio, [this](std::vector<Utterance> utterances) { deliver(utterances); }, stop);
        } catch (const RecognizerError& error) {
            if (error.code == RecognizerError::cancelled) throw CancellationError();
            throw;
        }
        cancel.throwIfCancelled();
        return double(audio.size()) / recognizerSampleRate;
    } catch (...) {
        transcriber_.results().end(std::current_exception());
        throw;
    }
}

void SpeechAnalyzer::finalizeAndFinish(double)
{
    // Everything fed has been decoded and delivered by analyzeSequence.
    transcriber_.results().end();
}

void SpeechAnalyzer::cancelAndFinishNow()
{
    transcriber_.results().end();
}

void SpeechAnalyzer::deliver(const std::vector<Utterance>& utterances)
{
    for (const auto& utterance : utterances) {
        if (utterance.words.empty()) continue;
        TranscriptionResult result;
        result.range = {utterance.start, utterance.end - utterance.start};
        for (const auto& word : utterance.words) {
            const std::string text = result.text.empty() ? word.text : " " + word.text;
            result.text.push_back({text, AudioTimeRange{word.start, word.end - word.start}});
        }
        transcriber_.results().push(std::move(result));
    }
}

}  // namespace vt::recognizer
