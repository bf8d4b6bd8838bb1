#pragma once
// Camera shake: measuring a clip's camera path once (expensive, saved in the
// project) and deriving the correction that steadies it (cheap, rerun on
// every change of strength).

#include "model/CameraPath.h"
#include "model/Placements.h"
#include "model/StabilizationCorrection.h"
#include "platform/Cancellation.h"

#include <filesystem>
#include <functional>

namespace vt::Stabilizer {

// The camera path of the video at `file`: per analysed frame its source time
// and the cumulative displacement of the picture content in the upright
// frame (fractions, y up), measured on frames of a 360-pixel short side by
// phase correlation of each frame with the previous one. Above 40 fps only
// every second frame is analysed; a step of more than 0.15 of the frame
// (a cut or a whip pan) adds nothing. `progress` gets a fraction every 15
// samples and 1 at the end, on the calling thread.
// Throws CaptionError::noVideoTrack for a file without a readable video
// track, media::MediaError for a file that cannot be opened and
// CancellationError when `cancel` is cancelled.
CameraPath analyze(const std::filesystem::path& file, const SourceVideoInfo& source,
                   const std::function<void(double)>& progress, const CancelToken& cancel = {});

// The correction of a path at `strength` (0…1): each sample moved to the
// path smoothed by a Gaussian of (2.2 s² + 0.15) seconds, shifts within
// ±0.08, and the zoom that hides the widest shift. Paths of two samples or
// fewer get no shifts and zoom 1.
StabilizationCorrection correction(const CameraPath& path, double strength);

}  // namespace vt::Stabilizer
