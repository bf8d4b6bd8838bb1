#pragma once
// One B-roll cutaway or picture overlay. A cutaway is anchored to the words
// from `startWordID` to `endWordID`; an overlay placed at a time also has a
// `start` (source seconds) and a `length`.

#include "model/ItemAdjust.h"
#include "platform/JsonCoding.h"
#include "platform/Uuid.h"

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace vt {

// How the item shares the frame with the speaker.
enum class BRollLayout { full, split, pip };
// How the item comes in and goes out.
enum class BRollEntrance { fade, cut, slide, zoom };

constexpr auto enumCases(BRollLayout)
{
    return std::array{std::pair{BRollLayout::full, std::string_view("Full screen")},
                      std::pair{BRollLayout::split, std::string_view("Split")},
                      std::pair{BRollLayout::pip, std::string_view("Picture-in-picture")}};
}

constexpr auto enumCases(BRollEntrance)
{
    return std::array{std::pair{BRollEntrance::fade, std::string_view("Fade")},
                      std::pair{BRollEntrance::cut, std::string_view("Cut")},
                      std::pair{BRollEntrance::slide, std::string_view("Slide up")},
                      std::pair{BRollEntrance::zoom, std::string_view("Zoom")}};
}

struct BRoll {
    Uuid id = Uuid::random();
    std::string path;               // the video or image file
    std::optional<Bytes> bookmark;  // finds the file again (see FileAccess)
    std::string name;               // display name, from the file name
    bool isImage = false;           // a still photo rather than a video
    Uuid startWordID;               // first word the item is anchored to
    Uuid endWordID;                 // last word the item is anchored to
    BRollLayout layout = BRollLayout::full;
    BRollEntrance entrance = BRollEntrance::fade;
    bool kenBurns = false;          // slow zoom-and-drift on stills
    double sourceOffset = 0;        // seconds into the video where its picture starts
    std::optional<double> start;    // source seconds of an item placed at a time
    std::optional<double> length;   // seconds, of an item placed at a time
    std::optional<ItemAdjust> adjust;
    json::Unknown unknown{};  // what a newer version stored, written back as it came

    friend bool operator==(const BRoll& a, const BRoll& b);

    json::Value toJson() const;
    static BRoll fromJson(const json::Value& v);
};

}  // namespace vt

template <>
struct std::hash<vt::BRoll> {
    std::size_t operator()(const vt::BRoll& b) const noexcept;
};
