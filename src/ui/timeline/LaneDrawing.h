#pragma once
// The painted layer of the timeline: ruler, lane boxes, caption lines, the
// hook, voiceover and music bars, hints in empty lanes, the video's waveform
// and volume line, sound boxes and the video lane's clip boxes. Draws only
// the canvas window it is given, in canvas x (content x − originX), from a
// LaneContent; it never reads the editor. Main thread.

#include "ui/timeline/LaneContent.h"

#include <QPainter>

namespace vt::LaneDrawing {

struct Canvas {
    double width = 0;     // of the window
    double originX = 0;   // content x of the window's left edge
    double visibleX = 0;  // content x of the viewport's left edge
    double pps = 1;
    double duration = 0.5;
};

void draw(QPainter& p, const LaneContent& content, const std::vector<TimelineLane>& lanes, const Canvas& canvas);
// One volume line over `rect` (its left edge is the item's time 0), drawn
// within the canvas x range [visibleLo, visibleHi].
void drawVolume(QPainter& p, const VolumeEnvelope& env, QRectF rect, double length, double pps, double visibleLo,
                double visibleHi);
void drawSound(QPainter& p, const LaneContent::SoundBox& box, QRectF rect, double pps, double visibleHi);
void drawClips(QPainter& p, const LaneContent& content, QRectF lane, const Canvas& canvas);

}  // namespace vt::LaneDrawing
