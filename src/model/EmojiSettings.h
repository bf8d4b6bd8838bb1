#pragma once
// The project's caption emoji options; a project without them shows no
// emojis. Both keys are always written and both are required when reading.

#include "platform/JsonCoding.h"

#include <array>
#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <utility>

namespace vt {

struct EmojiSettings {
    enum class Amount {
        some,  // automatic emojis spaced out
        lots,  // an automatic emoji on every line with a matching word
    };

    Amount amount = Amount::some;
    // Manual choices: a word's id as upper-case UUID text → the emoji of that
    // word's line; an empty emoji means the line shows none.
    std::map<std::string, std::string> overrides;
    json::Unknown unknown{};  // what a newer version stored, written back as it came

    friend bool operator==(const EmojiSettings& a, const EmojiSettings& b);

    json::Value toJson() const;
    static EmojiSettings fromJson(const json::Value& v);
};

constexpr auto enumCases(EmojiSettings::Amount)
{
    return std::array{std::pair{EmojiSettings::Amount::some, std::string_view("Some")},
                      std::pair{EmojiSettings::Amount::lots, std::string_view("Lots")}};
}

}  // namespace vt

template <>
struct std::hash<vt::EmojiSettings> {
    std::size_t operator()(const vt::EmojiSettings& settings) const noexcept;
};
