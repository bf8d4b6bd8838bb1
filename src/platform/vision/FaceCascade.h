#pragma once
// Internal to the vision folder: OpenCV's frontal-face Haar cascade (from
// the opencv-data package), loaded once per thread because a cascade may not
// be shared between threads. Null when its data file is missing.

#include <opencv2/objdetect.hpp>

namespace vt::vision {

cv::CascadeClassifier* frontalFaceCascade();

}  // namespace vt::vision
