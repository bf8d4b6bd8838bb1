#include "platform/recognizer/FileRecognizer.h"

#include "platform/media/AudioConverter.h"
#include "platform/media/AudioFileReader.h"
#include "platform/media/MediaError.h"
#include "platform/recognizer/RecognizerError.h"
#include "platform/recognizer/PieceRecognizer.h"

namespace vt::recognizer {

namespace {

constexpr std::int64_t readFrames = 32'768;

void addSegments(std::vector<TranscriptionSegment>& segments, const std::vector<Utterance>& utterances)
{
    for (const auto& utterance : utterances)
        for (const auto& word : utterance.words) segments.push_back({word.text, word.start, word.end - word.start});
}

void recognize(const SpeechModel& model, const std::filesystem::path& file, const std::atomic<bool>& cancelled,
               const RecognitionHandler& handler)
{
    const auto stopIfCancelled = [&] {
        if (cancelled) throw RecognizerError(RecognizerError::cancelled, "Recognition request was canceled.");
    };
    RecognitionResult result;
    try {
        stopIfCancelled();
        // Read whole, so that it can be decoded in pieces on every core.
        const std::vector<std::int16_t> audio = readRecognizerAudio(file, stopIfCancelled);
        PieceRecognizer engine(model);
        engine.recognize(audio,
                         [&](const std::vector<Utterance>& done) {
                             const std::size_t before = result.segments.size();
                             addSegments(result.segments, done);
                             if (result.segments.size() > before) handler(&result, nullptr);
                         },
                         cancelled);
        stopIfCancelled();
    } catch (const RecognizerError& error) {
        handler(nullptr, &error);
        return;
    } catch (const media::MediaError& error) {
        const RecognizerError unreadable(RecognizerError::unreadable, error.what());
        handler(nullptr, &unreadable);
        return;
    }
    if (result.segments.empty()) {
        const RecognizerError none(RecognizerError::noSpeech, "No speech detected.");
        handler(nullptr, &none);
        return;
    }
    result.isFinal = true;
    handler(&result, nullptr);
}

}  // namespace

std::vector<std::int16_t> readRecognizerAudio(const std::filesystem::path& file, const std::function<void()>& beforeEachRead)
{
    media::AudioFileReader reader(file);
    media::AudioConverter converter(reader.processingFormat(), {recognizerSampleRate, 1});
    std::vector<std::int16_t> audio;
    for (;;) {
        if (beforeEachRead) beforeEachRead();
        const media::AudioBuffer chunk = reader.read(readFrames);
        if (chunk.frameLength() == 0) break;
        appendSamples(audio, converter.convert(chunk, converter.maxOutputFrames(chunk.frameLength())).planes[0]);
    }
    for (auto rest = converter.flush(converter.maxOutputFrames(0)); rest.frameLength() > 0;
         rest = converter.flush(converter.maxOutputFrames(0)))
        appendSamples(audio, rest.planes[0]);
    return audio;
}

RecognitionTask::~RecognitionTask()
{
    if (thread_.joinable()) thread_.join();
}

void RecognitionTask::cancel() { cancelled_ = true; }

std::optional<FileRecognizer> FileRecognizer::make(std::string_view localeID)
{
    auto model = findModel(localeID);
    if (!model) return std::nullopt;
    return FileRecognizer(std::move(*model));
}

bool FileRecognizer::isAvailable() const
{
    if (!model_.isComplete()) return false;
    std::error_code ec;
    return std::filesystem::exists(*model_.acousticModel, ec) && std::filesystem::exists(*model_.languageModel, ec) &&
           std::filesystem::exists(*model_.dictionary, ec);
}

std::unique_ptr<RecognitionTask> FileRecognizer::recognitionTask(const std::filesystem::path& audioFile, RecognitionHandler handler) const
{
    std::unique_ptr<RecognitionTask> task(new RecognitionTask());
    task->thread_ = std::thread([model = model_, audioFile, handler = std::move(handler), flag = &task->cancelled_] {
        recognize(model, audioFile, *flag, handler);
    });
    return task;
}

}  // namespace vt::recognizer
