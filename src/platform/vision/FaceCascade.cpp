#include "platform/vision/FaceCascade.h"

#ifndef VT_HAAR_FOLDER
#define VT_HAAR_FOLDER "/usr/share/opencv4/haarcascades"
#endif

namespace vt::vision {

cv::CascadeClassifier* frontalFaceCascade()
{
    thread_local cv::CascadeClassifier cascade;
    thread_local bool tried = false;
    if (!tried) {
        tried = true;
        cascade.load(VT_HAAR_FOLDER "/haarcascade_frontalface_default.xml");
    }
    return cascade.empty() ? nullptr : &cascade;
}

}  // namespace vt::vision
