#pragma once
// A tile that a click uses and a drag carries to the timeline: pressing and
// moving past the system's drag distance starts a drag of the tile's payload
// text; releasing without dragging clicks it. Subclasses draw the tile.

#include <QWidget>

#include <functional>

namespace vt::ui {

class DragTile : public QWidget {
    Q_OBJECT
public:
    DragTile(QString payload, std::function<void()> click, QWidget* parent = nullptr);
    const QString& payload() const { return payload_; }
    void setPayload(QString payload) { payload_ = std::move(payload); }
    bool hovered() const { return hover_; }
    // What a click does, also reachable by keyboard (Space, Return).
    void click();
    // The drag's preview picture; the tile itself when not overridden.
    virtual QPixmap dragPreview() const;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QString payload_;
    std::function<void()> click_;
    QPoint pressedAt_;
    bool pressed_ = false;
    bool hover_ = false;
};

}  // namespace vt::ui
