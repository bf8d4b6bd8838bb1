#pragma once
// Looks, groups and pixel probes shared by the caption renderer tests.

#include "captions/CaptionRenderer.h"

#include <QImage>
#include <QRect>

#include <filesystem>
#include <string>
#include <vector>

namespace vt::test {

// A plain white look in Anton at 80 points, centred, three words per line.
CaptionStyle plainLook();

// A group of words, each 0.3 s long and starting 0.3 s after the previous,
// from `start`; the group ends 0.5 s after its last word.
CaptionGroup makeGroup(const std::vector<std::string>& words, double start = 1.0, int index = 0);

// The group drawn alone on a transparent frame (top row first).
QImage render(const CaptionGroup& group, const CaptionStyle& look, double time, QSize size = {1080, 1920});

// The word frames of a measure-only draw, in word order (y-up frame pixels).
std::vector<QRectF> frames(const CaptionGroup& group, const CaptionStyle& look, double time,
                           QSizeF size = {1080, 1920});

// Smallest rectangle (image rows, top first) holding every pixel with alpha
// above `threshold`; empty when there is none.
QRect inkBox(const QImage& image, int threshold = 8);
int inkCount(const QImage& image, int threshold = 8);
// Pixels whose colour differs by more than `tolerance` in any channel.
int differingPixels(const QImage& a, const QImage& b, int tolerance = 2);
// A pixel's colour, un-premultiplied.
QColor pixelAt(const QImage& image, int x, int y);

// Writes a reference picture into the build folder's reference/ folder and
// returns its path.
std::filesystem::path writeReference(const std::string& name, const QImage& image);

}  // namespace vt::test
