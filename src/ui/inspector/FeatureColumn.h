#pragma once
// The frame of a feature panel: a vertical scroll view filling the panel,
// holding one column (spacing 18, 16 points below the last block), opened
// by a 12-point introduction in the secondary text colour when it has one.

#include <QScrollArea>
#include <QString>

class QVBoxLayout;
class QWidget;

namespace vt::ui {

// A vertical scroll view that never scrolls sideways: it asks for the width
// its content cannot do without (large text makes some rows wider), so the
// inspector makes room instead of cutting the content at its side.
class ColumnScrollArea : public QScrollArea {
public:
    explicit ColumnScrollArea(QWidget* parent = nullptr);
    QSize minimumSizeHint() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// Builds the frame inside `panel` and returns the column to add blocks to
// (the introduction, unless empty, is in it already); its parent widget is
// the content.
QVBoxLayout* featureColumn(QWidget* panel, const QString& intro = {});

// A column of rows with no margins or gaps of its own, laid out in `block`.
QVBoxLayout* rowStack(QWidget* block);

}  // namespace vt::ui
