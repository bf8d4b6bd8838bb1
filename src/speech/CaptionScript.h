#pragma once
// The writing systems captions can be shown in. Stored as the raw value
// ("latin", "devanagari", ...); any other text names no script.
// Devanagari is the common middle of every conversion: a script's `icuName`
// builds the ICU id "<icuName>-Devanagari" that brings its text into
// Devanagari, and its `transformID` is the ICU id that takes Devanagari to it.

#include "platform/JsonCoding.h"

#include <array>
#include <optional>
#include <string_view>
#include <utility>

namespace vt {

enum class CaptionScript {
    latin,
    devanagari,
    bengali,
    gurmukhi,
    gujarati,
    oriya,
    tamil,
    telugu,
    kannada,
    malayalam,
    urdu,
};

constexpr auto enumCases(CaptionScript)
{
    using namespace std::string_view_literals;
    using S = CaptionScript;
    return std::array{
        std::pair{S::latin, "latin"sv},         std::pair{S::devanagari, "devanagari"sv},
        std::pair{S::bengali, "bengali"sv},     std::pair{S::gurmukhi, "gurmukhi"sv},
        std::pair{S::gujarati, "gujarati"sv},   std::pair{S::oriya, "oriya"sv},
        std::pair{S::tamil, "tamil"sv},         std::pair{S::telugu, "telugu"sv},
        std::pair{S::kannada, "kannada"sv},     std::pair{S::malayalam, "malayalam"sv},
        std::pair{S::urdu, "urdu"sv},
    };
}

inline std::string_view rawValue(CaptionScript script) { return json::enumText(script); }
// Exact match of the raw value ("Latin" names no script).
inline std::optional<CaptionScript> captionScript(std::string_view raw)
{
    return json::enumFromText<CaptionScript>(raw);
}

// Every script, in declaration order.
inline constexpr auto allCaptionScripts = json::allCases<CaptionScript>();

// The letter that stands for the script in pickers ("abc" for latin).
std::string_view glyph(CaptionScript script);
// The script's name in ICU transliterator ids; none for latin and urdu.
std::optional<std::string_view> icuName(CaptionScript script);
// ICU id of the transform from Devanagari into the script; none for latin
// (romanized by our own rules) and devanagari (nothing to change).
std::optional<std::string_view> transformID(CaptionScript script);

// The script of the first Indic letter (U+0900 ... U+0D7F) of the text; only
// that letter decides. None when there is no such letter (Roman and Arabic
// text included).
std::optional<CaptionScript> detectCaptionScript(std::string_view text);

}  // namespace vt
