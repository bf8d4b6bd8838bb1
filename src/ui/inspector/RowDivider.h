#pragma once
// The hairline between two rows of a card, starting where the rows' content
// starts (12 points in) and running to the trailing edge.

#include <QWidget>

namespace vt::ui {

class RowDivider : public QWidget {
    Q_OBJECT
public:
    explicit RowDivider(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace vt::ui
