#pragma once
// The English spelling check, over Hunspell's en_US dictionary and affix
// data (the Debian packages hunspell-en-us and libhunspell). The dictionary
// is read once, on first use. Without it, no word counts as correctly
// spelled. Thread-safe.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vt::SpellChecker {

// Whether the dictionary could be read.
bool available();
// True when the word is spelled correctly in English (case as Hunspell
// judges it: "london" is misspelled, "London" is not).
bool isCorrect(std::string_view word);
// The dictionary forms the word derives from (a plural gives its singular).
std::vector<std::string> stems(std::string_view word);

// One headword of the dictionary file with its affix flags, as written
// there ("car" with "SMDRZG", "London" with "MRZ").
struct Entry {
    std::string word;
    std::string flags;
};
// Every headword whose lower-case form is `lower`.
std::vector<Entry> entries(std::string_view lower);

}  // namespace vt::SpellChecker
