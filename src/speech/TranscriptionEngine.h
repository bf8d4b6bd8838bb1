#pragma once
// The two speech engines: the built-in on-device recognizer ("Apple", the name
// stored in settings and choices) and whisper.cpp. Stored by its raw value;
// building one from any other text gives no value.

#include "platform/JsonCoding.h"

#include <array>
#include <optional>
#include <string_view>
#include <utility>

namespace vt {

enum class TranscriptionEngine { apple, whisper };

constexpr auto enumCases(TranscriptionEngine)
{
    using namespace std::string_view_literals;
    return std::array{std::pair{TranscriptionEngine::apple, "Apple"sv},
                      std::pair{TranscriptionEngine::whisper, "Whisper"sv}};
}

inline std::string_view rawValue(TranscriptionEngine engine) { return json::enumText(engine); }

// The engine's name on screen. The built-in recognizer keeps its stored raw
// value, which names another platform's recognizer, so users read another name.
constexpr std::string_view displayName(TranscriptionEngine engine)
{
    using namespace std::string_view_literals;
    return engine == TranscriptionEngine::apple ? "Built-in"sv : "Whisper"sv;
}

// Exact, case-sensitive match of the raw value ("Apple", not "apple").
inline std::optional<TranscriptionEngine> transcriptionEngine(std::string_view raw)
{
    return json::enumFromText<TranscriptionEngine>(raw);
}

}  // namespace vt
