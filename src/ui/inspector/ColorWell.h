#pragma once
// A colour swatch with a rounded outline; a click opens the colour dialog
// (opacity included) and writes the picked colour through the binding.

#include "ui/inspector/Binding.h"

#include <QColor>
#include <QToolButton>

namespace vt::ui {

class ColorWell : public QToolButton {
    Q_OBJECT
public:
    ColorWell(Binding<QColor> color, const QString& label, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Binding<QColor> color_;
};

}  // namespace vt::ui
