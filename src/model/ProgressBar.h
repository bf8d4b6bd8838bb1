#pragma once
// The progress bar drawn along one edge of the video. A project without one
// shows no bar.

#include "captions/look/RGBA.h"
#include "platform/JsonCoding.h"

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string_view>
#include <utility>

namespace vt {

struct ProgressBar {
    enum class Position { top, bottom };

    Position position = Position::top;  // the edge the bar runs along
    std::optional<RGBA> color;          // absent: the caption look's accent
    double thickness = 0;               // pixels of a 1080-pixel short side
    json::Unknown unknown{};  // what a newer version stored, written back as it came

    friend bool operator==(const ProgressBar&, const ProgressBar&) = default;

    json::Value toJson() const;
    static ProgressBar fromJson(const json::Value& v);
};

constexpr auto enumCases(ProgressBar::Position)
{
    return std::array{std::pair{ProgressBar::Position::top, std::string_view("Top")},
                      std::pair{ProgressBar::Position::bottom, std::string_view("Bottom")}};
}

}  // namespace vt

template <>
struct std::hash<vt::ProgressBar> {
    std::size_t operator()(const vt::ProgressBar& bar) const noexcept;
};
