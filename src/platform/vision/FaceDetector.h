#pragma once
// Faces in a picture, found with OpenCV's frontal-face Haar cascade (from the
// opencv-data package) and kept only when a closer look confirms them (eyes
// in place, or a face in profile), so that clothing, badges and props are not
// taken for faces. Thread-safe: each thread loads its own detectors once.

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
    // Every confirmed face, in the detector's order. Empty for an empty or
    // malformed frame, or when the detector's data is missing.
    static std::vector<FaceBox> faces(const FrameView& frame);

    // The stand-in for a face-capture quality, 0…1: how large the face is
    // (full marks from a fifth of the short side), how sharp (Laplacian
    // variance) and how well exposed (mean brightness near the middle).
    // 0 for a malformed frame or a box with no pixels in it.
    static double captureQuality(const FrameView& frame, const FaceBox& face);
};

}  // namespace vt
