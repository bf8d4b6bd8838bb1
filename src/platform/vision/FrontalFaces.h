#pragma once
// The frontal-face Haar cascade of opencv-data, loaded once per thread (a
// cascade is not safe to share between threads).

#include <opencv2/objdetect.hpp>

namespace vt {

// The calling thread's detector; null when the cascade file is missing.
cv::CascadeClassifier* frontalFaceDetector();

}  // namespace vt
