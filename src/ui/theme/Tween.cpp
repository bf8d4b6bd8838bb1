#include "ui/theme/Tween.h"

#include "ui/theme/Motion.h"

#include <QVariantAnimation>

namespace vt {

Tween::Tween(double value, std::function<void()> changed, QObject* parent, int durationMs)
    : QObject(parent), value_(value), target_(value), durationMs_(durationMs), changed_(std::move(changed)),
      run_(new QVariantAnimation(this))
{
    run_->setEasingCurve(QEasingCurve::OutQuad);
    connect(run_, &QVariantAnimation::valueChanged, this, [this](const QVariant& v) {
        value_ = v.toDouble();
        if (changed_) changed_();
    });
}

bool Tween::isRunning() const { return run_->state() == QAbstractAnimation::Running; }

void Tween::to(double target)
{
    if (target == target_) return;
    target_ = target;
    run_->stop();
    if (Motion::reduced()) {
        value_ = target;
        if (changed_) changed_();
        return;
    }
    run_->setDuration(durationMs_);
    run_->setStartValue(value_);
    run_->setEndValue(target);
    run_->start();
}

}  // namespace vt
