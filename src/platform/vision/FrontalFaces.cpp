#include "platform/vision/FrontalFaces.h"

#ifndef VT_HAAR_FOLDER
#define VT_HAAR_FOLDER "/usr/share/opencv4/haarcascades"
#endif

namespace vt {

cv::CascadeClassifier* frontalFaceDetector()
{
    thread_local cv::CascadeClassifier detector;
    thread_local bool tried = false;
    if (!tried) {
        tried = true;
        detector.load(VT_HAAR_FOLDER "/haarcascade_frontalface_default.xml");
    }
    return detector.empty() ? nullptr : &detector;
}

}  // namespace vt
