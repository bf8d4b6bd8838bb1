#pragma once
// A titled row over a colour that may be absent: a switch turns it on (with
// `defaultColor`, never the colour it had before) or off (absent); while on,
// a colour well edits it, opacity included.

#include "captions/look/RGBA.h"
#include "ui/inspector/Binding.h"
#include "ui/inspector/InspectorRow.h"

#include <optional>

class QCheckBox;

namespace vt::ui {

class ColorWell;

class OptionalColorRow : public InspectorRow {
    Q_OBJECT
public:
    OptionalColorRow(const QString& title, Binding<std::optional<RGBA>> value, RGBA defaultColor,
                     QWidget* parent = nullptr);
    void refresh();
    QCheckBox* toggle() const { return toggle_; }
    ColorWell* well() const { return well_; }

private:
    Binding<std::optional<RGBA>> value_;
    RGBA default_;
    QCheckBox* toggle_;
    ColorWell* well_;
};

}  // namespace vt::ui
