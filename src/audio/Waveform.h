#pragma once
// Loudness of a media file's sound as a short list: 50 values a second, each
// from 0 to 1, for the timeline's waveforms and the scrubber's bars.

#include <filesystem>
#include <vector>

namespace vt::Waveform {

// The first audio track read as 8 kHz mono 16-bit: one peak per 160 samples
// (the last over what is left), the largest magnitude over 32768, then
// normalised to the 98th percentile (at least 0.05) and square-rooted. Empty
// when the file has no sound or cannot be read; never throws. Blocking: call
// it from background work.
std::vector<float> peaks(const std::filesystem::path& file);

}  // namespace vt::Waveform
