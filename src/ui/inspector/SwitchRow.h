#pragma once
// A titled row with an on/off switch; the optional help is the row's tooltip.

#include "ui/inspector/Binding.h"
#include "ui/inspector/InspectorRow.h"

class QCheckBox;

namespace vt::ui {

class SwitchRow : public InspectorRow {
    Q_OBJECT
public:
    SwitchRow(const QString& title, Binding<bool> isOn, const QString& help = {}, QWidget* parent = nullptr);
    void refresh();
    QCheckBox* toggle() const;

private:
    Binding<bool> isOn_;
};

}  // namespace vt::ui
