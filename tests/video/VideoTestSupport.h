#pragma once
// Generated frames and snapshots for the compositor tests, and reading pixels
// in the compositor's y-up geometry.

#include "video/RenderSnapshot.h"

#include <QColor>
#include <QImage>

#include <filesystem>
#include <string>
#include <vector>

namespace vt::test {

// Four solid quadrants (y up): bottom-left red, bottom-right green,
// top-left blue, top-right white.
QImage quadrants(int width, int height);
QImage solidFrame(int width, int height, QColor color);

// The pixel at (x, y) counted from the bottom-left corner.
QColor at(const QImage& image, int x, int y);

// A white caption look in a bundled font, centred.
CaptionStyle captionLook();
// A camera move or look placed at `start` on the output timeline.
PlacedMotion placedMotion(MotionEffect::Kind kind, double start, double duration, double strength = 1);

// A snapshot of `width` × `height` with a plan of one 10 s segment and
// everything else empty.
RenderSnapshot snapshot(int width = 1080, int height = 1920);

// How many pixels of two same-sized images differ.
int differingPixels(const QImage& a, const QImage& b);

// Saves the frame as reference/<name>.png in the test's working (build)
// folder; returns the path.
std::filesystem::path writeReference(const std::string& name, const QImage& image);

}  // namespace vt::test
