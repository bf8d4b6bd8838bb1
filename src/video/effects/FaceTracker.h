#pragma once
// Follows the speaker's face through a video for follow-face framing: about
// 400 frames at most (one every 0.5 s for shorter videos) are read upright
// at 640 pixels, the speaker's face is picked in each (the one nearest the
// track so far), and the points are filled, smoothed and held still against
// small jitter.
//
// Stateless; analyze blocks the calling thread (call it from a background
// task) and never throws.

#include "model/FaceTrack.h"
#include "platform/vision/FaceDetector.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

namespace vt {

struct FaceTracker {
    // The track of the video, or none when no analysed frame shows a face
    // (also for a file that cannot be read). `progress` gets i / n after the
    // i-th of n frames is delivered, before it is examined, on this thread.
    static std::optional<FaceTrack> analyze(const std::filesystem::path& url, double duration,
                                            const std::function<void(double)>& progress);

    // ---- the steps, exposed for tests -------------------------------------

    // i × step for i = 0, 1, … while below max(duration, 0.1), with
    // step = max(duration / 400, 0.5).
    static std::vector<double> sampleTimes(double duration);
    // The point of a face: the box's centre, raised by 15 % of its height,
    // capped at 1. Of several faces, the one whose point is nearest `near`
    // (the track so far) is taken, so that a second face or a stray box does
    // not pull the framing away from the speaker; without `near`, the largest
    // (the first of equal ones). None without faces.
    static std::optional<Point> facePoint(const std::vector<FaceBox>& faces, std::optional<Point> near = std::nullopt);
    // A raw sample: a requested time and the face point found there, if any.
    struct Raw {
        double t = 0;
        std::optional<Point> point;
    };
    // Gaps filled from the nearest earlier face (the first face before it),
    // a centred moving average of 7, then a 0.03 dead band. None without any face.
    static std::optional<FaceTrack> build(const std::vector<Raw>& raw);
};

}  // namespace vt
