#pragma once
// A toggle of at least 32 by 22 showing a short label: on draws ink with the label in
// the on-ink colour; off a muted fill (deeper under the pointer). Pressed
// draws at 0.7. Writes only through its binding.

#include "ui/inspector/Binding.h"

#include <QAbstractButton>

namespace vt::ui {

class ToggleChip : public QAbstractButton {
    Q_OBJECT
public:
    ToggleChip(Binding<bool> isOn, const QString& help, const QString& label, QWidget* parent = nullptr);
    static QColor background(bool on, bool hover);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Binding<bool> isOn_;
};

}  // namespace vt::ui
