#pragma once
// Numbers shown with a fixed count of decimals, rounded as printf rounds:
// from the exact binary value, so 0.25 (exactly a quarter) with one decimal
// reads "0.2". Qt's own formatting (QString::number, QString::asprintf)
// rounds such halves up and would show "0.3". Every number text goes
// through here so one value reads the same in every place. Locale-free: a
// point, no grouping. Unlike printf, a value that rounds to zero has no
// minus sign.

#include <QString>

namespace vt {

QString fixedText(double value, int decimals);
// The same with a sign always in front ("+3", "-2", "+0", also for -0.2).
QString signedFixedText(double value, int decimals);

}  // namespace vt
