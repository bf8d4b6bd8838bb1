#pragma once
// What a video file says about its first video track: encoded size, display
// rotation, frame rate, length and whether the picture is HDR. Plain numbers;
// the model turns them into its own record.

#include <filesystem>
#include <optional>

namespace vt::media {

struct VideoTrackFacts {
    int width = 0;               // encoded pixels, before rotation
    int height = 0;
    int rotation = 0;            // clockwise quarter turns to show the picture upright: 0, 90, 180 or 270
    double nominalFrameRate = 0; // average frames per second as stored; 0 when the file states none
    double fileDuration = 0;     // seconds, the whole file
    double trackEnd = 0;         // seconds, where the video track's last frame ends
    bool isHDR = false;          // PQ or HLG transfer
};

// Reads the file's stream information. Nothing when the file has no video
// track; throws MediaError when it is not a readable media file.
std::optional<VideoTrackFacts> probeVideo(const std::filesystem::path& file);

// Where the first audio track of a file ends, in seconds; nothing when the
// file has no audio track or cannot be read.
std::optional<double> audioTrackEnd(const std::filesystem::path& file);

}  // namespace vt::media
