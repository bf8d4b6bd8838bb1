#include "ui/timeline/TimelineIcons.h"

#include <QPainterPath>

#include <cmath>

#include <functional>
#include <map>

namespace vt::TimelineIcons {

namespace {

// Each drawing works in a 10 × 10 box centred on the origin.
using Drawing = std::function<void(QPainter&)>;

void speaker(QPainter& p)
{
    QPainterPath body;
    body.moveTo(-5, -1.6);
    body.lineTo(-3, -1.6);
    body.lineTo(0, -4.2);
    body.lineTo(0, 4.2);
    body.lineTo(-3, 1.6);
    body.lineTo(-5, 1.6);
    body.closeSubpath();
    p.drawPath(body);
}

// A lens with its handle; the sign goes inside the lens.
void magnifier(QPainter& p)
{
    p.drawEllipse(QPointF(-1, -1), 3.6, 3.6);
    p.drawLine(QPointF(1.6, 1.6), QPointF(4.8, 4.8));
}

// Half a sun on the horizon with an arrow for its way, up or down.
void sun(QPainter& p, bool rising)
{
    p.drawLine(QPointF(-5, 3), QPointF(5, 3));
    p.drawArc(QRectF(-3, 0, 6, 6), 0, 180 * 16);
    const double tip = rising ? -4.8 : -1.2, tail = rising ? -1.2 : -4.8;
    p.drawLine(QPointF(0, tail), QPointF(0, tip));
    p.drawPolyline(QPolygonF({QPointF(-1.5, tip + (rising ? 1.5 : -1.5)), QPointF(0, tip),
                              QPointF(1.5, tip + (rising ? 1.5 : -1.5))}));
}

// A lightning bolt, outlined or filled with the stroke colour.
void bolt(QPainter& p, bool filled)
{
    const QPolygonF shape({QPointF(1, -5), QPointF(-3.5, 1), QPointF(0, 1), QPointF(-1, 5), QPointF(3.5, -1), QPointF(0, -1)});
    if (filled) p.setBrush(p.pen().color());
    p.drawPolygon(shape);
}

void eye(QPainter& p)
{
    QPainterPath lid;
    lid.moveTo(-5, 0);
    lid.quadTo(0, -5.5, 5, 0);
    lid.quadTo(0, 5.5, -5, 0);
    p.drawPath(lid);
    p.drawEllipse(QPointF(0, 0), 1.5, 1.5);
}

const std::map<QString, Drawing>& drawings()
{
    static const std::map<QString, Drawing> all{
        {"plus", [](QPainter& p) { p.drawLine(QPointF(-4, 0), QPointF(4, 0)), p.drawLine(QPointF(0, -4), QPointF(0, 4)); }},
        {"pencil",
         [](QPainter& p) {
             p.drawLine(QPointF(-4, 4), QPointF(3, -3));
             p.drawLine(QPointF(-4, 4), QPointF(-4.5, 4.5));
             p.drawLine(QPointF(1.5, -4.5), QPointF(4.5, -1.5));
         }},
        {"eye", eye},
        {"eye.slash",
         [](QPainter& p) {
             eye(p);
             p.drawLine(QPointF(-4.5, -4.5), QPointF(4.5, 4.5));
         }},
        {"speaker.wave.2",
         [](QPainter& p) {
             speaker(p);
             p.drawArc(QRectF(-2, -2.5, 5, 5), -60 * 16, 120 * 16);
             p.drawArc(QRectF(-3.5, -4.5, 9, 9), -60 * 16, 120 * 16);
         }},
        {"speaker.slash",
         [](QPainter& p) {
             speaker(p);
             p.drawLine(QPointF(-5, -5), QPointF(5, 5));
         }},
        {"film",
         [](QPainter& p) {
             p.drawRect(QRectF(-4.5, -4, 9, 8));
             p.drawLine(QPointF(-2.5, -4), QPointF(-2.5, 4));
             p.drawLine(QPointF(2.5, -4), QPointF(2.5, 4));
         }},
        {"photo",
         [](QPainter& p) {
             p.drawRect(QRectF(-4.5, -4, 9, 8));
             p.drawPolyline(QPolygonF({QPointF(-4.5, 3), QPointF(-1, -0.5), QPointF(1.5, 2), QPointF(3, 0.5),
                                       QPointF(4.5, 2)}));
         }},
        {"textformat",
         [](QPainter& p) {
             p.drawPolyline(QPolygonF({QPointF(-4.5, 4), QPointF(-2, -4), QPointF(0.5, 4)}));
             p.drawLine(QPointF(-3.3, 1), QPointF(-0.7, 1));
             p.drawLine(QPointF(2, -1), QPointF(4.5, -1));
             p.drawLine(QPointF(3.25, -1), QPointF(3.25, 4));
         }},
        {"sparkles",
         [](QPainter& p) {
             QPainterPath star;
             star.moveTo(0, -5);
             star.quadTo(0, 0, 4, 0);
             star.quadTo(0, 0, 0, 5);
             star.quadTo(0, 0, -4, 0);
             star.quadTo(0, 0, 0, -5);
             p.drawPath(star);
         }},
        {"captions.bubble",
         [](QPainter& p) {
             p.drawRoundedRect(QRectF(-5, -4, 10, 7), 2, 2);
             p.drawLine(QPointF(-3, -1), QPointF(3, -1));
             p.drawLine(QPointF(-3, 1), QPointF(1, 1));
         }},
        {"music.note",
         [](QPainter& p) {
             p.drawEllipse(QPointF(-2, 3), 2, 1.6);
             p.drawLine(QPointF(0, 3), QPointF(0, -4.5));
             p.drawLine(QPointF(0, -4.5), QPointF(3.5, -3));
         }},
        {"rectangle.on.rectangle",
         [](QPainter& p) {
             p.drawRect(QRectF(-4.5, -1.5, 7, 5.5));
             p.drawPolyline(QPolygonF({QPointF(-2.5, -3), QPointF(-2.5, -4.5), QPointF(4.5, -4.5), QPointF(4.5, 1),
                                       QPointF(3.5, 1)}));
         }},
        {"bolt.fill", [](QPainter& p) { bolt(p, true); }},
        {"music.note.list",
         [](QPainter& p) {
             p.drawLine(QPointF(-5, -4), QPointF(0, -4));
             p.drawLine(QPointF(-5, -1.5), QPointF(0, -1.5));
             p.drawEllipse(QPointF(1.5, 3.5), 1.6, 1.3);
             p.drawLine(QPointF(3.1, 3.5), QPointF(3.1, -4.5));
             p.drawLine(QPointF(3.1, -4.5), QPointF(5, -3.5));
         }},
        {"mic.fill",
         [](QPainter& p) {
             p.drawRoundedRect(QRectF(-1.8, -5, 3.6, 6.5), 1.8, 1.8);
             p.drawArc(QRectF(-3.5, -3, 7, 6), 180 * 16, 180 * 16);
             p.drawLine(QPointF(0, 3), QPointF(0, 5));
         }},
        {"arrow.left",
         [](QPainter& p) {
             p.drawLine(QPointF(-4.5, 0), QPointF(4.5, 0));
             p.drawPolyline(QPolygonF({QPointF(-0.5, -4), QPointF(-4.5, 0), QPointF(-0.5, 4)}));
         }},
        {"arrow.right",
         [](QPainter& p) {
             p.drawLine(QPointF(-4.5, 0), QPointF(4.5, 0));
             p.drawPolyline(QPolygonF({QPointF(0.5, -4), QPointF(4.5, 0), QPointF(0.5, 4)}));
         }},
        {"chevron.left", [](QPainter& p) { p.drawPolyline(QPolygonF({QPointF(2, -4.5), QPointF(-2.5, 0), QPointF(2, 4.5)})); }},
        {"chevron.right", [](QPainter& p) { p.drawPolyline(QPolygonF({QPointF(-2, -4.5), QPointF(2.5, 0), QPointF(-2, 4.5)})); }},
        {"trash",
         [](QPainter& p) {
             p.drawLine(QPointF(-4.5, -3), QPointF(4.5, -3));
             p.drawLine(QPointF(-1.5, -4.5), QPointF(1.5, -4.5));
             p.drawPolyline(QPolygonF({QPointF(-3.5, -3), QPointF(-2.8, 4.5), QPointF(2.8, 4.5), QPointF(3.5, -3)}));
         }},
        {"plus.square.on.square",
         [](QPainter& p) {
             p.drawRoundedRect(QRectF(-2.5, -4.5, 7, 7), 1.5, 1.5);
             p.drawPolyline(QPolygonF({QPointF(-4.5, -2.5), QPointF(-4.5, 4.5), QPointF(2.5, 4.5)}));
             p.drawLine(QPointF(1, -3), QPointF(1, 1));
             p.drawLine(QPointF(-1, -1), QPointF(3, -1));
         }},
        {"plus.magnifyingglass",
         [](QPainter& p) {
             magnifier(p);
             p.drawLine(QPointF(-3, -1), QPointF(1, -1));
             p.drawLine(QPointF(-1, -3), QPointF(-1, 1));
         }},
        {"minus.magnifyingglass",
         [](QPainter& p) {
             magnifier(p);
             p.drawLine(QPointF(-3, -1), QPointF(1, -1));
         }},
        {"viewfinder",
         [](QPainter& p) {
             for (const double sx : {-1.0, 1.0})
                 for (const double sy : {-1.0, 1.0})
                     p.drawPolyline(QPolygonF({QPointF(4.5 * sx, 2 * sy), QPointF(4.5 * sx, 4.5 * sy),
                                               QPointF(2 * sx, 4.5 * sy)}));
             p.drawEllipse(QPointF(0, 0), 1.2, 1.2);
         }},
        {"burst",
         [](QPainter& p) {
             QPolygonF star;
             for (int i = 0; i < 16; ++i) {
                 const double angle = i * M_PI / 8, r = i % 2 ? 2.6 : 5;
                 star << QPointF(r * std::sin(angle), -r * std::cos(angle));
             }
             p.drawPolygon(star);
         }},
        {"waveform.path",
         [](QPainter& p) {
             p.drawPolyline(QPolygonF({QPointF(-5, 0), QPointF(-3.5, 0), QPointF(-2, -4), QPointF(0, 4),
                                       QPointF(2, -2.5), QPointF(3.5, 0), QPointF(5, 0)}));
         }},
        {"sunrise", [](QPainter& p) { sun(p, true); }},
        {"sunset", [](QPainter& p) { sun(p, false); }},
        {"bolt", [](QPainter& p) { bolt(p, false); }},
        {"aqi.medium",
         [](QPainter& p) {
             p.drawLine(QPointF(-4.5, -3), QPointF(2.5, -3));
             p.drawLine(QPointF(-2.5, 0), QPointF(4.5, 0));
             p.drawLine(QPointF(-4.5, 3), QPointF(1.5, 3));
         }},
        {"circle.lefthalf.filled",
         [](QPainter& p) {
             p.drawEllipse(QPointF(0, 0), 4.5, 4.5);
             QPainterPath half;
             half.moveTo(0, -4.5);
             half.arcTo(QRectF(-4.5, -4.5, 9, 9), 90, 180);
             half.closeSubpath();
             p.fillPath(half, p.pen().color());
         }},
        {"tv",
         [](QPainter& p) {
             p.drawRoundedRect(QRectF(-5, -4, 10, 7), 1.5, 1.5);
             p.drawLine(QPointF(-2.5, 4.8), QPointF(2.5, 4.8));
         }},
        {"waveform",
         [](QPainter& p) {
             for (int i = 0; i < 5; ++i) {
                 const double h = (i % 2 ? 4.5 : 2.5);
                 p.drawLine(QPointF(-4 + 2 * i, -h), QPointF(-4 + 2 * i, h));
             }
         }},
    };
    return all;
}

}  // namespace

bool has(const QString& name) { return drawings().count(name) > 0; }

void draw(QPainter& p, const QString& name, const QRectF& box, const QColor& color)
{
    const auto it = drawings().find(name);
    if (it == drawings().end()) return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(box.center());
    const double scale = std::min(box.width(), box.height()) / 11;
    p.scale(scale, scale);
    p.setPen(QPen(color, 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    it->second(p);
    p.restore();
}

}  // namespace vt::TimelineIcons
