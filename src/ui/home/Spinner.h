#pragma once
// A small indeterminate spinner: an arc turning while it is shown.

#include <QTimer>
#include <QWidget>

namespace vt {

class Spinner : public QWidget {
public:
    explicit Spinner(int size, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent*) override;
    void showEvent(QShowEvent*) override { timer_.start(); }
    void hideEvent(QHideEvent*) override { timer_.stop(); }

private:
    QTimer timer_;
    int angle_ = 0;
};

}  // namespace vt
