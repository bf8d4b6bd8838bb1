#pragma once
// The first-run onboarding: a title bar with "Skip Setup" (invisible on the
// last step) over one of three steps, welcome, spoken language and ready,
// which slide in from the right going forward and from the left going back.
// Every entry starts again at the welcome step.

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
    QWidget* stepView() const { return current_; }
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
};

}  // namespace vt
