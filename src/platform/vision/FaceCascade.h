#pragma once
// Internal to the vision folder: OpenCV's Haar cascades (from the opencv-data
// package), each loaded once per thread because a cascade may not be shared
// between threads, and the confirmed face search of the face detector.

#include <opencv2/core.hpp>
#include <opencv2/objdetect.hpp>

#include <vector>

namespace vt::vision {

enum class Cascade {
    frontalFace,
    eye,
    profileFace,  // faces in profile turned one way; mirror the picture for the other
};

// Null when its data file is missing.
cv::CascadeClassifier* cascade(Cascade which);

// The faces of a grey picture (rows top first), in the detector's order. The
// frontal cascade alone also fires on folds of clothing, badges and props,
// often with a box larger than the real face, so each box must be between a
// twentieth and nine tenths of the short side and be confirmed on a closer
// look: two eyes side by side in its upper part, or a face in profile on it.
// Empty when the frontal cascade's data is missing.
std::vector<cv::Rect> confirmedFaces(const cv::Mat& grey);

}  // namespace vt::vision
