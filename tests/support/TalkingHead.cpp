#include "TalkingHead.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace vt::test {

QImage talkingHead(int W, int H, bool withPerson, double faceHeight, double centre)
{
    QImage img(W, H, QImage::Format_ARGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient backdrop(0, 0, W, H);
    backdrop.setColorAt(0, QColor(70, 110, 140));
    backdrop.setColorAt(1, QColor(150, 170, 120));
    p.fillRect(img.rect(), backdrop);
    if (!withPerson) return img;
    const double cx = W * centre, fy = H * 0.36, fh = H * faceHeight, fw = fh * 0.75;
    QPainterPath shirt;
    shirt.moveTo(cx - fw * 1.6, H);
    shirt.cubicTo(cx - fw * 1.6, fy + fh * 0.9, cx - fw * 0.8, fy + fh * 0.75, cx, fy + fh * 0.75);
    shirt.cubicTo(cx + fw * 0.8, fy + fh * 0.75, cx + fw * 1.6, fy + fh * 0.9, cx + fw * 1.6, H);
    shirt.closeSubpath();
    p.fillPath(shirt, QColor(40, 40, 60));
    p.fillRect(QRectF(cx - fw * 0.22, fy + fh * 0.35, fw * 0.44, fh * 0.45), QColor(200, 150, 120));  // neck
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(50, 35, 25));  // hair
    p.drawEllipse(QPointF(cx, fy - fh * 0.08), fw * 0.56, fh * 0.5);
    QRadialGradient skin(QPointF(cx, fy), fw * 0.6);
    skin.setColorAt(0, QColor(235, 190, 160));
    skin.setColorAt(1, QColor(190, 140, 110));
    p.setBrush(skin);
    p.drawEllipse(QPointF(cx, fy + fh * 0.02), fw * 0.5, fh * 0.5);
    for (int s : {-1, 1}) {
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(cx + s * fw * 0.2, fy - fh * 0.05), fw * 0.1, fh * 0.045);
        p.setBrush(QColor(40, 30, 25));
        p.drawEllipse(QPointF(cx + s * fw * 0.2, fy - fh * 0.05), fw * 0.05, fh * 0.04);
        p.drawRoundedRect(QRectF(cx + s * fw * 0.2 - fw * 0.13, fy - fh * 0.16, fw * 0.26, fh * 0.035), 4, 4);
    }
    p.setBrush(QColor(170, 115, 90));
    p.drawEllipse(QPointF(cx, fy + fh * 0.12), fw * 0.07, fh * 0.05);
    p.setBrush(QColor(150, 60, 60));
    p.drawEllipse(QPointF(cx, fy + fh * 0.27), fw * 0.17, fh * 0.04);
    return img;
}

}  // namespace vt::test
