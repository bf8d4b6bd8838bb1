#pragma once
// A small caption line (title and an optional accessory control) above a
// card holding a column of rows.

#include <QWidget>

class QLabel;
class QVBoxLayout;

namespace vt::ui {

class InspectorGroup : public QWidget {
    Q_OBJECT
public:
    explicit InspectorGroup(const QString& title, QWidget* accessory = nullptr, QWidget* parent = nullptr);
    // Appends a row to the card.
    void addRow(QWidget* row);
    QVBoxLayout* rows() const { return rows_; }
    QString title() const;

private:
    QLabel* title_;
    QVBoxLayout* rows_;
};

}  // namespace vt::ui
