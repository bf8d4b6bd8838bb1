#pragma once
// The hide and mute switches of the timeline lanes. A project without them
// shows and sounds every lane.
//
// Read forgivingly: a flag is on only when its key holds the boolean true; a
// missing key, a null or any other value reads as off without an error. Only
// a value that is not an object fails.

#include "platform/JsonCoding.h"

#include <cstddef>
#include <functional>

namespace vt {

struct TrackSettings {
    bool matchCutsHidden = false;  // no cards drawn, no tick sounds
    bool matchCutsMuted = false;   // cards drawn, no tick sounds
    bool effectsHidden = false;    // camera moves not applied, no sounds
    bool effectsMuted = false;     // camera moves applied, no sounds
    bool overlaysHidden = false;   // no B-roll or overlay shown
    bool videoMuted = false;       // the video's own sound silenced
    bool soundsMuted = false;      // no placed sound mixed
    bool musicMuted = false;       // no background music
    bool voiceMuted = false;       // the voiceover silenced
    json::Unknown unknown{};  // what a newer version stored, written back as it came

    friend bool operator==(const TrackSettings&, const TrackSettings&) = default;

    json::Value toJson() const;
    static TrackSettings fromJson(const json::Value& v);
};

}  // namespace vt

template <>
struct std::hash<vt::TrackSettings> {
    std::size_t operator()(const vt::TrackSettings& t) const noexcept;
};
