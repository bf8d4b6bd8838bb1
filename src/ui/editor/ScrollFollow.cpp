#include "ui/editor/ScrollFollow.h"

#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace vt::ui {

void scrollToCentre(QScrollBar* bar, double centre, double viewHeight, bool animated,
                    QPointer<QPropertyAnimation>& running)
{
    const int target =
        std::clamp(static_cast<int>(std::lround(centre - viewHeight / 2.0)), bar->minimum(), bar->maximum());
    if (running) running->stop();
    if (!animated) {
        bar->setValue(target);
        return;
    }
    running = new QPropertyAnimation(bar, "value", bar);
    running->setDuration(300);
    running->setEasingCurve(QEasingCurve::InOutQuad);
    running->setEndValue(target);
    running->start(QAbstractAnimation::DeleteWhenStopped);
}

}  // namespace vt::ui
