#pragma once
// Sound made at test time for the audio engines: espeak-ng speech, noise,
// tones, written to and read from files through the media layer.

#include "platform/JsonCoding.h"

#include <filesystem>
#include <vector>

namespace vt::test {

// Mono samples of a file (channels averaged), at its own rate.
struct Mono {
    int rate = 0;
    std::vector<float> samples;
};
Mono readMono(const std::filesystem::path& file);

// 16-bit PCM in a .caf file: exact enough for every measurement here.
void writeMono(const std::filesystem::path& file, const std::vector<float>& samples, int rate);

// A sentence spoken by espeak-ng, at 48 kHz, peaking at about −6 dBFS.
Mono spokenSentence(const std::filesystem::path& folder, const char* text);

// The stretches where `clean` speech is audible (20 ms frames above −45 dBFS
// RMS, gaps under 0.15 s joined), in seconds.
std::vector<ClosedRange<double>> speechRanges(const Mono& clean);

// RMS over the samples whose time lies inside (or, with inside false,
// outside) the ranges.
double rmsOver(const Mono& sound, const std::vector<ClosedRange<double>>& ranges, bool inside);
double rms(const float* samples, std::size_t count);

double decibels(double linear);

}  // namespace vt::test
