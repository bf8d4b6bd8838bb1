#include "platform/WordTagger.h"

#include "platform/SpellChecker.h"
#include "platform/TextRules.h"
#include "platform/WordTaggerClasses.h"

#include <unicode/brkiter.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <unordered_map>

namespace vt::WordTagger {
namespace {

using Part = WordLexicon::Part;

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

bool hasLetter(std::string_view word)
{
    const std::u32string chars = text::toUtf32(word);
    return std::any_of(chars.begin(), chars.end(), [](char32_t c) { return u_isalpha(UChar32(c)); });
}

// What a word form is, whatever its neighbours: its class, its readings in
// the lexicon and whether it is a name by itself.
struct Facts {
    WordClass wordClass = WordClass::function;
    WordLexicon::Readings readings;
    bool possessive = false;    // "Priya's": a noun follows
    bool knownCapital = false;  // the spelling dictionary has it capitalised
    bool onlyCapital = false;   // ... and only so ("London", "Friday")
    bool unknown = false;       // neither lexicon knows it in any case
};

// Lower case, apostrophes straight, without a possessive ending.
std::string bareLower(std::string_view text, bool& possessive)
{
    const std::string folded = text::lowercased(text);
    constexpr std::string_view kCurly = "\u2019";
    std::string lower;
    for (std::size_t i = 0; i < folded.size(); ++i) {
        const bool curly = std::string_view(folded).substr(i, kCurly.size()) == kCurly;
        lower += curly ? '\'' : folded[i];
        if (curly) i += kCurly.size() - 1;
    }
    possessive = lower.size() > 2 && lower.ends_with("'s") && wordClass(lower) == WordClass::open;
    if (possessive) lower.resize(lower.size() - 2);
    return lower;
}

bool allNumbers(std::string_view lower)
{
    for (std::size_t from = 0; from <= lower.size();) {
        const std::size_t dash = std::min(lower.find('-', from), lower.size());
        if (wordClass(lower.substr(from, dash - from)) != WordClass::number) return false;
        from = dash + 1;
    }
    return true;
}

// A word the lexicon lacks ("app", "smartphone") reads as a noun when the
// spelling dictionary gives it, or the form it derives from, the possessive.
bool spelledAsNoun(const std::string& lower, const std::vector<std::string>& stems)
{
    auto takesPossessive = [](const std::string& form) {
        const auto entries = SpellChecker::entries(form);
        return std::any_of(entries.begin(), entries.end(), [](const SpellChecker::Entry& e) {
            return !startsUpper(e.word) && e.flags.find('M') != std::string::npos;
        });
    };
    return takesPossessive(lower) ||
           std::any_of(stems.begin(), stems.end(), [&](const std::string& s) { return takesPossessive(text::lowercased(s)); });
}

Facts factsOf(const std::string& lower, bool possessive, const WordLexicon& lexicon)
{
    Facts f;
    f.possessive = possessive;
    if (!hasLetter(lower)) return f;
    f.wordClass = allNumbers(lower) ? WordClass::number : wordClass(lower);
    if (f.wordClass != WordClass::open) return f;
    f.readings = lexicon.readings(lower);
    // A hyphenated word the lexicon lacks reads as its last part, though
    // never as a verb: "self-care" is a noun, "well-known" an adjective.
    const std::size_t dash = lower.find_last_of('-');
    if (!f.readings.any() && dash != std::string::npos && dash + 1 < lower.size()) {
        f.readings = lexicon.readings(std::string_view(lower).substr(dash + 1));
        f.readings.weight[WordLexicon::verb] = 0;
    }

    const auto entries = SpellChecker::entries(lower);
    const auto capital = [](const SpellChecker::Entry& e) { return startsUpper(e.word); };
    const auto titleCase = [](const SpellChecker::Entry& e) { return text::uppercased(e.word) != e.word; };
    f.knownCapital = std::any_of(entries.begin(), entries.end(), capital);
    // "rules" and "windows" are headwords only as names ("Rules", "Windows"),
    // yet the lower-case form is a plural all the same: only a word whose
    // lower-case form is misspelled exists solely capitalised.
    f.onlyCapital = !entries.empty() && std::all_of(entries.begin(), entries.end(), capital) &&
                    std::any_of(entries.begin(), entries.end(), titleCase) && !SpellChecker::isCorrect(lower);
    if (!f.readings.any()) {
        const std::vector<std::string> stems = SpellChecker::stems(lower);
        f.readings.weight[WordLexicon::noun] = spelledAsNoun(lower, stems) ? 1 : 0;
        f.unknown = entries.empty() && stems.empty();
    }
    return f;
}

// Names: words the spelling dictionary knows only capitalised, however they
// are written; capitalised words inside a sentence that it knows
// capitalised; capitalised words that neither lexicon knows at all.
bool isName(const Word& w, const Facts& f)
{
    if (f.wordClass != WordClass::open) return false;
    if (f.onlyCapital) return true;
    if (!startsUpper(w.text)) return false;
    return (!w.opensSentence && f.knownCapital) || f.unknown;
}

// What the words before lead the reader to expect of the next one: a noun or
// a verb wherever the word can be one, or only where that reading is common.
// After a number, a plural is a noun ("three calls") and other forms lean to
// one: unpunctuated speech runs on into the next clause ("first put your
// phone away", "at six make coffee").
enum class Expect { nothing, noun, nounLikely, counted, verb, verbLikely, verbIfIng };

// An adjective (or participle) before a word that can be a noun qualifies
// it: "the good habits", "a short break".
bool qualifiesNext(const Facts& f, const Facts* next)
{
    const auto& r = f.readings;
    const bool adjectiveFirst = r[WordLexicon::adjective] > 0 && r[WordLexicon::adjective] >= r[WordLexicon::noun];
    return adjectiveFirst && next && next->wordClass == WordClass::open && next->readings[WordLexicon::noun] > 0;
}

// The part of speech an open-class word takes here: the likeliest reading,
// weighted by what its neighbours lead one to expect.
std::optional<Part> partOf(const std::string& lower, const Facts& f, Expect e, const Facts* next)
{
    if (!f.readings.any()) return std::nullopt;
    WordLexicon::Readings r = f.readings;
    // Nouns hardly ever stand right before "me" or "them", and the lexicon
    // lacks newer verbs made from nouns ("text me").
    if (next && next->wordClass == WordClass::object) return WordLexicon::verb;
    switch (e) {
    case Expect::noun:
        if (qualifiesNext(f, next)) return WordLexicon::adjective;
        if (r[WordLexicon::noun] > 0) return WordLexicon::noun;
        break;
    case Expect::counted:
        if (qualifiesNext(f, next)) return WordLexicon::adjective;
        if (r.plural) return WordLexicon::noun;
        [[fallthrough]];
    case Expect::nounLikely: r.weight[WordLexicon::noun] *= 5; break;
    case Expect::verb:
        if (r[WordLexicon::verb] > 0) return WordLexicon::verb;
        break;
    case Expect::verbLikely: r.weight[WordLexicon::verb] *= 4; break;
    case Expect::verbIfIng:
        if (lower.ends_with("ing") && r[WordLexicon::verb] > 0) return WordLexicon::verb;
        break;
    case Expect::nothing: break;
    }
    return r.likeliest();
}

// What a closed-class word leads one to expect next.
Expect expectAfter(WordClass c, Expect before, bool afterVerb)
{
    switch (c) {
    case WordClass::determiner:
    case WordClass::possessive: return Expect::noun;
    case WordClass::number: return Expect::counted;
    case WordClass::subject:
    case WordClass::modal: return Expect::verb;
    case WordClass::subjectOrObject: return afterVerb ? Expect::nothing : Expect::verb;
    case WordClass::to: return Expect::verbLikely;
    case WordClass::be: return Expect::verbIfIng;
    case WordClass::adverb: return before;
    default: return Expect::nothing;
    }
}

// The facts of every word, worked out once per form: a transcript says the
// same words again and again.
struct Forms {
    std::unordered_map<std::string, Facts> known;
    std::vector<std::string> lowers;
    std::vector<const Facts*> facts;
};

void learnForms(const std::vector<Word>& all, const WordLexicon& lexicon, Forms& forms)
{
    forms.lowers.resize(all.size());
    forms.facts.resize(all.size());
    for (std::size_t i = 0; i < all.size(); ++i) {
        bool possessive = false;
        forms.lowers[i] = bareLower(all[i].text, possessive);
        auto found = forms.known.find(all[i].text);
        if (found == forms.known.end())
            found = forms.known.emplace(all[i].text, factsOf(forms.lowers[i], possessive, lexicon)).first;
        forms.facts[i] = &found->second;
    }
}

// Each word in turn, left to right, with what the words before it lead one to expect.
std::vector<Tag> tagInContext(const std::vector<Word>& all, const Forms& forms)
{
    std::vector<Tag> tags(all.size(), Tag::other);
    Expect expect = Expect::nothing;
    bool afterVerb = false;  // the word before was a verb or a preposition
    for (std::size_t i = 0; i < all.size(); ++i) {
        const Facts& f = *forms.facts[i];
        if (all[i].opensSentence || !all[i].joinsPrevious) expect = Expect::nothing, afterVerb = false;
        if (f.wordClass != WordClass::open) {
            expect = expectAfter(f.wordClass, expect, afterVerb);
            afterVerb = f.wordClass == WordClass::preposition || f.wordClass == WordClass::to;
            continue;
        }
        if (isName(all[i], f)) {
            tags[i] = Tag::name;
            expect = f.possessive ? Expect::noun : Expect::nothing;
            afterVerb = false;
            continue;
        }
        const Facts* next = i + 1 < all.size() && all[i + 1].joinsPrevious ? forms.facts[i + 1] : nullptr;
        const std::optional<Part> part = partOf(forms.lowers[i], f, expect, next);
        if (part == WordLexicon::noun) tags[i] = Tag::noun;
        afterVerb = part == WordLexicon::verb;
        if (f.possessive)
            expect = Expect::noun;
        else if (part == WordLexicon::adjective)
            expect = expect == Expect::noun ? Expect::noun : Expect::nounLikely;
        else if (part == WordLexicon::noun && f.readings.plural)
            expect = Expect::verbLikely;  // plural nouns rarely qualify another noun: "small habits add up"
        else if (part != WordLexicon::adverb)
            expect = Expect::nothing;
    }
    return tags;
}

// A capitalised word inside a sentence right beside a name is part of it
// ("Priya Shah", "New York"); the run becomes one token.
std::vector<Token> joinNames(const std::vector<Word>& all, const Forms& forms, std::vector<Tag> tags)
{
    auto joinsName = [&](std::size_t i) {
        return tags[i] != Tag::name && !all[i].opensSentence && startsUpper(all[i].text) &&
               forms.facts[i]->wordClass == WordClass::open;
    };
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (tags[i] != Tag::name) continue;
        for (std::size_t j = i; j > 0 && all[j].joinsPrevious && joinsName(j - 1); --j) tags[j - 1] = Tag::name;
        for (std::size_t j = i + 1; j < all.size() && all[j].joinsPrevious && joinsName(j); ++j) tags[j] = Tag::name;
    }
    std::vector<Token> tokens;
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (tags[i] == Tag::name && all[i].joinsPrevious && !tokens.empty() && tokens.back().tag == Tag::name)
            tokens.back().text += " " + all[i].text;
        else
            tokens.push_back({all[i].text, tags[i]});
    }
    return tokens;
}

}  // namespace

std::vector<Token> tag(std::string_view input)
{
    const WordLexicon& lexicon = WordLexicon::english();
    const std::vector<Word> all = words(input);
    Forms forms;
    learnForms(all, lexicon, forms);
    return joinNames(all, forms, tagInContext(all, forms));
}

}  // namespace vt::WordTagger
