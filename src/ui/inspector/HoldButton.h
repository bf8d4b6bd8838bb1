#pragma once
// A button that holds a flag true exactly while the pointer is down on it,
// for hold-to-compare; released anywhere, the flag goes back to false.

#include "ui/inspector/Binding.h"

#include <QAbstractButton>

namespace vt::ui {

class HoldButton : public QAbstractButton {
    Q_OBJECT
public:
    HoldButton(const QString& title, const QString& icon, Binding<bool> held, QWidget* parent = nullptr);
    QSize sizeHint() const override;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QString icon_;
    Binding<bool> held_;
};

}  // namespace vt::ui
