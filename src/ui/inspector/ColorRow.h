#pragma once
// A titled row with a colour well.

#include "ui/inspector/Binding.h"
#include "ui/inspector/InspectorRow.h"

#include <QColor>

namespace vt::ui {

class ColorRow : public InspectorRow {
    Q_OBJECT
public:
    ColorRow(const QString& title, Binding<QColor> color, QWidget* parent = nullptr);
};

}  // namespace vt::ui
