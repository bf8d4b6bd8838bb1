#pragma once
// Small generated videos for media tests (made with the ffmpeg command): the
// grey level of every frame tells its number, so a decoded picture shows
// which frame it is.

#include "model/EditPlan.h"
#include "support/TestSupport.h"

#include <QImage>

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace vt::test {

struct CountingVideo {
    double rate = 10;     // frames per second as generated
    int frames = 20;
    int width = 64;
    int height = 48;
    std::string timing{}; // a setpts expression in seconds of N (variable rate); empty for constant
    bool sound = false;   // a 440 Hz tone at half scale, 48 kHz stereo, as long as the picture
    std::string extra{};  // more output options (metadata, codec settings)
};

// Frame n has luma 16 + 8·n (so at most 29 frames stay apart).
std::filesystem::path makeCountingVideo(const TempDir& dir, const std::string& name, const CountingVideo& video = {});

// A copy of `file` whose picture carries FFmpeg's rotate tag (which this
// FFmpeg writes as a display matrix turning it counter-clockwise).
std::filesystem::path withRotateTag(const std::filesystem::path& file, int degrees);

// The frame number shown by a BGRA pixel of such a video.
int countedFrame(const std::uint8_t* bgraPixel);
// The frame number a picture of such a video shows at its middle.
int countedFrame(const QImage& picture);

// A cut keeping these source stretches, back to back from output time 0.
EditPlan keptPlan(const std::vector<std::pair<double, double>>& kept);

// `ffmpeg -v error -y <arguments> <out>`; throws std::runtime_error when
// ffmpeg fails.
std::filesystem::path makeMedia(const std::filesystem::path& out, const std::string& arguments);

// espeak-ng saying `words`, made `gainDB` louder (or quieter), as the WAV
// file `name`.wav in `dir`.
std::filesystem::path spokenWords(const TempDir& dir, const std::string& name, const std::string& words, double gainDB = 0);

// A media file made once with `ffmpeg -v error -y <arguments> <file>` and
// kept in the system's temporary folder under `name` for later runs (large
// benchmark inputs). Throws std::runtime_error when ffmpeg fails.
std::filesystem::path cachedMedia(const std::string& name, const std::string& arguments);

}  // namespace vt::test
