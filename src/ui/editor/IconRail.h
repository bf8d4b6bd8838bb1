#pragma once
// The strip at the left of the editor window that picks what the inspector
// shows: one item per inspector tab (Export is reached from the title bar)
// with its symbol over its title, the current one highlighted, and at the
// bottom the Keys item that opens the keyboard-shortcuts sheet.

#include "editor/InspectorTab.h"

#include <QAbstractButton>

#include <functional>
#include <vector>

namespace vt {
class AppModel;
class EditorModel;
}

namespace vt::ui {

class RailItem : public QAbstractButton {
    Q_OBJECT
public:
    RailItem(const QString& title, const QString& symbol, double iconPoints, QWidget* parent = nullptr);
    bool selected() const { return selected_; }
    void setSelected(bool selected);
    bool hovered() const { return hover_; }
    QSize sizeHint() const override { return {58, 44}; }
    // The fill under the item.
    static QColor background(bool selected, bool hover);

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QString symbol_;
    double iconPoints_;
    bool selected_ = false;
    bool hover_ = false;
};

class IconRail : public QWidget {
    Q_OBJECT
public:
    IconRail(EditorModel& editor, AppModel* app, QWidget* parent = nullptr);
    const std::vector<RailItem*>& tabItems() const { return items_; }
    RailItem* keysItem() const { return keys_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    EditorModel& editor_;
    std::vector<RailItem*> items_;
    RailItem* keys_;
    void refresh();
};

}  // namespace vt::ui
