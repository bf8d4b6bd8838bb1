#pragma once
// The program's welcome page: the brand mark, "Captions that make your
// videos pop.", a description and three feature columns, which fade and
// rise into place when the page first appears, and one call to action:
// the onboarding footer ("Get Started") when a footer step is given, else
// an in-page button titled `buttonTitle`. Return runs the call to action.

#include <QWidget>

#include <functional>
#include <optional>

class QLabel;
class QVariantAnimation;

namespace vt {

class OnboardingFooter;
class PrimaryActionButton;

class WelcomeStep : public QWidget {
    Q_OBJECT

public:
    WelcomeStep(std::function<void()> next, QString buttonTitle, std::optional<int> footerStep, QWidget* parent = nullptr);

    // The third feature's detail, which counts the built-in looks.
    static QString looksDetail();
    OnboardingFooter* footer() const { return footer_; }
    PrimaryActionButton* button() const { return button_; }
    bool appeared() const { return appeared_; }
    // The brand mark's side now: 0.8 of its size before the entrance, then all of it.
    int markSide() const;
    // The entrance animation, running while the page comes in.
    QVariantAnimation* entrance() const { return entrance_; }

protected:
    void showEvent(QShowEvent*) override;

private:
    void setEntrance(double t);

    std::function<void()> next_;
    bool appeared_ = false;
    OnboardingFooter* footer_ = nullptr;
    PrimaryActionButton* button_ = nullptr;
    QWidget* mark_;
    QWidget* brand_;
    QWidget* headline_;
    QWidget* features_;
    QVariantAnimation* entrance_;
};

}  // namespace vt
