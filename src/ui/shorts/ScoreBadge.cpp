#include "ui/shorts/ScoreBadge.h"

#include "ui/theme/Theme.h"

#include <QPainter>

namespace vt::ui {

ScoreBadge::ScoreBadge(int score, QWidget* parent) : QWidget(parent), score_(score)
{
    setFixedSize(40, 40);
    setToolTip(tr("How likely this moment works as a Short, out of 100"));
    setAccessibleName(tr("Score %1 out of 100").arg(score));
}

QColor ScoreBadge::bandColor(int score)
{
    if (score >= 80) return QColor::fromRgbF(0.2f, 0.78f, 0.45f);
    if (score >= 60) return QColor::fromRgbF(1.0f, 0.66f, 0.2f);
    return Theme::secondaryText;
}

void ScoreBadge::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF ring = QRectF(rect()).adjusted(2, 2, -2, -2);
    QColor track = Theme::ink;
    track.setAlphaF(track.alphaF() * 0.08f);
    p.setPen(QPen(track, 4, Qt::SolidLine, Qt::FlatCap));
    p.drawEllipse(ring);
    if (score_ > 0) {
        p.setPen(QPen(bandColor(score_), 4, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(ring, 90 * 16, -int(std::min(score_, 100) * 360 * 16 / 100));
    }
    QFont font = p.font();
    font.setPointSizeF(13);
    font.setBold(true);
    font.setStyleHint(QFont::Monospace);
    p.setFont(font);
    p.setPen(QColor(Theme::ink));
    p.drawText(rect(), Qt::AlignCenter, QString::number(score_));
}

}  // namespace vt::ui
