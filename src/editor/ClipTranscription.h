#pragma once
// The parts of a new clip's transcription that do not need the editor: the
// engine chosen by the project's language, the job text shown while it runs,
// and merging the clip-relative words into a word list or a history step.

#include "editor/EditState.h"
#include "model/Word.h"
#include "platform/Uuid.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace vt::ClipTranscription {

// "whisper:<id>" transcribes with Whisper in that language (an unknown id
// gives Whisper's default row); anything else with the built-in recognizer
// in that locale. Blocks; throws what the engine throws.
std::vector<Word> transcribe(const std::filesystem::path& file, const std::string& localeID, double duration,
                             const std::function<void(const std::string& stage, double fraction)>& progress);

// "stage · 42%" for a fraction above 0, else the stage alone; a fraction
// that is not a number, or above 1, shows as the stage alone or 100%.
std::string jobText(const std::string& stage, double fraction);

// The words moved by `offset` seconds; every other field kept.
std::vector<Word> placed(std::vector<Word> words, double offset);

// `words` followed by `added`, stably sorted by start.
std::vector<Word> merged(std::vector<Word> words, const std::vector<Word>& added);

// Adds the clip's words to every step that holds the clip, at the clip's
// place in that step's own clip list; the caption words follow when
// `captionsAreSpeech`. Steps without the clip stay as they are.
void patch(std::vector<EditState>& steps, const Uuid& clipID, const std::vector<Word>& clipWords,
           bool captionsAreSpeech);

}  // namespace vt::ClipTranscription
