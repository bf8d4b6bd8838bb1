#pragma once
// The row of nearly every numeric setting: a title, an optional mini slider
// over the stored value and a number field showing it scaled (fractions as
// percentages with scale 100). A double-click on the title restores
// `resetTo` when one is given. The commit action runs when a slider drag
// ends, when a number is committed and after a reset.

#include "ui/inspector/Binding.h"

#include <QWidget>

#include <functional>
#include <optional>

class QLabel;
class QSlider;

namespace vt::ui {

class NumberField;

class ValueRow : public QWidget {
    Q_OBJECT
public:
    struct Options {
        double lower = 0;  // stored units
        double upper = 1;
        double step = 1;   // shown units
        int decimals = 0;
        QString suffix;
        double scale = 1;  // shown = stored × scale
        bool slider = true;
        bool signedDisplay = false;
        std::optional<double> resetTo;
    };

    ValueRow(const QString& title, Binding<double> value, Options options, std::function<void()> onCommit = {},
             QWidget* parent = nullptr);

    // Shows the bound value again.
    void refresh();
    // Makes the slider keep to the row's step (in shown units, counted from
    // the lower end) instead of running continuously; a move that stays on
    // the same step writes nothing.
    void setSliderSnaps(bool on) { snaps_ = on; }

    QLabel* titleLabel() const { return title_; }
    QSlider* slider() const { return slider_; }
    NumberField* field() const { return field_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The stored value at a slider position of 0 to 1.
    double sliderValue(double fraction) const;

    Binding<double> value_;
    Options options_;
    std::function<void()> onCommit_;
    bool snaps_ = false;
    QLabel* title_;
    QSlider* slider_ = nullptr;
    NumberField* field_;
};

}  // namespace vt::ui
