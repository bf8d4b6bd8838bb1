#include "ui/inspector/ColorWell.h"

#include "ui/inspector/KitColors.h"

#include <QColorDialog>
#include <QPainter>

namespace vt::ui {

ColorWell::ColorWell(Binding<QColor> color, const QString& label, QWidget* parent)
    : QToolButton(parent), color_(std::move(color))
{
    setFixedSize(44, 22);
    setAccessibleName(label);
    connect(this, &QToolButton::clicked, this, [this] {
        QColor picked = QColorDialog::getColor(color_.get(), this, accessibleName(), QColorDialog::ShowAlphaChannel);
        if (picked.isValid()) {
            color_.set(picked.toRgb());
            update();
        }
    });
}

void ColorWell::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(Qt::NoPen);
    p.setBrush(color_.get());
    p.drawRoundedRect(r.adjusted(3, 3, -3, -3), 3, 3);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(kit::border()), 1));
    p.drawRoundedRect(r, 6, 6);
}

}  // namespace vt::ui
