#pragma once
// The average video bitrate in megabits per second: a number field and a
// slider on a logarithmic scale between the range's ends, which are written
// under it. The slider writes values with one decimal.

#include "ui/inspector/Binding.h"

#include <QWidget>

class QSlider;

namespace vt::ui {

class NumberField;

class BitrateRow : public QWidget {
    Q_OBJECT
public:
    // `lower` is above 0.
    BitrateRow(Binding<double> mbps, double lower, double upper, QWidget* parent = nullptr);
    void refresh();

    // Slider position 0 to 1 of a bitrate, and the bitrate of a position.
    static double position(double mbps, double lower, double upper);
    static double mbpsAt(double position, double lower, double upper);

    QSlider* slider() const { return slider_; }
    NumberField* field() const { return field_; }

private:
    Binding<double> mbps_;
    double lower_;
    double upper_;
    QSlider* slider_;
    NumberField* field_;
};

}  // namespace vt::ui
