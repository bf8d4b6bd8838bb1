#include "ui/editor/WordChip.h"

#include "model/Fillers.h"
#include "model/Word.h"
#include "ui/theme/Theme.h"

#include <QFontMetricsF>
#include <QHash>
#include <QPainterPath>

#include <unordered_map>

namespace vt::ui {
namespace {

// Widths of (text, weight) pairs: an hour of words is measured once, not on
// every re-layout.
double textWidth(const QString& text, const QFont& font)
{
    static QHash<QString, double> cache;
    const QString key = QString::number(font.weight()) + QChar(0x1f) + text;
    const auto it = cache.constFind(key);
    if (it != cache.constEnd()) return *it;
    const double width = QFontMetricsF(font).horizontalAdvance(text);
    if (cache.size() > 200000) cache.clear();
    cache.insert(key, width);
    return width;
}

// A rectangle with per-side corner radii (left pair, right pair).
QPainterPath band(const QRectF& r, double left, double right)
{
    QPainterPath path;
    path.moveTo(r.left() + left, r.top());
    path.lineTo(r.right() - right, r.top());
    if (right > 0) path.arcTo(r.right() - 2 * right, r.top(), 2 * right, 2 * right, 90, -90);
    path.lineTo(r.right(), r.bottom() - right);
    if (right > 0) path.arcTo(r.right() - 2 * right, r.bottom() - 2 * right, 2 * right, 2 * right, 0, -90);
    path.lineTo(r.left() + left, r.bottom());
    if (left > 0) path.arcTo(r.left(), r.bottom() - 2 * left, 2 * left, 2 * left, 270, -90);
    path.lineTo(r.left(), r.top() + left);
    if (left > 0) path.arcTo(r.left(), r.top(), 2 * left, 2 * left, 180, -90);
    path.closeSubpath();
    return path;
}

}  // namespace

QColor WordChip::strikeColour() { return QColor::fromRgbF(0.92f, 0.26f, 0.36f); }
QColor WordChip::motionTint() { return QColor::fromRgbF(0.66f, 0.5f, 1.0f); }

bool WordChip::isFiller(const std::string& text)
{
    static std::unordered_map<std::string, bool> judged;
    auto it = judged.find(text);
    if (it == judged.end()) {
        if (judged.size() > 100000) judged.clear();
        it = judged.emplace(text, Fillers::isFiller(text)).first;
    }
    return it->second;
}

WordChip WordChip::of(const Word& word)
{
    WordChip chip;
    chip.text = QString::fromStdString(word.text);
    if (word.breakAfter) chip.text += QStringLiteral(" \u23CE");
    chip.emphasized = word.emphasized;
    chip.deleted = word.deleted;
    chip.filler = isFiller(word.text);
    return chip;
}

QFont WordChip::font() const
{
    QFont f;
    f.setPointSizeF(fontPoints);
    f.setWeight(emphasized ? QFont::Bold : isActive ? QFont::DemiBold : QFont::Normal);
    return f;
}

QColor WordChip::textColour() const
{
    const QColor plain = isActive && inPlayingLine && !struck() ? QColor(Theme::onAccent) : QColor(Theme::ink);
    const QColor cut = Theme::secondaryText;
    const float t = float(strike());
    if (t <= 0) return plain;
    if (t >= 1) return cut;
    const auto lerp = [t](float a, float b) { return a + (b - a) * t; };
    return QColor::fromRgbF(lerp(plain.redF(), cut.redF()), lerp(plain.greenF(), cut.greenF()), lerp(plain.blueF(), cut.blueF()),
                            lerp(plain.alphaF(), cut.alphaF()));
}

QColor WordChip::bandColour() const
{
    if (!inPlayingLine) return Qt::transparent;
    return isActive ? QColor(Theme::accent) : QColor(Theme::highlight);
}

QString WordChip::helpText() const
{
    if (trimmed) return QStringLiteral("Trimmed off the end of its clip (not in the video)");
    if (deleted) return QStringLiteral("Cut from the video. Press Delete again (or Ctrl+Z) to bring it back");
    if (isActive && inPlayingLine) return QStringLiteral("Playing now");
    if (filler) return QStringLiteral("A filler word: the Fillers button cuts all of them");
    return QStringLiteral("Click to pick, Delete to cut, double-click to retype");
}

QString WordChip::markerHelp() const
{
    switch (marker) {
    case Marker::broll: return QStringLiteral("Covered by B-roll");
    case Marker::style: return QStringLiteral("Caption style: ") + styleName;
    case Marker::none: break;
    }
    return {};
}

QSizeF WordChip::size() const
{
    const QFont f = font();
    return {textWidth(text, f) + 2 * padX, QFontMetricsF(f).height() + 2 * padY};
}

void WordChip::paint(QPainter& painter, const QRectF& rect) const
{
    painter.save();
    const double s = scale();
    if (s != 1) {
        painter.translate(rect.center());
        painter.scale(s, s);
        painter.translate(-rect.center());
    }
    painter.setPen(Qt::NoPen);
    const QColor fill = bandColour();
    if (fill.alpha() > 0) {
        painter.setBrush(fill);
        painter.drawPath(band(rect, joinsLeft ? 0 : radius, joinsRight ? 0 : radius));
    }
    const QFont f = font();
    QColor colour = textColour();
    colour.setAlphaF(colour.alphaF() * textOpacity());
    painter.setFont(f);
    painter.setPen(colour);
    const QRectF textRect = rect.adjusted(padX, padY, -padX, -padY);
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
    if (strike() > 0) {
        QColor line = strikeColour();
        line.setAlphaF(float(strike()));
        painter.setPen(QPen(line, 1.3));
        const double y = textRect.center().y() + 0.5;
        painter.drawLine(QPointF(textRect.left(), y), QPointF(textRect.right(), y));
    }
    if (isSelected) {
        painter.setPen(QPen(QColor(Theme::ink), 1.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(rect.adjusted(0.75, 0.75, -0.75, -0.75), radius, radius);
    }
    if (marker != Marker::none) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(marker == Marker::broll ? QColor(Theme::accent) : motionTint());
        painter.drawRoundedRect(QRectF(rect.left(), rect.bottom() - 2 + 3, rect.width(), 2), 1, 1);
    }
    painter.restore();
}

}  // namespace vt::ui
