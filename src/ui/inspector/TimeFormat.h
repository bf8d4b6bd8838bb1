#pragma once
// The program's time formatting (model/TimeFormat.h) as toolkit text.

#include <QString>

namespace vt::ui {

QString formatTime(double seconds);
QString formatTimecode(double seconds);

}  // namespace vt::ui
