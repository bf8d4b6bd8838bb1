#pragma once
// The text and timing work of translating captions to English: which
// language to translate from, whether a romanized Hindi transcript must be
// read again first, the fingerprint that tells when a stored translation no
// longer matches the cut, the chunks of kept words sent to the translator,
// and the English words laid back over the chunks' spans of source time.
// Stateless and pure; texts are counted in user-perceived characters.

#include "model/Word.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vt {

struct CaptionTranslator {
    struct Chunk {
        std::string text;           // the words' native-script text where present, else text, single spaces
        double start = 0;           // source seconds of the first word
        double end = 0;             // source seconds of the last word
        bool endsSentence = false;  // the last word ends a sentence

        friend bool operator==(const Chunk&, const Chunk&) = default;
    };

    static constexpr int maxWords = 16;         // what the editor passes
    static constexpr double maxDuration = 7.0;  // seconds

    // A language code from a project locale id; absent for automatic detection.
    static std::optional<std::string> sourceLanguage(const std::string& localeID);
    // Romanized Hindi without any Indic text, which must be transcribed again.
    static bool needsOriginalScript(const std::vector<Word>& words, const std::string& localeID);
    // "count|hash of the deleted ids|max pause or -".
    static std::string basis(const std::vector<Word>& words, bool trimPauses, double maxPause);
    // The kept words in chunks, in time order. A word that is deleted or
    // whose midpoint is not kept closes the chunk before it, so a chunk never
    // spans a cut and no English word is laid over cut time.
    static std::vector<Chunk> chunks(const std::vector<Word>& words, const std::function<bool(double)>& isKept,
                                     int maxWords, double maxDuration);
    // The translated texts as new words spread over their chunks' spans.
    static std::vector<Word> words(const std::vector<Chunk>& chunks, const std::vector<std::string>& translations);
};

}  // namespace vt
