#include "ui/inspector/TimeFormat.h"

#include "model/TimeFormat.h"

namespace vt::ui {

QString formatTime(double seconds) { return QString::fromStdString(vt::formatTime(seconds)); }
QString formatTimecode(double seconds) { return QString::fromStdString(vt::formatTimecode(seconds)); }

}  // namespace vt::ui
