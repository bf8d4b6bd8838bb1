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

double centreKeeping(double centre, double keepTop, double keepBottom, double margin, double viewHeight)
{
    const double top = keepTop - margin, bottom = keepBottom + margin;
    if (bottom - top >= viewHeight) return (keepTop + keepBottom) / 2;
    // The view's top may lie anywhere from where `bottom` just shows to where `top` does.
    const double viewTop = std::clamp(centre - viewHeight / 2, bottom - viewHeight, top);
    return viewTop + viewHeight / 2;
}

}  // namespace vt::ui
