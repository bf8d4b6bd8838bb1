#pragma once
// Before a video is transcribed, compares what the user's settings expect
// (engine, recognizer locale, Whisper language) with the language actually
// heard, and decides which engine and language to use. When it changes the
// setup it writes a one-sentence note for the user. Stateless and pure:
// callable from any thread.

#include "speech/HeardLanguage.h"
#include "speech/TranscriptionEngine.h"

#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace vt {

struct LanguageGuard {
    // The whisper.cpp codes of the Indic languages.
    static const std::unordered_set<std::string>& indic();

    struct Choice {
        TranscriptionEngine engine = TranscriptionEngine::apple;
        std::string appleLocaleID;      // for the built-in recognizer, e.g. "en-US"
        std::string whisperLanguageID;  // id of a WhisperLanguage row
        std::optional<std::string> note;  // absent when nothing was changed

        friend bool operator==(const Choice&, const Choice&) = default;
    };

    // `heard` is absent when no detection ran or it gave no answer;
    // `appleLocaleIDs` are the built-in recognizer's locales in its own order.
    // The user's current region (which breaks ties between recognizer locales
    // of one language) is read from the platform.
    static Choice choose(TranscriptionEngine engine, std::string_view appleLocaleID,
                         std::string_view whisperLanguageID, const std::optional<HeardLanguage>& heard,
                         const std::vector<std::string>& appleLocaleIDs);
    // The same with the current region given.
    static Choice choose(TranscriptionEngine engine, std::string_view appleLocaleID,
                         std::string_view whisperLanguageID, const std::optional<HeardLanguage>& heard,
                         const std::vector<std::string>& appleLocaleIDs,
                         const std::optional<std::string>& currentRegion);

    // The Whisper row for a whisper.cpp language code: the preferred row when
    // its code matches, "hinglish" for Hindi, else "<code>-roman" or "<code>".
    static std::optional<std::string> whisperID(std::string_view code, std::string_view preferring);
    // A row's name up to its first " (": "Hinglish (Roman letters)" gives "Hinglish".
    static std::string shortName(std::string_view whisperLanguageID);
    // The first identifier of the list in the code's language, preferring
    // one whose region matches `region`.
    static std::optional<std::string> appleLocale(std::string_view code, const std::vector<std::string>& localeIDs,
                                                  const std::optional<std::string>& region);
};

}  // namespace vt
