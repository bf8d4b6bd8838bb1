#pragma once
// Scrolling a list so a row is centred: at once, or eased in and out over
// 0.3 s; a new scroll stops the one still running.

#include <QPointer>
#include <QPropertyAnimation>

class QScrollBar;

namespace vt::ui {

void scrollToCentre(QScrollBar* bar, double centre, double viewHeight, bool animated,
                    QPointer<QPropertyAnimation>& running);

}  // namespace vt::ui
