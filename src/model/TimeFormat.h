#pragma once
// How every time in the program reads: "1:05" (minutes and seconds, hours
// from one hour on: "1:00:00"), and the same with tenths, "1:05.3". Negative
// and not-a-number values read as 0; fractions are cut, never rounded.
// Plain text, so the editor's captions and every view format alike.

#include <string>

namespace vt {

std::string formatTime(double seconds);
std::string formatTimecode(double seconds);

}  // namespace vt
