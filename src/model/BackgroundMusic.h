#pragma once
// The project's background music: a file the user chose, or the rendered file
// of one of the built-in moods. A project without it has no music.
// "builtInID" and "bookmark" may be absent; every other key is required.

#include "platform/JsonCoding.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace vt {

struct BackgroundMusic {
    std::string path;                      // the music file
    std::string name;                      // display name
    std::optional<std::string> builtInID;  // the mood that produced the file; absent for a chosen file
    std::optional<Bytes> bookmark;         // of a chosen file; a generated file needs none
    double volume = -12;                   // dB
    double ducking = 14;                   // dB the music is lowered under speech
    double startOffset = 0;                // seconds into the file where playback begins
    double fadeIn = 1;                     // seconds at the output's start
    double fadeOut = 2;                    // seconds at the output's end
    bool loop = true;                      // the file repeats to fill the output
    json::Unknown unknown{};  // what a newer version stored, written back as it came

    friend bool operator==(const BackgroundMusic& a, const BackgroundMusic& b);

    json::Value toJson() const;
    static BackgroundMusic fromJson(const json::Value& v);
};

}  // namespace vt

template <>
struct std::hash<vt::BackgroundMusic> {
    std::size_t operator()(const vt::BackgroundMusic& m) const noexcept;
};
