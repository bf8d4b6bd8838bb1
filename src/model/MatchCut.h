#pragma once
// One match-cut title card: a word shown in a rapid series of looks, several
// frames per second. Nothing is computed from outside the record, so equal
// cards always draw the same frames. The first six keys are required when
// reading; the other four may be absent or null.

#include "platform/JsonCoding.h"
#include "platform/Uuid.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vt {

struct MatchCut {
    enum class Style { editorial, fonts, newspaper, neon, signs, notes, retro };

    std::string word;                                 // as typed; the renderer trims and re-cases it
    Style style = Style::editorial;
    std::int64_t seed = 0;                            // varies fonts, colours and templates; 0 or more
    double duration = 0;                              // seconds the card covers the picture
    double cutsPerSecond = 0;                         // different frames shown per second
    bool ticks = false;                               // a tick per frame change and a hit at the end
    std::optional<std::vector<std::string>> keywords; // topic words of the video
    std::optional<std::vector<std::string>> lines;    // short transcript sentences, as body text
    std::optional<Uuid> id;                           // identity on the timeline
    std::optional<double> start;                      // source seconds; absent is the output's start
    json::Unknown unknown{};  // what a newer version stored, written back as it came

    // Frames the card shows: duration × cutsPerSecond rounded half away from
    // zero, at least 4. Each covers duration / frameCount() seconds.
    std::int64_t frameCount() const;

    friend bool operator==(const MatchCut& a, const MatchCut& b);

    json::Value toJson() const;
    static MatchCut fromJson(const json::Value& v);
};

constexpr auto enumCases(MatchCut::Style)
{
    using S = MatchCut::Style;
    return std::array{std::pair{S::editorial, std::string_view("Editorial")},
                      std::pair{S::fonts, std::string_view("Typefaces")},
                      std::pair{S::newspaper, std::string_view("Newspaper")},
                      std::pair{S::neon, std::string_view("Neon")},
                      std::pair{S::signs, std::string_view("Signs")},
                      std::pair{S::notes, std::string_view("Notes")},
                      std::pair{S::retro, std::string_view("Retro")}};
}

}  // namespace vt

template <>
struct std::hash<vt::MatchCut> {
    std::size_t operator()(const vt::MatchCut& cut) const noexcept;
};
