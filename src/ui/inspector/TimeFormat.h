#pragma once
// How every time in the program reads: "1:05" (minutes and seconds, hours
// from one hour on: "1:00:00"), and the same with tenths, "1:05.3". Negative
// and not-a-number values read as 0; fractions are cut, never rounded.

#include <QString>

namespace vt::ui {

QString formatTime(double seconds);
QString formatTimecode(double seconds);

}  // namespace vt::ui
