#include "ui/inspector/RowDivider.h"

#include "ui/inspector/KitColors.h"

#include <QPainter>

namespace vt::ui {

RowDivider::RowDivider(QWidget* parent) : QWidget(parent)
{
    setFixedHeight(1);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void RowDivider::paintEvent(QPaintEvent*)
{
    QPainter(this).fillRect(QRect(12, 0, std::max(width() - 12, 0), 1), kit::hairline());
}

}  // namespace vt::ui
