#pragma once
// The built-in recognizer for whole audio files: one recognizer per locale,
// one recognition task per file. A task runs on a thread of its own and calls
// its handler there, zero or more times with partial results (after each
// utterance), then once with the final result or with an error: code
// RecognizerError::noSpeech when the file held no words, ::cancelled after
// cancel(), ::unreadable when the audio could not be read to its end.

#include "platform/recognizer/SpeechModels.h"

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace vt::recognizer {

struct RecognizerError;

// A file's audio (any the media layer reads) whole, as the recognizer takes
// it: 16 kHz mono, 16-bit. `beforeEachRead` may throw to stop the reading.
// Throws media::MediaError when the file cannot be read to its end.
std::vector<std::int16_t> readRecognizerAudio(const std::filesystem::path& file, const std::function<void()>& beforeEachRead = {});

struct TranscriptionSegment {
    std::string substring;
    double timestamp = 0;  // seconds from the start of the file
    double duration = 0;   // seconds
};

struct RecognitionResult {
    std::vector<TranscriptionSegment> segments;  // the best reading so far, in order
    bool isFinal = false;
};

// Either argument may be absent; called on the task's thread.
using RecognitionHandler = std::function<void(const RecognitionResult*, const RecognizerError*)>;

class RecognitionTask {
public:
    ~RecognitionTask();  // waits for the task's thread
    RecognitionTask(const RecognitionTask&) = delete;
    RecognitionTask& operator=(const RecognitionTask&) = delete;

    // Stops the recognition; the handler then gets a `cancelled` error unless
    // it had its final call already. Any thread.
    void cancel();

private:
    friend class FileRecognizer;
    RecognitionTask() = default;
    std::atomic<bool> cancelled_{false};
    std::thread thread_;
};

class FileRecognizer {
public:
    // A recognizer for a locale the model folder knows (complete or not), or
    // none.
    static std::optional<FileRecognizer> make(std::string_view localeID);

    // Whether its model is complete, so it can recognise on this computer.
    bool supportsOnDeviceRecognition() const { return model_.isComplete(); }
    // Whether it can run now: its model files are still in place.
    bool isAvailable() const;
    const std::string& locale() const { return model_.localeID; }

    // Starts recognising a file (any audio the media layer reads).
    std::unique_ptr<RecognitionTask> recognitionTask(const std::filesystem::path& audioFile, RecognitionHandler handler) const;

private:
    explicit FileRecognizer(SpeechModel model) : model_(std::move(model)) {}
    SpeechModel model_;
};

}  // namespace vt::recognizer
