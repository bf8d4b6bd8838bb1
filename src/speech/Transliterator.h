#pragma once
// Converts words between Indic scripts and Roman letters.
// - `romanize` writes Indic-script text in the informal Roman letters people
//   type (Hinglish, Tanglish, Banglish, ...): a table of common Hindi words,
//   a syllable romanizer with per-script rules, and English loanwords back
//   in English (वीडियो gives "video").
// - `display` shows a word's native-script text in the caption script the
//   user picked, through Devanagari as the common middle (ICU transforms);
//   English loanwords stay in Roman letters.
// Nothing fails: a transform that cannot be applied leaves the text in its
// previous script. Every function is callable from any thread; the tables
// are built once, safely, on first use, and each thread keeps its own ICU
// transliterators. Nothing is cached between calls.

#include "speech/CaptionScript.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vt {

struct Transliterator {
    // True when the text holds a letter of U+0900 ... U+0D7F (Devanagari
    // through Malayalam).
    static bool containsIndic(std::string_view text);

    // Text of another Indic script in Devanagari; anything else unchanged.
    static std::string toDevanagari(std::string_view text);

    // The text in Roman letters, word by word between blanks (runs of blanks
    // are kept). Text without Indic letters comes back unchanged.
    static std::string romanize(std::string_view text);

    // The text to show for a word in `script`: `native` is the word as the
    // engine recognised it, `fallback` the word's stored text.
    static std::string display(std::string_view native, std::string_view fallback, CaptionScript script);

    // ---- the syllable romanizer's rules -------------------------------

    // When a long vowel sign (ा ी ू) is written with doubled letters.
    enum class VowelLength { beforeBareConsonant, exceptLast, never };

    // The romanization rules of one source script.
    struct Profile {
        std::string inherentVowel = "a";  // "o" for Bengali
        bool dropsSchwa = false;          // silent inherent vowel dropped (end and middle of words)
        VowelLength vowelLength = VowelLength::beforeBareConsonant;
        bool dentalsAsTH = false;      // त and द written "th" and "dh"
        bool tamilVoicing = false;     // k t th p ch voiced between vowels and after nasals
        bool finalViramaU = false;     // a word-final bare consonant gets "u"
        bool finalAnusvaraM = false;   // a word-final anusvara is written "m"
        bool dropsFinalNasal = false;  // the nasal of a word's last unit is dropped

        friend bool operator==(const Profile&, const Profile&) = default;

        static const Profile& hindi();
        static const Profile& of(CaptionScript script);
    };

    // One syllable unit of a word being romanized.
    struct Unit {
        std::optional<std::string> consonant;  // none for a standalone vowel
        std::string vowel;                     // empty when silent or suppressed
        bool inherent = false;                 // the vowel is the consonant's own
        std::string nasal;                     // "n" (anusvara, candrabindu), "h" (visarga) or empty
        bool longMatra = false;                // from a long vowel sign
        bool virama = false;                   // a bare consonant

        friend bool operator==(const Unit&, const Unit&) = default;
    };

private:
    friend struct TransliteratorProbe;  // lets tests check each rule on its own

    static std::string romanizeWord(std::string_view word);
    // Devanagari text in Roman letters under a profile; characters no rule
    // knows are copied and split the text into parts romanized on their own.
    static std::string transliterate(std::string_view devanagariText, const Profile& profile);
    static std::string render(std::vector<Unit> units, const Profile& profile);
    static void voiceTamil(std::vector<Unit>& units);
};

}  // namespace vt
