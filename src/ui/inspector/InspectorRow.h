#pragma once
// A titled row: the title on the left (one line, keeping its width before
// the control gives any up) and a control at the trailing end; the optional
// help is the whole row's tooltip.

#include <QWidget>

class QLabel;

namespace vt::ui {

class InspectorRow : public QWidget {
    Q_OBJECT
public:
    InspectorRow(const QString& title, const QString& help, QWidget* control, QWidget* parent = nullptr);
    QWidget* control() const { return control_; }
    QLabel* titleLabel() const { return title_; }

protected:
    // A disabled row's title is dimmed with it, so the row does not read as
    // one that answers clicks.
    void changeEvent(QEvent* event) override;

private:
    QLabel* title_;
    QWidget* control_;
};

}  // namespace vt::ui
