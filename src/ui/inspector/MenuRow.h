#pragma once
// A titled row with a pop-up menu 150 points wide; each entry stands for a
// tag, and choosing one writes its tag through the binding.

#include "ui/inspector/Binding.h"
#include "ui/inspector/InspectorRow.h"

#include <utility>
#include <vector>

class QComboBox;

namespace vt::ui {

class MenuRow : public InspectorRow {
    Q_OBJECT
public:
    MenuRow(const QString& title, Binding<int> selection, const std::vector<std::pair<QString, int>>& options,
            QWidget* parent = nullptr);
    void refresh();
    QComboBox* menu() const;

private:
    Binding<int> selection_;
};

}  // namespace vt::ui
