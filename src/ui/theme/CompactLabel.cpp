#include "ui/theme/CompactLabel.h"

#include <QHBoxLayout>
#include <QLabel>

namespace vt {

CompactLabel::CompactLabel(const QIcon& icon, const QString& title, QWidget* parent) : QWidget(parent)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(5);
    auto* image = new QLabel(this);
    // 10.5 points at the screen's resolution.
    const int side = qRound(10.5 * logicalDpiY() / 72.0);
    image->setPixmap(icon.pixmap(side, side));
    layout->addWidget(image, 0, Qt::AlignVCenter);
    layout->addWidget(new QLabel(title, this), 0, Qt::AlignVCenter);
}

}  // namespace vt
