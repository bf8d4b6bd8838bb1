#pragma once
// The fixed table of languages that whisper.cpp transcription offers, in the
// order the pickers show them. A project transcribed with whisper.cpp stores
// "whisper:" followed by a row's id. Immutable; readable from any thread.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vt {

struct WhisperLanguage {
    std::string id;                     // stable, stored in settings and projects
    std::string name;                   // shown in the pickers
    std::string code;                   // handed to whisper.cpp; "auto" lets it detect
    bool romanize = false;              // convert recognised Indic words to Roman letters
    std::optional<std::string> prompt;  // initial prompt (the two Hindi rows only)

    friend bool operator==(const WhisperLanguage&, const WhisperLanguage&) = default;

    // The 30 rows.
    static const std::vector<WhisperLanguage>& all();
    // The row with exactly this id (case-sensitive), else the "hinglish" row.
    static const WhisperLanguage& find(std::string_view id);
};

}  // namespace vt
