#include "ui/inspector/ToggleChip.h"

#include "ui/inspector/KitColors.h"

#include <QPainter>

namespace vt::ui {

ToggleChip::ToggleChip(Binding<bool> isOn, const QString& help, const QString& label, QWidget* parent)
    : QAbstractButton(parent), isOn_(std::move(isOn))
{
    setText(label);
    setToolTip(help);
    setAccessibleName(help);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAttribute(Qt::WA_Hover);
    connect(this, &QAbstractButton::clicked, this, [this] {
        isOn_.set(!isOn_.get());
        update();
    });
}

// Wider and taller than 32 by 22 only when large text needs it.
QSize ToggleChip::sizeHint() const
{
    const QFontMetrics metrics = fontMetrics();
    return QSize(metrics.horizontalAdvance(text()) + 12, metrics.height() + 4).expandedTo({32, 22});
}

QColor ToggleChip::background(bool on, bool hover)
{
    if (on) return kit::ink();
    return kit::faded(kit::muted(), hover ? 1.0 : 0.7);
}

void ToggleChip::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setOpacity(isDown() ? 0.7 : 1.0);
    const bool on = isOn_.get();
    p.setPen(Qt::NoPen);
    p.setBrush(background(on, underMouse()));
    p.drawRoundedRect(QRectF(rect()), 6, 6);
    p.setPen(on ? kit::onInk() : kit::ink());
    p.drawText(rect(), Qt::AlignCenter, text());
}

}  // namespace vt::ui
