#pragma once
// The font-size stepper of the Customize panel: "minus" (Smaller, -2), a
// number field and "plus" (Bigger, +2), limited to the range. Holding a
// step button repeats the step until released.

#include "ui/inspector/Binding.h"

#include <QWidget>

class QTimer;

namespace vt::ui {

class NumberField;
class PressableButton;

class SizeControl : public QWidget {
    Q_OBJECT
public:
    SizeControl(Binding<double> value, double lower, double upper, QWidget* parent = nullptr);

    // The value after one step: limited to [lower, upper].
    static double stepped(double value, double step, double lower, double upper);

    void refresh();
    PressableButton* smaller() const { return smaller_; }
    PressableButton* bigger() const { return bigger_; }
    NumberField* field() const { return field_; }

private:
    Binding<double> value_;
    double lower_, upper_;
    PressableButton* smaller_;
    PressableButton* bigger_;
    NumberField* field_;
    QTimer* repeat_;
    double heldStep_ = 0;

    PressableButton* stepButton(const QString& glyph, const QString& text, double step);
    void step(double by);
};

}  // namespace vt::ui
