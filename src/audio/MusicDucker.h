#pragma once
// The background music's gain over the output timeline: full level, pulled
// down under every phrase of speech with a short attack, a hold and a
// release, with linear fades at the output's two ends. Pure; the
// composition builder lays the curve onto the music's track.

#include "model/BackgroundMusic.h"
#include "platform/JsonCoding.h"

#include <vector>

namespace vt::MusicDucker {

struct Point {
    double time = 0;  // output seconds
    double gain = 0;  // linear

    friend bool operator==(const Point&, const Point&) = default;
};

// Speech ranges (output seconds) merged into phrases: ranges less than 1 s
// apart (or overlapping) join, in order of their starts.
std::vector<ClosedRange<double>> phrases(std::vector<ClosedRange<double>> speech);

// The gain of a piecewise-linear curve at a time; 1 without points.
double value(const std::vector<Point>& points, double time);

// The music's gain over 0…duration, sampled where it bends and every 0.1 s
// inside the fades; empty for a duration of 0 or less.
std::vector<Point> curve(double duration, const std::vector<ClosedRange<double>>& speech, const BackgroundMusic& music);

}  // namespace vt::MusicDucker
