#pragma once
// The frame of a feature panel: a vertical scroll view filling the panel,
// holding one column (spacing 18, 16 points below the last block) opened by
// a 12-point introduction in the secondary text colour.

#include <QString>

class QVBoxLayout;
class QWidget;

namespace vt::ui {

// Builds the frame inside `panel` and returns the column to add blocks to
// (the introduction is in it already); its parent widget is the content.
QVBoxLayout* featureColumn(QWidget* panel, const QString& intro);

}  // namespace vt::ui
