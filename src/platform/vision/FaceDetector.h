#pragma once
// Faces in a picture, found with OpenCV's frontal-face Haar cascade (from the
// opencv-data package). Thread-safe: each thread loads its own detector once.

#include "platform/vision/PersonMask.h"

#include <vector>

namespace vt {

// A face box as fractions of the picture: origin bottom-left, y up.
struct FaceBox {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
};

struct FaceDetector {
    // Every face found, in the detector's order. Empty for an empty or
    // malformed frame, or when the detector's data is missing.
    static std::vector<FaceBox> faces(const FrameView& frame);
};

}  // namespace vt
