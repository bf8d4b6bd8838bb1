#include "ui/inspector/ColorRow.h"

#include "ui/inspector/ColorWell.h"

namespace vt::ui {

ColorRow::ColorRow(const QString& title, Binding<QColor> color, QWidget* parent)
    : InspectorRow(title, {}, new ColorWell(std::move(color), title), parent)
{
}

}  // namespace vt::ui
