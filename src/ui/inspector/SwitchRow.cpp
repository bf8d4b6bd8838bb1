#include "ui/inspector/SwitchRow.h"

#include <QCheckBox>
#include <QSignalBlocker>

namespace vt::ui {

SwitchRow::SwitchRow(const QString& title, Binding<bool> isOn, const QString& help, QWidget* parent)
    : InspectorRow(title, help, new QCheckBox, parent), isOn_(std::move(isOn))
{
    toggle()->setAccessibleName(title);
    connect(toggle(), &QCheckBox::toggled, this, [this](bool on) {
        if (on != isOn_.get()) isOn_.set(on);
    });
    refresh();
}

QCheckBox* SwitchRow::toggle() const { return static_cast<QCheckBox*>(control()); }

void SwitchRow::refresh()
{
    QSignalBlocker quiet(toggle());
    toggle()->setChecked(isOn_.get());
}

}  // namespace vt::ui
