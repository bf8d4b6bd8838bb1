#include "platform/WordTagger.h"

#include "platform/SpellChecker.h"
#include "platform/TextRules.h"

#include <unicode/brkiter.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <array>
#include <memory>
#include <optional>

namespace vt::WordTagger {
namespace {

// Closed word classes: after these a word is read as a verb, or may be a noun.
constexpr std::array<std::string_view, 22> kBeforeVerb{
    "to", "i", "you", "we", "they", "he", "she", "it", "will", "would", "can", "could",
    "should", "must", "don't", "didn't", "do", "does", "did", "let's", "might", "may"};
constexpr std::array<std::string_view, 17> kBeforeNoun{
    "the", "a", "an", "my", "your", "his", "her", "our", "their", "this", "these", "those", "some", "any", "every", "each", "its"};

// Function words, never names or nouns however the dictionary lists them.
constexpr std::array<std::string_view, 24> kFunctionWords{
    "is", "are", "was", "were", "be", "been", "am", "has", "have", "had", "it", "he", "she", "they", "we", "me",
    "him", "them", "us", "who", "what", "there", "here", "not"};

bool contains(auto const& list, std::string_view word) { return std::find(list.begin(), list.end(), word) != list.end(); }

struct Word {
    std::string text;
    bool opensSentence = false;
    bool joinsPrevious = false;  // only spaces since the previous word
};

bool isHyphen(std::string_view piece) { return piece == "-" || piece == "\u2010" || piece == "\u2011"; }

std::vector<Word> words(std::string_view input)
{
    const icu::UnicodeString s = icu::UnicodeString::fromUTF8(icu::StringPiece(input.data(), int32_t(input.size())));
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::BreakIterator> it(icu::BreakIterator::createWordInstance(icu::Locale::getEnglish(), status));
    if (U_FAILURE(status)) return {};
    it->setText(s);
    std::vector<Word> out;
    bool sentenceStart = true;
    bool onlySpaces = false;
    bool afterWord = false;             // the previous piece was a word
    std::optional<std::string> hyphen;  // a lone hyphen right after a word
    for (int32_t from = it->first(), to = it->next(); to != icu::BreakIterator::DONE; from = to, to = it->next()) {
        icu::UnicodeString piece = s.tempSubString(from, to - from);
        std::string utf8;
        piece.toUTF8String(utf8);
        const int rule = it->getRuleStatus();
        if (rule != UBRK_WORD_NONE && hyphen) {
            // "self-care" is one word, not two.
            out.back().text += *hyphen + utf8;
            hyphen.reset();
            afterWord = onlySpaces = true;
            continue;
        }
        hyphen = afterWord && isHyphen(utf8) ? std::optional(utf8) : std::nullopt;
        afterWord = rule != UBRK_WORD_NONE;
        if (rule == UBRK_WORD_NONE) {
            for (char32_t c : text::toUtf32(utf8))
                if (c == U'.' || c == U'?' || c == U'!' || c == U'\u2026' || c == U'\n') sentenceStart = true;
            onlySpaces = onlySpaces && text::trimWhitespace(utf8).empty();
            continue;
        }
        out.push_back({utf8, sentenceStart, onlySpaces && !out.empty()});
        sentenceStart = false;
        onlySpaces = true;
    }
    return out;
}

bool startsUpper(std::string_view word)
{
    const std::u32string chars = text::toUtf32(word);
    return !chars.empty() && u_isupper(UChar32(chars.front()));
}

// The word without a possessive ending.
std::string bare(std::string word)
{
    for (std::string_view ending : {std::string_view("'s"), std::string_view("\u2019s")})
        if (word.size() > ending.size() && word.ends_with(ending)) return word.substr(0, word.size() - ending.size());
    return word;
}

// The headwords of the word itself, else of the forms it derives from.
std::vector<SpellChecker::Entry> headwords(const std::string& word)
{
    auto entries = SpellChecker::entries(text::lowercased(word));
    if (entries.empty())
        for (const std::string& stem : SpellChecker::stems(word))
            for (auto& e : SpellChecker::entries(text::lowercased(stem))) entries.push_back(std::move(e));
    return entries;
}

// Does the dictionary know the word only with a capital?
std::optional<bool> onlyCapitalised(const std::string& word)
{
    const auto entries = headwords(word);
    if (entries.empty()) return std::nullopt;
    return std::none_of(entries.begin(), entries.end(), [](const SpellChecker::Entry& e) { return !startsUpper(e.word); });
}

// What the affix flags of the lower-case headwords allow: M the possessive
// (nouns), T the superlative (adjectives), H the ordinal (numbers), G the
// -ing form (verbs).
struct Reading {
    bool noun = false;
    bool adjective = false;
    bool number = false;
    bool verb = false;
};

Reading readingOf(const std::string& word)
{
    Reading r;
    std::vector<SpellChecker::Entry> entries = SpellChecker::entries(text::lowercased(word));
    if (entries.empty())
        for (const std::string& stem : SpellChecker::stems(text::lowercased(word)))
            for (auto& e : SpellChecker::entries(text::lowercased(stem))) entries.push_back(std::move(e));
    for (const auto& e : entries) {
        if (startsUpper(e.word)) continue;
        r.noun = r.noun || e.flags.find('M') != std::string::npos;
        r.adjective = r.adjective || e.flags.find('T') != std::string::npos;
        r.number = r.number || e.flags.find('H') != std::string::npos;
        r.verb = r.verb || e.flags.find('G') != std::string::npos;
    }
    return r;
}

Tag classify(const Word& w, std::string_view previous, Tag previousTag)
{
    const std::string word = bare(w.text);
    if (contains(kFunctionWords, text::lowercased(word))) return Tag::other;
    if (startsUpper(word)) {
        // Inside a sentence a capital is the speaker's own mark of a name when
        // the dictionary knows the word capitalised or not at all; at a
        // sentence's start only a word known solely capitalised is one.
        const auto entries = SpellChecker::entries(text::lowercased(word));
        const bool knownCapitalised = std::any_of(entries.begin(), entries.end(), [&](const SpellChecker::Entry& e) { return e.word == word; });
        if (!w.opensSentence && knownCapitalised) return Tag::name;
        const std::optional<bool> capitalOnly = onlyCapitalised(word);
        if (capitalOnly.value_or(!w.opensSentence)) return Tag::name;
    }
    if (!std::any_of(word.begin(), word.end(), [](unsigned char c) { return std::isalpha(c) || c >= 0x80; })) return Tag::other;
    if (contains(kBeforeVerb, previous)) return Tag::other;
    // A hyphenated word reads as its last part ("self-care" as "care").
    const std::size_t dash = word.find_last_of('-');
    const Reading r = readingOf(dash == std::string::npos || dash + 1 == word.size() ? word : word.substr(dash + 1));
    if (!r.noun || r.adjective || r.number) return Tag::other;
    // Right after a noun, a word that can be a verb is read as one
    // ("the soil feels"), unless a determiner says otherwise.
    if (r.verb && (previousTag == Tag::noun || previousTag == Tag::name) && !contains(kBeforeNoun, previous)) return Tag::other;
    return Tag::noun;
}

}  // namespace

std::vector<Token> tag(std::string_view input)
{
    const std::vector<Word> all = words(input);
    std::vector<Token> tokens;
    std::string previous;
    for (std::size_t i = 0; i < all.size(); ++i) {
        const Tag previousTag = tokens.empty() || !all[i].joinsPrevious ? Tag::other : tokens.back().tag;
        Tag t = classify(all[i], previous, previousTag);
        // A capitalised word inside a sentence right before a name is part of it.
        const bool leadsName = t != Tag::name && startsUpper(all[i].text) && !all[i].opensSentence && i + 1 < all.size() &&
                               all[i + 1].joinsPrevious && classify(all[i + 1], "", Tag::other) == Tag::name;
        if (leadsName) t = Tag::name;
        if (t == Tag::name && all[i].joinsPrevious && !tokens.empty() && tokens.back().tag == Tag::name)
            tokens.back().text += " " + all[i].text;
        else
            tokens.push_back({all[i].text, t});
        previous = text::lowercased(all[i].text);
    }
    return tokens;
}

}  // namespace vt::WordTagger
