#include "ui/inspector/HoldButton.h"

#include "ui/inspector/KitColors.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace vt::ui {

HoldButton::HoldButton(const QString& title, const QString& icon, Binding<bool> held, QWidget* parent)
    : QAbstractButton(parent), icon_(icon), held_(std::move(held))
{
    setText(title);
    setAccessibleName(title);
    QFont f = font();
    f.setPointSizeF(11.5);
    f.setWeight(QFont::Medium);
    setFont(f);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);  // its label is never squeezed
}

// 22 high, taller only when large text needs it.
QSize HoldButton::sizeHint() const
{
    return {fontMetrics().horizontalAdvance(icon_ + " " + text()) + 18, std::max(22, fontMetrics().height() + 4)};
}

void HoldButton::mousePressEvent(QMouseEvent* event)
{
    if (!held_.get()) held_.set(true);
    update();
    event->accept();
}

void HoldButton::mouseReleaseEvent(QMouseEvent* event)
{
    held_.set(false);
    update();
    event->accept();
}

void HoldButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const bool held = held_.get();
    p.setPen(Qt::NoPen);
    p.setBrush(held ? QColor(kit::accent()) : QColor(kit::faded(kit::ink(), 0.08)));
    p.drawRoundedRect(QRectF(rect()), 6, 6);
    p.setPen(held ? kit::onAccent() : kit::ink());
    p.drawText(rect().adjusted(9, 0, -9, 0), Qt::AlignCenter, icon_ + " " + text());
}

}  // namespace vt::ui
