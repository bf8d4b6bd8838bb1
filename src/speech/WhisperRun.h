#pragma once
// Internal to the speech folder (and the benchmark that compares against a
// bare whisper.cpp call): how we call whisper.cpp. The one header besides the
// engine's sources that includes whisper.h.

#include "speech/WhisperLanguage.h"
#include "speech/WhisperTranscriber.h"

#include <whisper.h>

#include <filesystem>
#include <memory>

namespace vt::speech {

struct ContextFreer {
    void operator()(whisper_context* c) const { whisper_free(c); }
};
using WhisperContextPtr = std::unique_ptr<whisper_context, ContextFreer>;

// Active processors minus two, kept within 2 ... 8.
int whisperThreads();
// Silences whisper.cpp's log for the whole process (the program writes no log).
void silenceWhisperLog();
// Default context parameters with GPU use and flash attention on; null when
// the model cannot be loaded.
WhisperContextPtr loadWhisperModel(const std::filesystem::path& model);
// The full-transcription parameters of a run for a language row. The row
// must outlive the parameters (prompt and code are read from it); the box,
// when given, receives progress and answers the abort checks.
whisper_full_params whisperParams(const WhisperLanguage& language, WhisperTranscriber::CallbackBox* box);

}  // namespace vt::speech
