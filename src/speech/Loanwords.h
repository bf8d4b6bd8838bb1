#pragma once
// English words spoken inside Indian-language speech come out of whisper.cpp
// in Devanagari (वीडियो for "video"); romanized letter by letter they would
// read "vidiyo". Loanwords recognises them and gives their English form,
// from a fixed table and, for forms with the English "o" (ऑ / ॉ) that the
// table misses, from an index by consonant skeleton. Pure lookups, callable
// from any thread; the tables are built once, safely, on first use.

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace vt {

struct Loanwords {
    // Devanagari form (canonical, NFC) -> English word; 196 forms of 189 words.
    static const std::unordered_map<std::string, std::string>& devanagari();

    // The English word for a word's Devanagari core (no surrounding
    // punctuation) and the Roman form the romanizer made of it, or none.
    static std::optional<std::string> english(std::string_view devanagariWord, std::string_view romanized);

    // The consonant skeleton of a Roman word: lowercased, spellings of one
    // sound unified, vowels (and y) and non-letters dropped, repeats collapsed.
    static std::string skeleton(std::string_view roman);

    // Skeleton -> English word, over the table's words longer than three
    // characters whose skeleton has at least three letters.
    static const std::unordered_map<std::string, std::string>& englishBySkeleton();
};

}  // namespace vt
