// The syllable romanizer inside Transliterator: one Devanagari word read
// letter by letter into syllable units, shaped by the source script's
// profile, written out in informal Roman letters (नाम gives "naam", not a
// scholarly "nāma"). Other scripts reach it after conversion to Devanagari,
// so one set of letter tables serves them all.

#include "speech/IcuTransforms.h"
#include "speech/Transliterator.h"

#include "platform/TextRules.h"

#include <array>

namespace vt {

namespace {

constexpr char32_t nukta = 0x093C;
constexpr char32_t virama = 0x094D;
constexpr char32_t anusvara = 0x0902;
constexpr char32_t candrabindu = 0x0901;
constexpr char32_t visarga = 0x0903;
constexpr char32_t zeroWidthJoiner = 0x200D;
constexpr char32_t zeroWidthNonJoiner = 0x200C;
constexpr char32_t danda = 0x0964;
constexpr char32_t doubleDanda = 0x0965;
constexpr char32_t digitZero = 0x0966;
constexpr char32_t digitNine = 0x096F;

struct Letter {
    char32_t c;
    const char* roman;
};

constexpr Letter consonantRows[] = {
    {U'क', "k"},  {U'ख', "kh"}, {U'ग', "g"},   {U'घ', "gh"}, {U'ङ', "ng"}, {U'च', "ch"}, {U'छ', "chh"},
    {U'ज', "j"},  {U'झ', "jh"}, {U'ञ', "n"},   {U'ट', "t"},  {U'ठ', "th"}, {U'ड', "d"},  {U'ढ', "dh"},
    {U'ण', "n"},  {U'त', "t"},  {U'थ', "th"},  {U'द', "d"},  {U'ध', "dh"}, {U'न', "n"},  {U'प', "p"},
    {U'फ', "ph"}, {U'ब', "b"},  {U'भ', "bh"},  {U'म', "m"},  {U'य', "y"},  {U'र', "r"},  {U'ल', "l"},
    {U'ळ', "l"},  {U'व', "v"},  {U'श', "sh"},  {U'ष', "sh"}, {U'स', "s"},  {U'ह', "h"},
};

// A base letter followed by the nukta sign. "R" marks ऱ for the final
// replacements (it becomes "tr" doubled, "ndr" after n, else "r").
constexpr Letter nuktaRows[] = {
    {U'क', "q"}, {U'ख', "kh"}, {U'ग', "g"}, {U'ज', "z"}, {U'ड', "d"}, {U'ढ', "dh"},
    {U'फ', "f"}, {U'य', "y"},  {U'न', "n"}, {U'र', "R"}, {U'ळ', "zh"},
};

constexpr Letter independentVowelRows[] = {
    {U'अ', "a"},  {U'आ', "aa"}, {U'इ', "i"}, {U'ई', "ee"}, {U'उ', "u"}, {U'ऊ', "oo"}, {U'ऋ', "ri"},
    {U'ए', "e"},  {U'ऐ', "ai"}, {U'ओ', "o"}, {U'औ', "au"}, {U'ऑ', "o"}, {U'ऎ', "e"},  {U'ऒ', "o"},
};

constexpr Letter vowelSignRows[] = {
    {U'ा', "a"}, {U'ि', "i"},  {U'ी', "i"}, {U'ु', "u"}, {U'ू', "u"}, {U'ृ', "ri"}, {U'े', "e"},
    {U'ै', "ai"}, {U'ो', "o"}, {U'ौ', "au"}, {U'ॉ', "o"}, {U'ॆ', "e"}, {U'ॊ', "o"},
};

// Malayalam chillu letters (a consonant with no vowel) that the conversion
// to Devanagari leaves as they are.
constexpr Letter chilluRows[] = {
    {U'ൺ', "n"}, {U'ൻ', "n"}, {U'ർ', "r"}, {U'ൽ', "l"}, {U'ൾ', "l"}, {U'ൿ', "k"},
};

// The Devanagari block as an index: letter -> Roman letters (null: none).
using BlockTable = std::array<const char*, 128>;

template <std::size_t N>
constexpr BlockTable blockTable(const Letter (&rows)[N])
{
    BlockTable t{};
    for (const auto& row : rows) t[row.c - 0x0900] = row.roman;
    return t;
}

constexpr BlockTable consonants = blockTable(consonantRows);
constexpr BlockTable nuktaForms = blockTable(nuktaRows);
constexpr BlockTable independentVowels = blockTable(independentVowelRows);
constexpr BlockTable vowelSigns = blockTable(vowelSignRows);

const char* lookUp(const BlockTable& table, char32_t c)
{
    return c >= 0x0900 && c <= 0x097F ? table[c - 0x0900] : nullptr;
}

const char* chillu(char32_t c)
{
    for (const auto& row : chilluRows)
        if (row.c == c) return row.roman;
    return nullptr;
}

bool isLongVowelSign(char32_t c) { return c == U'ा' || c == U'ी' || c == U'ू'; }
bool isDental(char32_t c) { return c == U'त' || c == U'थ' || c == U'द' || c == U'ध'; }

std::string dentalAsTH(const std::string& r) { return r == "t" ? "th" : r == "d" ? "dh" : r; }

std::string longForm(const std::string& v) { return v == "a" ? "aa" : v == "i" ? "ee" : v == "u" ? "oo" : v; }
std::string shortForm(const std::string& v) { return v == "aa" ? "a" : v == "ee" ? "i" : v == "oo" ? "u" : v; }

void replaceAll(std::string& s, std::string_view from, std::string_view to)
{
    for (std::size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size()))
        s.replace(at, from.size(), to);
}

void appendScalar(std::string& out, char32_t c) { out += text::toUtf8(std::u32string_view(&c, 1)); }

using Unit = Transliterator::Unit;
using Profile = Transliterator::Profile;

// The inherent vowel is silent at the end of a word and between a sounded
// syllable and a full one (कमल "kamal", समझना "samajhna"). Walking right to
// left over the current vowels keeps two neighbours from both losing theirs.
void dropSchwa(std::vector<Unit>& u)
{
    auto silentCandidate = [](const Unit& x) { return x.inherent && x.nasal.empty(); };
    if (silentCandidate(u.back())) u.back().vowel.clear();
    if (u.size() < 3) return;
    for (std::size_t k = u.size() - 2; k >= 1; --k)
        if (silentCandidate(u[k]) && !u[k - 1].vowel.empty() && u[k + 1].consonant && !u[k + 1].vowel.empty())
            u[k].vowel.clear();
}

bool writesLong(const std::vector<Unit>& u, std::size_t i, const Profile& p)
{
    const Unit& unit = u[i];
    if (!unit.longMatra) return false;
    const bool last = i + 1 == u.size();
    switch (p.vowelLength) {
    case Transliterator::VowelLength::beforeBareConsonant:
        return unit.nasal.empty() && !last && u[i + 1].consonant && u[i + 1].vowel.empty();
    case Transliterator::VowelLength::exceptLast:
        return !last || u.size() == 1;
    case Transliterator::VowelLength::never:
        return false;
    }
    return false;
}

std::string writtenNasal(const std::vector<Unit>& u, std::size_t i, const Profile& p)
{
    const Unit& unit = u[i];
    if (unit.nasal != "n") return unit.nasal;
    const bool last = i + 1 == u.size();
    if (!last && u[i + 1].consonant) {
        const std::string& next = *u[i + 1].consonant;
        if (next == "p" || next == "ph" || next == "b" || next == "bh" || next == "m") return "m";
    }
    if (p.finalAnusvaraM && last) return "m";
    return "n";
}

}  // namespace

