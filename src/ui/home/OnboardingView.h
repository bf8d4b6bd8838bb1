#pragma once
// The first-run onboarding: a title bar with "Skip Setup" (invisible on the
// last step) over one of three steps, welcome, spoken language and ready.
// Going forward the new step slides in from the right while the old one
// slides out to the left, both fading; going back the other way round.
// With motion reduced the step changes at once. Every entry starts again at
// the welcome step.

#include <QPointer>
#include <QVariantAnimation>
#include <QWidget>

class QPushButton;
class QVBoxLayout;

namespace vt {

class AppModel;

class OnboardingView : public QWidget {
    Q_OBJECT

public:
    explicit OnboardingView(AppModel& app, QWidget* parent = nullptr);
    int step() const { return step_; }
    bool forward() const { return forward_; }
    static constexpr int changeMs = 450;
    QWidget* stepView() const { return current_; }
    // A picture of the step still sliding out (null once it has gone), and
    // the opacity it is drawn at.
    QWidget* leavingStep() const { return leaving_; }
    double leavingOpacity() const;
    bool isChanging() const { return change_ && change_->state() == QAbstractAnimation::Running; }
    QPushButton* skipButton() const { return skip_; }
    void go(int target);

private:
    QWidget* makeStep(int step);

    AppModel& app_;
    int step_ = 0;
    bool forward_ = true;
    QPushButton* skip_;
    QVBoxLayout* host_;
    QWidget* current_ = nullptr;
    QPointer<QWidget> leaving_;
    QPointer<QVariantAnimation> change_;
};

}  // namespace vt
