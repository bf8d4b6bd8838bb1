#include "video/BRollRenderer.h"

#include "video/Kernels.h"
#include "video/effects/ColorGrader.h"

#include <QCache>
#include <QImageReader>
#include <QString>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <mutex>

namespace vt::BRollRenderer {

namespace {

// Decoded stills by path, bounded by memory (cost in kilobytes).
struct StillCache {
    std::mutex lock;
    QCache<QString, QImage> images{1024 * 1024};
};

StillCache& stills()
{
    static StillCache cache;
    return cache;
}

QImage graded(QImage picture, const std::optional<VideoGrade>& grade, double time)
{
    if (grade && !grade->isNeutral()) return ColorGrader::apply(*grade, picture, time);
    return picture;
}

QImage pictureInPicture(const QImage& content, const QImage& current, QSize size, double kenBurns,
                        const std::optional<VideoGrade>& grade, double time)
{
    const double w = size.width(), h = size.height();
    const double cw = 0.62 * w;
    const double ch = std::min(cw * content.height() / std::max(content.width(), 1), 0.4 * h);
    const QSize box(static_cast<int>(std::ceil(cw)), static_cast<int>(std::ceil(ch)));
    const double radius = std::min(w, h) * 28 / 1080;

    const QImage shape = Kernels::roundedRect(box, radius);
    const QImage picture = graded(fill(content, box, kenBurns), grade, time);
    const QImage window = Kernels::blendWithAlphaMask(picture, Kernels::canvas(box), shape);

    constexpr double kShadowSigma = 18;
    const int pad = static_cast<int>(std::ceil(3 * kShadowSigma));
    QImage shadow = Kernels::canvas(box + QSize(2 * pad, 2 * pad));
    Kernels::drawOver(shadow, Kernels::roundedRect(box, radius, QColor::fromRgbF(0, 0, 0, 0.45)), QPointF(pad, pad));
    shadow = Kernels::gaussianBlur(shadow, kShadowSigma, Kernels::Edges::transparent);

    const double x0 = (w - cw) / 2, y0 = 0.88 * h - ch;
    QImage out = current.copy();
    Kernels::drawOver(out, shadow, QTransform::fromTranslate(x0 - pad, y0 - 10 - pad));
    Kernels::drawOver(out, window, QTransform::fromTranslate(x0, y0));
    return out;
}

}  // namespace

std::optional<QImage> image(const std::string& path)
{
    const QString key = QString::fromStdString(path);
    {
        std::lock_guard guard(stills().lock);
        if (const QImage* hit = stills().images.object(key)) return *hit;
    }
    QImageReader reader(key);
    reader.setAutoTransform(true);
    QImage loaded = reader.read();
    if (loaded.isNull()) return std::nullopt;
    loaded = Kernels::working(loaded);
    std::lock_guard guard(stills().lock);
    stills().images.insert(key, new QImage(loaded), std::max<qsizetype>(1, loaded.sizeInBytes() / 1024));
    return loaded;
}

double presence(const BRollPlacement& p, double t)
{
    if (p.item.entrance == BRollEntrance::cut) return p.start <= t && t < p.end ? 1 : 0;
    if (t < p.start) return 0;
    // An item shorter than its rise starts falling at its end from where it
    // got to, rather than rising on past it and then dropping.
    const double rise = std::min((t - p.start) * 4, 1.0);
    const double fall = t < p.end ? 1 : std::max(1 - (t - p.end) * 4, 0.0);
    return std::min(rise, fall);
}

QImage fill(const QImage& picture, QSize size, double k)
{
    const double w = std::max(picture.width(), 1), h = std::max(picture.height(), 1);
    const double tw = size.width(), th = size.height();
    const double s = std::max(tw / w, th / h) * (1 + 0.1 * k);
    const QTransform t =
        QTransform::fromScale(s, s) * QTransform::fromTranslate((tw - w * s) / 2 - 0.02 * tw * k, (th - h * s) / 2);
    return Kernels::warp(picture, t, size, Kernels::Edges::clamp);
}

std::pair<QImage, bool> compose(const BRollPlacement& placement, const QImage& content, const QImage& current,
                                const Speaker& speaker, double t, QSize size, const std::optional<VideoGrade>& grade)
{
    const double m = presence(placement, t);
    if (m <= 0) return {current, false};
    const BRoll& item = placement.item;
    const double k = item.isImage && item.kenBurns
                         ? std::clamp((t - placement.start) / std::max(placement.end - placement.start, 0.1), 0.0, 1.0)
                         : 0.0;
    const double e = std::pow(1 - m, 3);
    const int w = size.width(), h = size.height();

    QImage picture;
    switch (item.layout) {
    case BRollLayout::full: picture = graded(fill(content, size, k), grade, t); break;
    case BRollLayout::split: {
        const int lower = h / 2;
        picture = Kernels::canvas(size, Kernels::workingFormat(current));
        Kernels::drawOver(picture, speaker(QSize(w, lower)), QPointF(0, 0));
        Kernels::drawOver(picture, graded(fill(content, QSize(w, h - lower), k), grade, t), QPointF(0, lower));
        break;
    }
    case BRollLayout::pip: picture = pictureInPicture(content, current, size, k, grade, t); break;
    }

    const bool fills = item.layout != BRollLayout::pip;
    if (item.entrance == BRollEntrance::slide && fills) {
        QImage out = current.copy();
        Kernels::drawOver(out, picture, QPointF(0, -e * h));
        return {out, m >= 1};
    }
    if (item.entrance == BRollEntrance::zoom) {
        const double s = 1 + 0.2 * e, px = w / 2.0, py = 0.62 * h;
        picture = Kernels::warp(picture,
                                QTransform::fromTranslate(-px, -py) * QTransform::fromScale(s, s) *
                                    QTransform::fromTranslate(px, py),
                                size, Kernels::Edges::clamp);
    }
    if (m >= 1) return {picture, fills};
    return {Kernels::dissolve(current, picture, 1 - e), false};
}

}  // namespace vt::BRollRenderer
