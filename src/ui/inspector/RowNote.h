#pragma once
// A small explanatory note under the row it explains; wraps, never cut off.

#include <QLabel>

namespace vt::ui {

class RowNote : public QLabel {
    Q_OBJECT
public:
    explicit RowNote(const QString& text, QWidget* parent = nullptr);
};

}  // namespace vt::ui