const Transliterator::Profile& Transliterator::Profile::hindi()
{
    static const Profile profile{"a", true, VowelLength::beforeBareConsonant, false, false, false, false, false};
    return profile;
}

const Transliterator::Profile& Transliterator::Profile::of(CaptionScript script)
{
    using V = VowelLength;
    static const Profile bengali{"o", true, V::never, false, false, false, false, false};
    static const Profile gujarati{"a", true, V::beforeBareConsonant, false, false, false, false, true};
    static const Profile oriya{"a", false, V::never, false, false, false, false, false};
    static const Profile tamil{"a", false, V::exceptLast, true, true, false, false, false};
    static const Profile teluguKannada{"a", false, V::exceptLast, false, false, false, true, false};
    static const Profile malayalam{"a", false, V::exceptLast, true, false, true, true, false};
    switch (script) {
    case CaptionScript::bengali: return bengali;
    case CaptionScript::gujarati: return gujarati;
    case CaptionScript::oriya: return oriya;
    case CaptionScript::tamil: return tamil;
    case CaptionScript::telugu:
    case CaptionScript::kannada: return teluguKannada;
    case CaptionScript::malayalam: return malayalam;
    case CaptionScript::devanagari:
    case CaptionScript::gurmukhi:
    case CaptionScript::latin:
    case CaptionScript::urdu: break;
    }
    return hindi();
}

