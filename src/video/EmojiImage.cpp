#include "video/EmojiImage.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QString>

#include <algorithm>
#include <cmath>
#include <map>
#include <mutex>

namespace vt::EmojiImage {

namespace {

constexpr std::size_t kMaxPictures = 64;

struct Cache {
    std::mutex lock;
    std::map<std::string, QImage> pictures;
};

Cache& cache()
{
    static Cache instance;
    return instance;
}

std::optional<QImage> draw(const std::string& emoji, int pixels)
{
    QFont font(QStringLiteral("Noto Color Emoji"));
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels * 0.82))));
    const QString text = QString::fromStdString(emoji);
    const QRectF bounds = QFontMetricsF(font).tightBoundingRect(text);
    const int width = static_cast<int>(std::ceil(std::max<double>(pixels, bounds.width() + 8)));
    const int height = static_cast<int>(std::ceil(std::max<double>(pixels, bounds.height() + 8)));
    QImage canvas(width, height, QImage::Format_ARGB32_Premultiplied);
    if (canvas.isNull()) return std::nullopt;
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    painter.setFont(font);
    painter.drawText(QPointF((width - bounds.width()) / 2 - bounds.x(), (height - bounds.height()) / 2 - bounds.y()),
                     text);
    return canvas;
}

std::optional<QImage> picture(const std::string& emoji, int pixels)
{
    const std::string key = emoji + "|" + std::to_string(pixels);
    std::lock_guard guard(cache().lock);
    if (auto hit = cache().pictures.find(key); hit != cache().pictures.end()) return hit->second;
    auto drawn = draw(emoji, pixels);
    if (!drawn) return std::nullopt;
    if (cache().pictures.size() > kMaxPictures) cache().pictures.clear();
    cache().pictures.emplace(key, *drawn);
    return drawn;
}

}  // namespace

int side(double lineHeight, QSizeF size)
{
    const double s = std::min(size.width(), size.height()) / 1080;
    const double c = std::min(std::max(1.8 * lineHeight, 140.0), 200.0);
    return static_cast<int>(std::lround(s * c));
}

std::optional<Placed> image(const std::string& emoji, const QRectF& line, double age, QSizeF size)
{
    const int pixels = side(line.height(), size);
    auto pic = picture(emoji, pixels);
    if (!pic || age < 0) return std::nullopt;
    const double t = std::min(age / 0.28, 1.0) - 1;
    double ease = 1 + 2.70158 * t * t * t + 1.70158 * t * t;
    if (ease >= 1) ease = 1;
    if (ease <= 0.01) return std::nullopt;
    const double k = 0.3 + 0.7 * ease;

    const double s = std::min(size.width(), size.height()) / 1080;
    const double gap = 14 * s;
    // The line rectangle is y-up: its top edge is the larger y.
    const double top = line.y() + line.height(), bottom = line.y();
    const double cy = top + gap + pixels < size.height() - 20 * s ? top + gap + pixels / 2.0
                                                                  : bottom - gap - pixels / 2.0;
    const double cx = line.x() + line.width() / 2;
    const double bob = 5 * s * std::sin(2.6 * age);
    const double tilt = 0.08 * std::sin(1.9 * age);
    const QTransform placement = QTransform::fromTranslate(-pic->width() / 2.0, -pic->height() / 2.0) *
                                 QTransform::fromScale(k, k) * QTransform().rotateRadians(tilt) *
                                 QTransform::fromTranslate(cx, cy + bob);
    return Placed{*pic, placement};
}

}  // namespace vt::EmojiImage
