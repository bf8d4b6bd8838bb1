#include "ui/inspector/OptionalColorRow.h"

#include "ui/inspector/ColorWell.h"
#include "ui/theme/LookColor.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QSignalBlocker>

namespace vt::ui {

OptionalColorRow::OptionalColorRow(const QString& title, Binding<std::optional<RGBA>> value, RGBA defaultColor,
                                   QWidget* parent)
    : InspectorRow(title, {}, new QWidget, parent), value_(std::move(value)), default_(defaultColor)
{
    auto* pair = new QHBoxLayout(control());
    pair->setContentsMargins(0, 0, 0, 0);
    Binding<QColor> colour{[this] { return toQColor(value_.get().value_or(default_)); },
                           [this](const QColor& picked) { value_.set(toRGBA(picked)); }};
    well_ = new ColorWell(colour, title, control());
    pair->addWidget(well_);
    toggle_ = new QCheckBox(control());
    toggle_->setAccessibleName(title);
    pair->addWidget(toggle_);
    connect(toggle_, &QCheckBox::toggled, this, [this](bool on) {
        value_.set(on ? std::optional(default_) : std::nullopt);
        refresh();
    });
    refresh();
}

void OptionalColorRow::refresh()
{
    const bool on = value_.get().has_value();
    QSignalBlocker quiet(toggle_);
    toggle_->setChecked(on);
    well_->setVisible(on);
    well_->update();
}

}  // namespace vt::ui
