#pragma once
// The look kinds of the camera moves. Picture looks (blur-in, black and
// white, glitch) act on the video before captions are drawn, so captions stay
// sharp and coloured; overlay looks (fade in, fade out, white flash) cover
// the finished frame, captions and progress bar included.
//
// Geometry is the compositor's (origin bottom-left, y up). Stateless; any
// thread.

#include "model/Placements.h"

#include <QImage>
#include <QSize>

#include <vector>

namespace vt::LookRenderer {

// The picture with the picture looks active at `time` applied in list order.
QImage picture(const QImage& picture, const std::vector<PlacedMotion>& motions, double time, QSize size);

// The frame with the overlay looks active at `time` laid over it in order.
QImage overlay(const QImage& frame, const std::vector<PlacedMotion>& motions, double time, QSize size);

}  // namespace vt::LookRenderer
