#include "speech/Transliterator.h"

#include "speech/IcuTransforms.h"
#include "speech/Loanwords.h"

#include "platform/TextRules.h"

#include <unicode/brkiter.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

#include <memory>
#include <unordered_map>

namespace vt {

namespace {

using Entry = std::pair<std::string_view, std::string_view>;

// Everyday Hindi words whose usual Roman spelling the letter rules would not
// give (क्यों is typed "kyun", not "kyon"). Several appear with candrabindu
// and anusvara, and with and without nukta (stored as base letter + U+093C).
constexpr Entry commonWordRows[] = {
    {"नहीं", "nahi"},    {"हूँ", "hoon"},     {"हूं", "hoon"},      {"क्यों", "kyun"},   {"यहाँ", "yahan"},
    {"यहां", "yahan"},   {"वहाँ", "wahan"},   {"वहां", "wahan"},    {"कहाँ", "kahan"},   {"कहां", "kahan"},
    {"तो", "toh"},       {"वो", "woh"},       {"में", "mein"},      {"मैं", "main"},     {"हैं", "hain"},
    {"है", "hai"},       {"अच्छा", "accha"},  {"अच्छी", "acchi"},   {"अच्छे", "acche"},  {"हम", "hum"},
    {"तुम", "tum"},      {"आप", "aap"},       {"कुछ", "kuch"},      {"ज़्यादा", "zyada"}, {"ज्यादा", "zyada"},
    {"थोड़ा", "thoda"},   {"थोड़ी", "thodi"},   {"बड़ा", "bada"},      {"बड़ी", "badi"},     {"पढ़ाई", "padhai"},
    {"यार", "yaar"},     {"भाई", "bhai"},     {"सही", "sahi"},      {"वाला", "wala"},    {"वाली", "wali"},
    {"वाले", "wale"},    {"क्योंकि", "kyunki"}, {"इसलिए", "isliye"}, {"लिए", "liye"},     {"दिया", "diya"},
    {"किया", "kiya"},    {"गया", "gaya"},     {"गई", "gayi"},       {"हुआ", "hua"},      {"हुई", "hui"},
    {"ठीक", "theek"},    {"मुझे", "mujhe"},   {"तुम्हें", "tumhe"},   {"उन्हें", "unhe"},
};

const std::unordered_map<std::string, std::string>& commonWords()
{
    static const auto map = [] {
        std::unordered_map<std::string, std::string> m;
        for (const auto& [word, roman] : commonWordRows) m.emplace(text::canonical(word), std::string(roman));
        return m;
    }();
    return map;
}

std::optional<std::string> commonWord(const std::string& core)
{
    const auto& map = commonWords();
    auto it = map.find(core);
    if (it == map.end()) it = map.find(text::canonical(core));
    if (it == map.end()) return std::nullopt;
    return it->second;
}

void replaceAll(std::string& s, std::string_view from, std::string_view to)
{
    for (std::size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size()))
        s.replace(at, from.size(), to);
}

std::string dandasAsFullStops(std::string s)
{
    replaceAll(s, "।", ".");
    replaceAll(s, "॥", ".");
    return s;
}

// A word cut around its letters and numbers: "“नाम।”" is "“", "नाम", "।”".
struct WordParts {
    std::string leading;
    std::string core;
    std::string trailing;
};

std::string utf8(const icu::UnicodeString& s, int32_t start, int32_t end)
{
    std::string out;
    s.tempSubStringBetween(start, end).toUTF8String(out);
    return out;
}

// A character (grapheme cluster) counts as a letter or number by its first
// scalar, so a consonant with its vowel signs and virama stays in the core.
bool isLetterOrNumber(UChar32 c)
{
    return u_hasBinaryProperty(c, UCHAR_ALPHABETIC) || u_getIntPropertyValue(c, UCHAR_NUMERIC_TYPE) != U_NT_NONE;
}

// None when the word has no letter or number.
std::optional<WordParts> splitAroundLetters(std::string_view word)
{
    thread_local std::unique_ptr<icu::BreakIterator> clusters = [] {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::BreakIterator> it(
            icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
        if (U_FAILURE(status)) it.reset();
        return it;
    }();
    const icu::UnicodeString u =
        icu::UnicodeString::fromUTF8(icu::StringPiece(word.data(), static_cast<int32_t>(word.size())));
    int32_t first = -1, lastEnd = -1;
    auto consider = [&](int32_t start, int32_t end) {
        if (!isLetterOrNumber(u.char32At(start))) return;
        if (first < 0) first = start;
        lastEnd = end;
    };
    if (clusters) {
        clusters->setText(u);
        for (int32_t start = clusters->first(), end = clusters->next(); end != icu::BreakIterator::DONE;
             start = end, end = clusters->next())
            consider(start, end);
    } else {
        for (int32_t i = 0; i < u.length(); i = u.moveIndex32(i, 1)) consider(i, u.moveIndex32(i, 1));
    }
    if (first < 0) return std::nullopt;
    return WordParts{utf8(u, 0, first), utf8(u, first, lastEnd), utf8(u, lastEnd, u.length())};
}

// Gurmukhi spells a doubled consonant with an addak before it and a nasal
// with a tippi; the ICU transform drops the addak, so spell both the way
// Devanagari does first: consonant + virama + consonant, and a bindi.
std::string devanagariSpellingOfGurmukhi(std::string_view text)
{
    constexpr char32_t tippi = 0x0A70, bindi = 0x0A02, addak = 0x0A71, virama = 0x0A4D;
    auto isConsonant = [](char32_t c) { return c >= 0x0A15 && c <= 0x0A39; };
    std::u32string out;
    bool afterAddak = false;
    for (char32_t c : text::toUtf32(text)) {
        if (c == tippi) c = bindi;
        if (c == addak) {
            afterAddak = true;
            continue;
        }
        if (afterAddak && isConsonant(c)) {
            out += c;
            out += virama;
        }
        out += c;
        afterAddak = false;
    }
    return text::toUtf8(out);
}

void useUrduLetters(std::string& s)
{
    replaceAll(s, "ي", "ی");
    replaceAll(s, "ك", "ک");
    replaceAll(s, "ه", "ہ");
    replaceAll(s, ",", "،");
}

}  // namespace

bool Transliterator::containsIndic(std::string_view text) { return detectCaptionScript(text).has_value(); }

std::string Transliterator::toDevanagari(std::string_view text)
{
    const auto script = detectCaptionScript(text);
    if (!script || *script == CaptionScript::devanagari) return std::string(text);
    const auto name = icuName(*script);
    if (!name) return std::string(text);
    const std::string source =
        *script == CaptionScript::gurmukhi ? devanagariSpellingOfGurmukhi(text) : std::string(text);
    if (auto converted = icu_transforms::apply(std::string(*name) + "-Devanagari", source)) return *converted;
    return std::string(text);
}

std::string Transliterator::romanize(std::string_view text)
{
    if (!containsIndic(text)) return std::string(text);
    std::string out;
    std::size_t start = 0;
    while (true) {
        const std::size_t blank = text.find(' ', start);
        const std::size_t end = blank == std::string_view::npos ? text.size() : blank;
        out += romanizeWord(text.substr(start, end - start));
        if (blank == std::string_view::npos) break;
        out += ' ';
        start = blank + 1;
    }
    return out;
}

std::string Transliterator::romanizeWord(std::string_view word)
{
    if (!containsIndic(word)) return std::string(word);
    const CaptionScript script = detectCaptionScript(word).value_or(CaptionScript::devanagari);
    const Profile& profile = Profile::of(script);
    const std::string d = toDevanagari(word);
    auto parts = splitAroundLetters(d);
    if (!parts) return dandasAsFullStops(d);

    std::optional<std::string> roman;
    if (script == CaptionScript::devanagari) roman = commonWord(parts->core);
    if (!roman) {
        roman = transliterate(parts->core, profile);
        if (auto english = Loanwords::english(parts->core, *roman)) roman = std::move(english);
    }
    return parts->leading + *roman + dandasAsFullStops(parts->trailing);
}

std::string Transliterator::display(std::string_view native, std::string_view fallback, CaptionScript script)
{
    if (script == CaptionScript::latin) return romanize(containsIndic(fallback) ? fallback : native);
    if (detectCaptionScript(native) == script) return std::string(native);
    std::string d = toDevanagari(native);

    // An English word stays English in every script.
    if (auto parts = splitAroundLetters(d)) {
        const std::string roman = transliterate(parts->core, Profile::hindi());
        if (auto english = Loanwords::english(parts->core, roman))
            return parts->leading + *english + parts->trailing;
    }

    const auto id = transformID(script);
    if (!id) return d;
    std::string shown = icu_transforms::apply(*id, d).value_or(d);
    if (script == CaptionScript::urdu) useUrduLetters(shown);
    return shown;
}

}  // namespace vt