std::string Transliterator::transliterate(std::string_view devanagariText, const Profile& profile)
{
    const std::u32string cs = icu_transforms::decomposedScalars(devanagariText);
    std::string out;
    std::vector<Unit> units;
    auto flush = [&] {
        out += render(std::move(units), profile);
        units.clear();
    };
    for (std::size_t i = 0; i < cs.size(); ++i) {
        const char32_t c = cs[i];
        if (const char* roman = lookUp(consonants, c)) {
            std::string r = roman;
            if (i + 1 < cs.size() && cs[i + 1] == nukta) {
                if (const char* withNukta = lookUp(nuktaForms, c)) r = withNukta;
                ++i;
            }
            if (profile.dentalsAsTH && isDental(c)) r = dentalAsTH(r);
            units.push_back({std::move(r), profile.inherentVowel, true, "", false, false});
        } else if (const char* roman = chillu(c)) {
            units.push_back({std::string(roman), "", false, "", false, false});
        } else if (const char* sign = lookUp(vowelSigns, c); sign && !units.empty()) {
            units.back().vowel = sign;
            units.back().inherent = false;
            units.back().longMatra = isLongVowelSign(c);
        } else if (c == virama && !units.empty()) {
            units.back().vowel.clear();
            units.back().inherent = false;
            units.back().virama = true;
        } else if (c == zeroWidthJoiner || c == zeroWidthNonJoiner) {
            if (c == zeroWidthJoiner && !units.empty()) units.back().virama = false;
        } else if (const char* vowel = lookUp(independentVowels, c)) {
            std::string r = c == U'अ' ? profile.inherentVowel : std::string(vowel);
            if (profile.vowelLength == VowelLength::never) r = shortForm(r);
            units.push_back({std::nullopt, std::move(r), false, "", false, false});
        } else if ((c == anusvara || c == candrabindu || c == visarga) && !units.empty()) {
            units.back().nasal = c == visarga ? "h" : "n";
        } else if (c >= digitZero && c <= digitNine) {
            flush();
            out += static_cast<char>('0' + (c - digitZero));
        } else if (c == danda || c == doubleDanda) {
            flush();
            out += '.';
        } else {
            flush();
            appendScalar(out, c);
        }
    }
    flush();
    return out;
}

std::string Transliterator::render(std::vector<Unit> u, const Profile& p)
{
    const std::size_t n = u.size();
    if (n == 0) return {};
    if (p.dropsSchwa && n > 1) dropSchwa(u);
    if (p.finalViramaU && n > 1 && u.back().virama && u.back().consonant) u.back().vowel = "u";
    if (p.tamilVoicing) voiceTamil(u);
    if (p.dropsFinalNasal) u.back().nasal.clear();
    if (n > 1 && !u.back().consonant) u.back().vowel = shortForm(u.back().vowel);

    std::string out;
    for (std::size_t i = 0; i < n; ++i) {
        if (u[i].consonant) out += *u[i].consonant;
        out += writesLong(u, i, p) ? longForm(u[i].vowel) : u[i].vowel;
        out += writtenNasal(u, i, p);
    }
    replaceAll(out, "RR", "tr");
    replaceAll(out, "nR", "ndr");
    replaceAll(out, "R", "r");
    replaceAll(out, "ngng", "ng");
    replaceAll(out, "ngg", "ng");
    replaceAll(out, "ngk", "nk");
    return out;
}

void Transliterator::voiceTamil(std::vector<Unit>& u)
{
    for (std::size_t i = 0; i < u.size(); ++i) {
        if (!u[i].consonant) continue;
        std::string& c = *u[i].consonant;
        if (c != "k" && c != "t" && c != "th" && c != "p" && c != "ch") continue;
        if (i == 0) {
            if (c == "ch") c = "s";
            continue;
        }
        const Unit& prev = u[i - 1];
        const bool afterNasal =
            prev.consonant && (*prev.consonant == "n" || *prev.consonant == "m" || *prev.consonant == "ng") &&
            prev.vowel.empty();
        const bool afterVowel = !prev.vowel.empty();
        if (c == "ch") {
            if (afterNasal) c = "j";
            else if (afterVowel) c = "s";
        } else if (afterNasal || (afterVowel && !u[i].vowel.empty())) {
            c = c == "k" ? "g" : c == "t" ? "d" : c == "th" ? "dh" : "b";
        }
    }
}

}  // namespace vt
