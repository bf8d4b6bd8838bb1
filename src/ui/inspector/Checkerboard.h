#pragma once
// The grey checkerboard behind pictures that may be transparent: 8-point
// squares, the lighter one at the top left, the same in light and dark.

#include <QWidget>

namespace vt::ui {

class Checkerboard : public QWidget {
    Q_OBJECT
public:
    explicit Checkerboard(QWidget* parent = nullptr);
    static void paint(QPainter& painter, QSizeF size);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace vt::ui
