#include "ui/inspector/PopularTag.h"

#include "ui/theme/Theme.h"

#include <QPainter>

namespace vt::ui {

PopularTag::PopularTag(QWidget* parent) : QWidget(parent)
{
    setFixedSize(16, 16);
    setToolTip(QStringLiteral("Popular"));
    setAccessibleName(QStringLiteral("Popular"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void PopularTag::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QColor scrim = Theme::mediaScrim;
    scrim.setAlphaF(0.55);
    p.setPen(Qt::NoPen);
    p.setBrush(scrim);
    p.drawEllipse(rect());
    QFont f = font();
    f.setPointSizeF(7.5);
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor::fromRgbF(1, 0.8, 0.25));
    p.drawText(rect(), Qt::AlignCenter, QStringLiteral("★"));
}

}  // namespace vt::ui
