#pragma once
// A small progress indicator drawn in one colour: a turning arc while the
// amount of work is unknown, or a ring filled to a fraction when it is.

#include "ui/theme/Theme.h"

#include <QColor>
#include <QTimer>
#include <QWidget>

#include <optional>

namespace vt::ui {

class BusySpinner : public QWidget {
    Q_OBJECT
public:
    // A palette colour follows the appearance; a fixed one stays.
    BusySpinner(int side, const DynamicColor& colour, QWidget* parent = nullptr);
    BusySpinner(int side, QColor colour, QWidget* parent = nullptr) : BusySpinner(side, DynamicColor{colour, colour}, parent) {}
    // None: indeterminate; a value: the fraction done (0…1).
    void setProgress(std::optional<double> fraction);
    const std::optional<double>& progress() const { return progress_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    DynamicColor colour_;
    std::optional<double> progress_;
    QTimer turn_;
    int angle_ = 0;
};

}  // namespace vt::ui
