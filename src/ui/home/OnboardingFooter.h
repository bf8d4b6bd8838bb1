#pragma once
// The bar at the bottom of every onboarding step: Back (Ctrl+Left), three
// step dots, and the step's own secondary and primary buttons (the primary
// one answers Return and is dimmed while disabled).

#include <QAbstractButton>
#include <QWidget>

#include <functional>
#include <optional>

class QVBoxLayout;

namespace vt {

// The footer's buttons: prominent (ink fill, light text) or plain.
class FooterButton : public QAbstractButton {
    Q_OBJECT

public:
    FooterButton(const QString& text, bool prominent, QWidget* parent = nullptr);
    bool isProminent() const { return prominent_; }
    // Opacity of the whole button: 0.4 disabled, 0.75 pressed, else 1.
    double drawnOpacity() const;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent*) override;
    void enterEvent(QEnterEvent*) override { update(); }
    void leaveEvent(QEvent*) override { update(); }

private:
    bool prominent_;
};

class OnboardingFooter : public QWidget {
    Q_OBJECT

public:
    struct Secondary {
        QString title;
        std::function<void()> action;
    };
    struct Primary {
        QString title;
        bool enabled;
        std::function<void()> action;
    };

    OnboardingFooter(int step, std::function<void()> back, std::optional<Secondary> secondary, std::optional<Primary> primary,
                     QWidget* parent = nullptr);
    int step() const { return step_; }
    FooterButton* backButton() const { return back_; }
    FooterButton* secondaryButton() const { return secondary_; }
    FooterButton* primaryButton() const { return primary_; }
    void setPrimaryEnabled(bool enabled);
    QString dotsLabel() const;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    int step_;
    FooterButton* back_ = nullptr;
    FooterButton* secondary_ = nullptr;
    FooterButton* primary_ = nullptr;
};

// Lays out an onboarding step: a column with 40 points of padding, a
// flexible space and the centred heading (title, then subtitle), above the
// place for the footer. Returns the column for the step's own items; the
// caller ends it with a flexible space and adds the footer to the step's
// layout.
QVBoxLayout* stepColumn(QWidget& step, int spacing, const QString& title, const QString& subtitle);

}  // namespace vt
