#pragma once
// Bar heights of the waveform scrubber: the loudness peaks (50 a second, 0…1)
// reduced to a given number of bars over the edited video. Pure and cheap;
// the editor keeps the last result while nothing changes.

#include "model/EditPlan.h"

#include <vector>

namespace vt::Waveform {

inline constexpr double peaksPerSecond = 50;

// Bars over the output of `plan` from the peaks of the joined source
// timeline: each bar samples up to 12 evenly spaced output times, maps them
// to source time and keeps the loudest peak there (a cut is skipped, never
// drawn), at least 0.06. Without peaks, segments or output length every bar
// is 0.08; empty for a count of 0 or less.
std::vector<float> bars(const std::vector<float>& peaks, int count, const EditPlan& plan);

// Bars over an output of `outputLength` seconds from the peaks of a voiceover
// take placed at `takeStart` for `takeDuration` seconds: a bar overlapping
// the take is the loudest take peak it covers, at least 0.06; bars outside
// the take, or with no peaks loaded yet, are 0.06.
std::vector<float> voiceBars(const std::vector<float>& takePeaks, int count, double outputLength, double takeStart, double takeDuration);

}  // namespace vt::Waveform
