#pragma once
// Shows and hides a widget with an opacity fade: shown, it appears at once
// and fades in; hidden, it fades out and then leaves the layout, so a
// faded-out widget takes no clicks. A new choice while a fade runs turns
// it around from the opacity reached.

#include <QEasingCurve>
#include <QObject>

class QGraphicsOpacityEffect;
class QPropertyAnimation;
class QSequentialAnimationGroup;
class QWidget;

namespace vt::ui {

class OpacityFade : public QObject {
    Q_OBJECT
public:
    // Starts with `target` shown or hidden, as `shown` says; every fade
    // waits `delayMs` and then takes `durationMs` along `easing`.
    OpacityFade(QWidget* target, bool shown, int delayMs, int durationMs, QEasingCurve easing);
    void setShown(bool shown);
    bool shown() const { return shown_; }
    double opacity() const;

private:
    QWidget* target_;
    QGraphicsOpacityEffect* effect_;
    QSequentialAnimationGroup* run_;
    QPropertyAnimation* fade_;
    bool shown_;
};

}  // namespace vt::ui
