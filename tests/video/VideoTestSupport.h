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
// One caption line of `words` from `start`, 0.3 s a word, shown until 5 s.
CaptionGroup line(const std::vector<std::string>& words, double start = 0, int index = 0);

// A snapshot of `width` × `height` with a plan of one 10 s segment and
// everything else empty.
RenderSnapshot snapshot(int width = 1080, int height = 1920);

// How many pixels of two same-sized images differ.
int differingPixels(const QImage& a, const QImage& b);

// Saves the frame as reference/<name>.png in the test's working (build)
// folder; returns the path.
std::filesystem::path writeReference(const std::string& name, const QImage& image);

}  // namespace vt::test
