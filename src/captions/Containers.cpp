// The chat bubble and the phone notification card that some looks draw the
// caption in, with the white pictograms of the card's app icon.
#include "captions/CaptionDrawing.h"

#include "captions/FontBook.h"

#include <QPainterPath>

#include <array>
#include <cmath>
#include <mutex>
#include <shared_mutex>
#include <unordered_map>

namespace vt::caption {
namespace {

struct AppCard {
    NotificationApp app;
    const char* symbol;
    const char* title;
};

constexpr std::array<AppCard, 7> kApps{{
    {NotificationApp::messages, "message.fill", "Messages"},
    {NotificationApp::chat, "bubble.left.and.bubble.right.fill", "Chat"},
    {NotificationApp::social, "camera.fill", "Social"},
    {NotificationApp::direct, "paperplane.fill", "Direct"},
    {NotificationApp::mail, "envelope.fill", "Mail"},
    {NotificationApp::phone, "phone.fill", "Phone"},
    {NotificationApp::reminder, "bell.fill", "Reminder"},
}};

const AppCard& cardOf(NotificationApp app)
{
    for (const auto& row : kApps)
        if (row.app == app) return row;
    return kApps.front();
}

// A speech bubble with a tail at its lower left, in a unit square (y down).
QPainterPath speechBubble(QRectF box)
{
    QPainterPath path;
    path.addEllipse(box.adjusted(0, 0, 0, -0.18 * box.height()));
    QPainterPath tail;
    tail.moveTo(box.left() + 0.18 * box.width(), box.top() + 0.62 * box.height());
    tail.lineTo(box.left() + 0.05 * box.width(), box.bottom());
    tail.lineTo(box.left() + 0.45 * box.width(), box.top() + 0.76 * box.height());
    tail.closeSubpath();
    return path.united(tail);
}

// White pictograms in a square of side s (y down), one per symbol name.
std::optional<QPainterPath> pictogram(const std::string& name, double s)
{
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    if (name == "message.fill") {
        path = speechBubble(QRectF(0.05 * s, 0.1 * s, 0.9 * s, 0.8 * s));
    } else if (name == "bubble.left.and.bubble.right.fill") {
        path = speechBubble(QRectF(0.0, 0.08 * s, 0.62 * s, 0.55 * s));
        QTransform mirror = QTransform::fromTranslate(s, 0).scale(-1, 1);
        path = path.united(mirror.map(speechBubble(QRectF(0.0, 0.4 * s, 0.55 * s, 0.5 * s))));
    } else if (name == "camera.fill") {
        path.addRoundedRect(QRectF(0.05 * s, 0.28 * s, 0.9 * s, 0.6 * s), 0.1 * s, 0.1 * s);
        path.addRect(QRectF(0.34 * s, 0.16 * s, 0.32 * s, 0.14 * s));
        path.addEllipse(QPointF(0.5 * s, 0.58 * s), 0.18 * s, 0.18 * s);
    } else if (name == "paperplane.fill") {
        path.moveTo(0.05 * s, 0.45 * s);
        path.lineTo(0.95 * s, 0.08 * s);
        path.lineTo(0.6 * s, 0.92 * s);
        path.lineTo(0.45 * s, 0.58 * s);
        path.closeSubpath();
    } else if (name == "envelope.fill") {
        path.addRect(QRectF(0.05 * s, 0.2 * s, 0.9 * s, 0.6 * s));
        path.moveTo(0.05 * s, 0.2 * s);
        path.lineTo(0.5 * s, 0.55 * s);
        path.lineTo(0.95 * s, 0.2 * s);
        path.closeSubpath();
    } else if (name == "phone.fill") {
        path.moveTo(0.2 * s, 0.08 * s);
        path.cubicTo(0.0, 0.3 * s, 0.45 * s, 0.95 * s, 0.9 * s, 0.82 * s);
        path.lineTo(0.78 * s, 0.62 * s);
        path.cubicTo(0.55 * s, 0.7 * s, 0.32 * s, 0.45 * s, 0.38 * s, 0.25 * s);
        path.closeSubpath();
    } else if (name == "bell.fill") {
        path.moveTo(0.5 * s, 0.08 * s);
        path.cubicTo(0.18 * s, 0.08 * s, 0.22 * s, 0.5 * s, 0.1 * s, 0.75 * s);
        path.lineTo(0.9 * s, 0.75 * s);
        path.cubicTo(0.78 * s, 0.5 * s, 0.82 * s, 0.08 * s, 0.5 * s, 0.08 * s);
        path.closeSubpath();
        path.addEllipse(QPointF(0.5 * s, 0.84 * s), 0.1 * s, 0.08 * s);
    } else {
        return std::nullopt;
    }
    return path;
}

class SymbolCache {
public:
    std::optional<QImage> find(const std::string& key)
    {
        std::shared_lock lock(mutex_);
        auto it = images_.find(key);
        if (it == images_.end()) return std::nullopt;
        return it->second;
    }
    void store(const std::string& key, const QImage& image)
    {
        std::unique_lock lock(mutex_);
        images_.emplace(key, image);
    }

private:
    std::shared_mutex mutex_;
    std::unordered_map<std::string, QImage> images_;
};

}  // namespace

std::optional<QImage> symbolImage(const std::string& name, double points)
{
    static SymbolCache cache;
    const int z = static_cast<int>(points);
    const std::string key = name + "|" + std::to_string(z);
    if (auto cached = cache.find(key)) return cached;
    if (z < 1) return std::nullopt;
    const auto path = pictogram(name, z);
    if (!path) return std::nullopt;
    QImage image(z, z, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.fillPath(*path, Qt::white);
    }
    cache.store(key, image);
    return image;
}

void drawNotificationCard(CaptionContext& context, const GroupLayout& layout, const QRectF& card)
{
    const CaptionStyle& style = layout.style;
    const double u = layout.unit;
    const AppCard& app = cardOf(style.notificationApp.value_or(NotificationApp::messages));
    QPainter& p = context.painter();

    const QColor fill = style.barColor ? toQColor(*style.barColor) : QColor::fromRgbF(0.96f, 0.96f, 0.97f, 0.94f);
    QPainterPath shape;
    shape.addRoundedRect(card, 44 * u, 44 * u);
    context.drawWithShadow({0, -10 * u, 36 * u, QColor(0, 0, 0, 71)}, card, [&](QPainter& q) { fillPathBlended(q, shape, fill); });

    const double side = 84 * u;
    const QRectF icon(card.left() + 30 * u, card.center().y() - side / 2, side, side);
    p.save();
    QPainterPath clip;
    clip.addRoundedRect(icon, 0.23 * side, 0.23 * side);
    p.setClipPath(clip, Qt::IntersectClip);
    // y-up: the icon's top-left corner is (left, yMax).
    QLinearGradient gradient(QPointF(icon.left(), yMax(icon)), QPointF(icon.right(), yMin(icon)));
    const auto colours = colors(app.app);
    for (std::size_t i = 0; i < colours.size(); ++i)
        gradient.setColorAt(colours.size() > 1 ? static_cast<double>(i) / static_cast<double>(colours.size() - 1) : 0,
                            toQColor(colours[i]));
    QPainterPath square;
    square.addRect(icon);
    fillPathBlended(p, square, gradient);
    if (auto symbol = symbolImage(app.symbol, 0.46 * side)) {
        const double scale = std::min(0.6 * side / symbol->width(), 0.6 * side / symbol->height());
        const QSizeF shown(symbol->width() * scale, symbol->height() * scale);
        drawImageUpright(p, QRectF(icon.center() - QPointF(shown.width() / 2, shown.height() / 2), shown), *symbol);
    }
    p.restore();

    const double z = u * style.fontSize * 0.92;
    const Font titleFont = FontBook::font("system-bold", z, false);
    const std::string title =
        style.notificationTitle && !style.notificationTitle->empty() ? *style.notificationTitle : app.title;
    const double baseline = yMax(card) - 22.5 * u - titleFont.ascent();
    const double left = (layout.width - layout.cardWidth) / 2 + 30 * u + 84 * u + 24 * u;
    TextLine(title, titleFont).fill(p, QPointF(left, baseline), toQColor(style.textColor));

    const TextLine now("now", FontBook::font("system-semibold", 0.78 * z, false));
    RGBA faint = style.textColor;
    faint.a = 0.45;
    now.fill(p, QPointF(card.right() - 30 * u - now.width(), baseline), toQColor(faint));
}

void drawBubble(CaptionContext& context, const QRectF& bubble, bool tailOnRight, const CaptionStyle& style, double unit)
{
    const double u = unit;
    const QColor colour = style.barColor ? toQColor(*style.barColor) : toQColor(RGBA::fromHex("0A84FF"));
    const double r = std::max(0.0, std::min(bubble.height() / 2, std::max(style.cornerRadius, 34.0) * u));
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    path.addRoundedRect(bubble, r, r);
    const double e = tailOnRight ? bubble.right() : bubble.left();
    const double sigma = tailOnRight ? 1 : -1;
    const double y0 = yMin(bubble);
    QPainterPath tail;
    tail.moveTo(e - 26 * u * sigma, y0 + 30 * u);
    tail.quadTo(QPointF(e + 2 * u * sigma, y0 + 6 * u), QPointF(e + 16 * u * sigma, y0 - 2 * u));
    tail.quadTo(QPointF(e - 12 * u * sigma, y0 - 4 * u), QPointF(e - 40 * u * sigma, y0 + 2 * u));
    tail.closeSubpath();
    // United rather than added, so the tail's winding can never cut a hole
    // where it overlaps the body.
    path = path.united(tail);
    context.drawWithShadow({0, -4 * u, 18 * u, QColor(0, 0, 0, 56)}, path.boundingRect(),
                           [&](QPainter& q) { fillPathBlended(q, path, colour); });
}

}  // namespace vt::caption
