#pragma once
// Scrolling a list so a row is centred: at once, or eased in and out over
// 0.3 s; a new scroll stops the one still running.

#include <QPointer>
#include <QPropertyAnimation>

class QScrollBar;

namespace vt::ui {

void scrollToCentre(QScrollBar* bar, double centre, double viewHeight, bool animated,
                    QPointer<QPropertyAnimation>& running);

// The centre to scroll to so that `centre` is as near the middle of the view
// as it can be while the span from `keepTop` to `keepBottom`, with `margin`
// above and below it, stays inside the view. A block taller than the view,
// centred, would otherwise hide the line that matters; a span that does not
// fit with its margins is centred itself.
double centreKeeping(double centre, double keepTop, double keepBottom, double margin, double viewHeight);

}  // namespace vt::ui
