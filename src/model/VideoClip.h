#pragma once
// One source clip of a project as stored: its file, length, trims and
// adjustment. The kept part is [trimStart, duration − trimEnd] in the clip's
// own seconds. Decoded strictly, except that its adjustment reads leniently.

#include "model/ItemAdjust.h"
#include "platform/JsonCoding.h"
#include "platform/Uuid.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace vt {

struct VideoClip {
    Uuid id = Uuid::random();
    std::string path;               // file-system path of the video file
    std::optional<Bytes> bookmark;  // finds the file again (see FileAccess)
    std::string name;               // display name
    double duration = 0;            // full length of the file, seconds
    double trimStart = 0;           // seconds removed from the clip's start
    double trimEnd = 0;             // seconds removed from the clip's end
    std::optional<ItemAdjust> adjust;  // absent means the default adjustment
    json::Unknown unknown{};  // what a newer version stored, written back as it came

    friend bool operator==(const VideoClip& a, const VideoClip& b);

    json::Value toJson() const;
    static VideoClip fromJson(const json::Value& v);
};

}  // namespace vt

template <>
struct std::hash<vt::VideoClip> {
    std::size_t operator()(const vt::VideoClip& clip) const noexcept;
};
