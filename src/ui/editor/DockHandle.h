#pragma once
// The grip bar between the preview and the transcript dock: dragging it up
// makes the dock taller. Each drag measures from the height at its own
// start, clamps to the allowed range and writes the height at once; moves
// shorter than 10 points start no drag.

#include <QWidget>

#include <functional>
#include <optional>

namespace vt::ui {

class DockHandle : public QWidget {
    Q_OBJECT
public:
    static constexpr double dragThreshold = 10;

    // `height` reads and `setHeight` writes the dock height; `range` gives
    // the allowed heights at the moment of each change.
    DockHandle(std::function<double()> height, std::function<void(double)> setHeight,
               std::function<std::pair<double, double>()> range, QWidget* parent = nullptr);

    QSize sizeHint() const override { return {44, 8}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    std::function<double()> height_;
    std::function<void(double)> setHeight_;
    std::function<std::pair<double, double>()> range_;
    std::optional<double> pressY_;
    std::optional<double> start_;
};

}  // namespace vt::ui
