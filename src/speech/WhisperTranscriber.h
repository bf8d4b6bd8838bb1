#pragma once
// The whisper.cpp engine: speech of a media file to words with one model file
// kept in the data root (downloaded once), spoken-language detection over the
// first stretch of speech, and the audio loader both use.
//
// Everything blocks the calling thread (call it from a background task);
// whisper.cpp itself runs on a thread of its own with its own compute
// threads. Cancelling stops whisper.cpp at its next abort check and the call
// throws CancellationError, a silent stop for callers. The engine's own
// failures, and audio that cannot be read to its end, are
// CaptionError::transcriptionFailed; file, network and other media errors
// pass unchanged.

#include "model/Word.h"
#include "platform/Cancellation.h"
#include "speech/HeardLanguage.h"
#include "speech/Transcriber.h"
#include "speech/WhisperLanguage.h"

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vt {

struct WhisperTranscriber {
    static constexpr std::string_view downloadingStage = "Downloading Whisper model (one time, 574 MB)";
    static constexpr std::string_view extractingStage = "Extracting audio";
    static constexpr std::string_view transcribingStage = "Transcribing with Whisper";

    // ---- transcription ----------------------------------------------------

    // Downloads the model first when it is not installed, then transcribes.
    // Words in the order of whisper.cpp's segments, tightened.
    static std::vector<Word> transcribe(const std::filesystem::path& url, const WhisperLanguage& language, const ProgressHandler& progress,
                                        const CancelToken& cancel = CancelToken());

    // The first audio track of an audio file as 16 kHz mono float samples.
    // Throws MediaError when the file cannot be read, and
    // CaptionError::transcriptionFailed when it cannot be converted or its
    // audio stops before its end.
    static std::vector<float> loadPCM16kMono(const std::filesystem::path& file);

    // ---- the model file ---------------------------------------------------

    static constexpr std::string_view modelFileName = "ggml-large-v3-turbo-q5_0.bin";
    // The published model file: its exact size on the hosting server and the
    // SHA-1 whisper.cpp's model list gives for it. A file that differs in
    // either is not the model, whatever its length.
    static constexpr std::uintmax_t modelSize = 574'041'195;
    static constexpr std::string_view modelSHA1 = "e050f7970618a659205450ad97eb95a18d69c9ee";

    // A model file as it is published: where it is fetched from, its size
    // and its SHA-1 (lowercase hexadecimal).
    struct ModelFile {
        std::string remote;
        std::uintmax_t size = 0;
        std::string sha1;
    };

    // <data root>/Models/ggml-large-v3-turbo-q5_0.bin
    static std::filesystem::path modelPath();
    // The file at the model path is the expected model: its size is the
    // published one, it starts as a whisper.cpp model does, and its SHA-1 is
    // the published one. The digest is worked out once per file (after the
    // download, or on first sight of a file that arrived otherwise) and kept
    // beside the model with the file's size, time and identity, so that the
    // usual answer costs a few small reads.
    static bool isModelInstalled();
    // isModelInstalled()'s answer when it needs no whole read of the file;
    // none for a file of the model's size and header whose digest is not
    // known yet (reading 574 MB takes seconds: not for the window's thread).
    static std::optional<bool> modelInstalledIfKnown();
    // Where the model is fetched from.
    static const std::string& modelRemote();
    // Fetches the model into place. The file at the model path is replaced
    // in one step only by a download that is the expected model; any failure
    // (the network, cancellation, a status other than 200, a body that is
    // not a whisper.cpp model, too short, too long or with another SHA-1)
    // leaves it as it was and removes the partial download.
    static void downloadModel(const std::function<void(double)>& progress, const CancelToken& cancel = CancelToken());

    // ---- spoken language --------------------------------------------------

    // What is spoken in the first 30 s of speech of a media file; none when
    // the model is not installed (it is never downloaded here), the speech
    // is shorter than 1 s or whisper.cpp gives no answer.
    static std::optional<HeardLanguage> detectLanguage(const std::filesystem::path& url);
    // The same over 16 kHz mono samples with the installed model's path.
    static std::optional<HeardLanguage> detectLanguage(std::span<const float> samples);

    // ---- internal, exposed for tests and the benchmark --------------------

    // Shared by the calling thread, whisper.cpp's threads and the
    // cancellation handler.
    struct CallbackBox {
        std::function<void(double)> progress;  // fraction 0 ... 1, any thread
        std::atomic<bool> cancelled{false};
    };
    // transcribe() after its model check, with any model file.
    static std::vector<Word> transcribeWithModel(const std::filesystem::path& model, const std::filesystem::path& url,
                                                 const WhisperLanguage& language, const ProgressHandler& progress, const CancelToken& cancel);
    // One whisper.cpp run: loads the model, transcribes, frees it.
    static std::vector<Word> run(const std::filesystem::path& model, std::span<const float> samples, const WhisperLanguage& language,
                                 CallbackBox& box);
    // The model file the program expects: the published one, or a small
    // stand-in a test serves and installs. Safe from any thread.
    static ModelFile expectedModel();
    static void setStandInModel(std::optional<ModelFile> standIn);
    // Language detection with any model file.
    static std::optional<HeardLanguage> detectLanguageWithModel(const std::filesystem::path& model, const std::filesystem::path& url);
    static std::optional<HeardLanguage> detectLanguageWithModel(const std::filesystem::path& model, std::span<const float> samples);
    // The first sample of speech: the start of the first 8000-sample window
    // (ending before the last sample) whose RMS level is above 0.02; else 0.
    static std::size_t speechStart(std::span<const float> samples);

    // One segment as whisper.cpp gives it; times in its units of 10 ms.
    struct Segment {
        std::optional<std::string> text;
        std::int64_t t0 = 0;
        std::int64_t t1 = 0;
    };
    static std::vector<Word> wordsFromSegments(const std::vector<Segment>& segments);
    // Native text for Indic words, romanizing with sentence capitals when the
    // row asks, then tightened timings.
    static void finish(std::vector<Word>& words, const WhisperLanguage& language);
};

}  // namespace vt
