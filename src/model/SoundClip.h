#pragma once
// One audio file placed on the timeline's sound lanes, with its own trim and
// volume envelope. Every key but "bookmark" is required when reading.

#include "model/VolumeEnvelope.h"
#include "platform/JsonCoding.h"
#include "platform/Uuid.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace vt {

struct SoundClip {
    Uuid id = Uuid::random();
    std::string path;               // the audio file; also the key of its waveform peaks
    std::optional<Bytes> bookmark;  // finds the file again (see FileAccess)
    std::string name;               // the file's name without its extension
    double start = 0;               // source seconds (joined source of all clips)
    double offset = 0;              // seconds into the file where playback begins
    double duration = 0;            // seconds that play
    double fileDuration = 0;        // full length of the file, seconds
    VolumeEnvelope volume;          // time 0 is the clip's start; its length is `duration`
    json::Unknown unknown{};  // what a newer version stored, written back as it came

    friend bool operator==(const SoundClip& a, const SoundClip& b);

    json::Value toJson() const;
    static SoundClip fromJson(const json::Value& v);
};

}  // namespace vt

template <>
struct std::hash<vt::SoundClip> {
    std::size_t operator()(const vt::SoundClip& clip) const noexcept;
};
