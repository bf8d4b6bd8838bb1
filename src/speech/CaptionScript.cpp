#include "speech/CaptionScript.h"

namespace vt {

namespace {

struct ScriptFacts {
    CaptionScript script;
    std::string_view glyph;
    std::string_view icuName;      // empty: none
    std::string_view transformID;  // empty: none
    char32_t blockFirst;           // 0: no block
    char32_t blockLast;
};

using S = CaptionScript;
constexpr std::array<ScriptFacts, 11> facts{{
    {S::latin, "abc", "", "", 0, 0},
    {S::devanagari, "अ", "Devanagari", "", 0x0900, 0x097F},
    {S::bengali, "অ", "Bengali", "Devanagari-Bengali", 0x0980, 0x09FF},
    {S::gurmukhi, "ਅ", "Gurmukhi", "Devanagari-Gurmukhi", 0x0A00, 0x0A7F},
    {S::gujarati, "અ", "Gujarati", "Devanagari-Gujarati", 0x0A80, 0x0AFF},
    {S::oriya, "ଅ", "Oriya", "Devanagari-Oriya", 0x0B00, 0x0B7F},
    {S::tamil, "அ", "Tamil", "Devanagari-Tamil", 0x0B80, 0x0BFF},
    {S::telugu, "అ", "Telugu", "Devanagari-Telugu", 0x0C00, 0x0C7F},
    {S::kannada, "ಅ", "Kannada", "Devanagari-Kannada", 0x0C80, 0x0CFF},
    {S::malayalam, "അ", "Malayalam", "Devanagari-Malayalam", 0x0D00, 0x0D7F},
    {S::urdu, "ا", "", "Devanagari-Arabic", 0, 0},
}};

constexpr bool inDeclarationOrder()
{
    for (std::size_t i = 0; i < facts.size(); ++i)
        if (static_cast<std::size_t>(facts[i].script) != i) return false;
    return true;
}
static_assert(inDeclarationOrder(), "facts are indexed by the script's case");

// Every scalar of U+0900 ... U+0D7F is the three bytes E0 A4..B5 80..BF in
// UTF-8, so the first Indic letter is found without decoding the whole text
// (this runs for every word of every caption derivation).
std::optional<char32_t> firstIndicScalar(std::string_view text)
{
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t n = text.size();
    for (std::size_t i = 0; i + 2 < n; ++i) {
        if (p[i] != 0xE0 || p[i + 1] < 0xA4 || p[i + 1] > 0xB5) continue;
        if ((p[i + 2] & 0xC0) != 0x80) continue;
        return static_cast<char32_t>(((p[i + 1] & 0x3F) << 6) | (p[i + 2] & 0x3F));
    }
    return std::nullopt;
}

const ScriptFacts& factsOf(CaptionScript script) { return facts[static_cast<std::size_t>(script)]; }

std::optional<std::string_view> presentOrNone(std::string_view s)
{
    return s.empty() ? std::nullopt : std::optional(s);
}

}  // namespace

std::string_view glyph(CaptionScript script) { return factsOf(script).glyph; }

std::optional<std::string_view> icuName(CaptionScript script) { return presentOrNone(factsOf(script).icuName); }

std::optional<std::string_view> transformID(CaptionScript script)
{
    return presentOrNone(factsOf(script).transformID);
}

std::optional<CaptionScript> detectCaptionScript(std::string_view text)
{
    auto c = firstIndicScalar(text);
    if (!c) return std::nullopt;
    for (const auto& f : facts)
        if (f.blockFirst != 0 && *c >= f.blockFirst && *c <= f.blockLast) return f.script;
    return std::nullopt;
}

}  // namespace vt
