#include "speech/LegacyPath.h"

#include "platform/TextRules.h"
#include "platform/recognizer/RecognizerError.h"
#include "platform/recognizer/SpeechAuthorization.h"
#include "speech/TemporaryFile.h"

#include <algorithm>
#include <future>
#include <memory>

namespace vt::speech {

LegacyResultHandler::LegacyResultHandler(double duration, ProgressHandler progress, std::function<void(LegacyOutcome)> resume)
    : duration_(duration), progress_(std::move(progress)), resume_(std::move(resume))
{
}

void LegacyResultHandler::operator()(const recognizer::RecognitionResult* result, const recognizer::RecognizerError* error)
{
    if (result) {
        const auto& segments = result->segments;
        if (!segments.empty() && progress_) {
            const double end = segments.back().timestamp + segments.back().duration;
            progress_(std::string(Transcriber::transcribingStage), Transcriber::fraction(end, duration_));
        }
        if (!result->isFinal) return;
        LegacyOutcome outcome;
        for (const auto& segment : segments) {
            std::string text = text::trimWhitespace(segment.substring);
            if (text.empty()) continue;
            Word word;
            word.id = Uuid::random();
            word.text = std::move(text);
            word.start = segment.timestamp;
            word.end = segment.timestamp + segment.duration;
            outcome.words.push_back(std::move(word));
        }
        resumeOnce(std::move(outcome));
    } else if (error) {
        LegacyOutcome outcome;
        if (error->code == recognizer::RecognizerError::unreadable)
            outcome.error = std::make_exception_ptr(Transcriber::readFailure(error->what()));
        else if (error->code != recognizer::RecognizerError::noSpeech)
            outcome.error = std::make_exception_ptr(*error);
        resumeOnce(std::move(outcome));
    }
}

void LegacyResultHandler::resumeOnce(LegacyOutcome outcome)
{
    {
        std::lock_guard lock(lock_);
        if (done_) return;
        done_ = true;
    }
    resume_(std::move(outcome));
}

namespace {

// Shared by the path, which stores the task once started, and the
// cancellation handler, which cancels it once stored.
struct LegacyTask {
    std::mutex lock;
    recognizer::RecognitionTask* task = nullptr;
    bool cancelRequested = false;
};

}  // namespace

std::vector<Word> runLegacy(const std::filesystem::path& url, const std::string& localeID, double duration,
                            const ProgressHandler& progress, const CancelToken& cancel)
{
    using recognizer::AuthorizationStatus;
    using recognizer::SpeechAuthorization;
    const auto report = [&](std::string_view stage, double fraction) {
        if (progress) progress(std::string(stage), fraction);
    };

    if (SpeechAuthorization::status() == AuthorizationStatus::notDetermined) SpeechAuthorization::request();
    if (SpeechAuthorization::status() != AuthorizationStatus::authorized) throw CaptionError::speechUnavailable();
    const auto fileRecognizer = recognizer::FileRecognizer::make(localeID);
    if (!fileRecognizer) throw CaptionError::localeUnsupported(localeID);
    if (!fileRecognizer->supportsOnDeviceRecognition()) {
        const std::string& locale = fileRecognizer->locale();
        throw CaptionError::onDeviceModelMissing(recognizer::displayName(locale).value_or(locale));
    }
    if (!fileRecognizer->isAvailable()) throw CaptionError::speechUnavailable();

    report(Transcriber::extractingStage, 0);
    const TemporaryFile audio(Transcriber::extractAudio(url, cancel));

    report(Transcriber::transcribingStage, 0);
    std::promise<LegacyOutcome> resumed;
    auto handler = std::make_shared<LegacyResultHandler>(duration, progress, [&resumed](LegacyOutcome o) { resumed.set_value(std::move(o)); });
    auto holder = std::make_shared<LegacyTask>();
    std::unique_ptr<recognizer::RecognitionTask> task;
    LegacyOutcome outcome;
    {
        const auto registration = cancel.onCancel([holder] {
            std::lock_guard lock(holder->lock);
            holder->cancelRequested = true;
            if (holder->task) holder->task->cancel();
        });
        task = fileRecognizer->recognitionTask(audio.path(), [handler](const auto* result, const auto* error) { (*handler)(result, error); });
        {
            std::lock_guard lock(holder->lock);
            holder->task = task.get();
            if (holder->cancelRequested) task->cancel();
        }
        outcome = resumed.get_future().get();
        std::lock_guard lock(holder->lock);
        holder->task = nullptr;
    }
    task.reset();  // waits for the recognizer's thread

    // A recognition stopped by the caller is a cancellation, not a failure.
    if (cancel.isCancelled()) throw CancellationError();
    if (outcome.error) std::rethrow_exception(outcome.error);
    std::stable_sort(outcome.words.begin(), outcome.words.end(), [](const Word& a, const Word& b) { return a.start < b.start; });
    Transcriber::tightenTimings(outcome.words);
    return outcome.words;
}

}  // namespace vt::speech
