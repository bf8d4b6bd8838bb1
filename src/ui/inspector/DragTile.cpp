#include "ui/inspector/DragTile.h"

#include "ui/inspector/TimelinePayload.h"

#include <QApplication>
#include <QDrag>
#include <QKeyEvent>
#include <QMouseEvent>

namespace vt::ui {

DragTile::DragTile(QString payload, std::function<void()> click, QWidget* parent)
    : QWidget(parent), payload_(std::move(payload)), click_(std::move(click))
{
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_Hover);
}

void DragTile::click()
{
    if (click_) click_();
}

QPixmap DragTile::dragPreview() const { return const_cast<DragTile*>(this)->grab(); }

void DragTile::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    pressed_ = true;
    pressedAt_ = event->position().toPoint();
    update();
}

void DragTile::mouseMoveEvent(QMouseEvent* event)
{
    if (!pressed_ || (event->position().toPoint() - pressedAt_).manhattanLength() < QApplication::startDragDistance())
        return;
    pressed_ = false;
    update();
    auto* drag = new QDrag(this);
    drag->setMimeData(payloadData(payload_));
    drag->setPixmap(dragPreview());
    drag->exec(Qt::CopyAction);
}

void DragTile::mouseReleaseEvent(QMouseEvent* event)
{
    const bool wasPressed = pressed_;
    pressed_ = false;
    update();
    if (wasPressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) click();
}

void DragTile::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return) click();
    else QWidget::keyPressEvent(event);
}

void DragTile::enterEvent(QEnterEvent*)
{
    hover_ = true;
    update();
}

void DragTile::leaveEvent(QEvent*)
{
    hover_ = false;
    update();
}

}  // namespace vt::ui
