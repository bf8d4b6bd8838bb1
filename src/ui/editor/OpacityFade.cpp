#include "ui/editor/OpacityFade.h"

#include <QGraphicsOpacityEffect>
#include <QPropertyAnimation>
#include <QSequentialAnimationGroup>
#include <QWidget>

namespace vt::ui {

OpacityFade::OpacityFade(QWidget* target, bool shown, int delayMs, int durationMs, QEasingCurve easing)
    : QObject(target), target_(target), shown_(shown)
{
    effect_ = new QGraphicsOpacityEffect(target);
    effect_->setOpacity(shown ? 1 : 0);
    target->setGraphicsEffect(effect_);
    target->setVisible(shown);
    run_ = new QSequentialAnimationGroup(this);
    if (delayMs > 0) run_->addPause(delayMs);
    fade_ = new QPropertyAnimation(effect_, "opacity", run_);
    fade_->setDuration(durationMs);
    fade_->setEasingCurve(easing);
    run_->addAnimation(fade_);
    connect(run_, &QAbstractAnimation::finished, this, [this] {
        if (!shown_) target_->hide();
    });
}

void OpacityFade::setShown(bool shown)
{
    if (shown == shown_) return;
    shown_ = shown;
    run_->stop();
    fade_->setStartValue(effect_->opacity());
    fade_->setEndValue(shown ? 1.0 : 0.0);
    if (shown) target_->show();
    run_->start();
}

double OpacityFade::opacity() const { return effect_->opacity(); }

}  // namespace vt::ui
