#include "video/ItemAdjustGeometry.h"

#include "video/Kernels.h"

#include <QTransform>

#include <algorithm>
#include <cmath>

namespace vt::ItemAdjustGeometry {

namespace {

int quarterTurns(int turns) { return ((turns % 4) + 4) % 4; }

// A damaged project may hold crops that are not numbers; those crop nothing.
ItemAdjust finiteCrops(ItemAdjust adjust)
{
    for (double* crop : {&adjust.cropLeft, &adjust.cropRight, &adjust.cropTop, &adjust.cropBottom})
        if (!std::isfinite(*crop)) *crop = 0;
    return adjust;
}

}  // namespace

QImage shape(const ItemAdjust& given, const QImage& picture)
{
    const ItemAdjust adjust = finiteCrops(given);
    QImage image = picture;
    switch (quarterTurns(adjust.turns)) {
    case 1: image = image.transformed(QTransform().rotate(90)); break;
    case 2: image = image.transformed(QTransform().rotate(180)); break;
    case 3: image = image.transformed(QTransform().rotate(270)); break;
    default: break;
    }
    if (adjust.flipped) image = image.mirrored(true, false);
    if (adjust.cropLeft > 0 || adjust.cropRight > 0 || adjust.cropTop > 0 || adjust.cropBottom > 0) {
        const auto limit = [](double crop) { return std::min(crop, 0.45); };
        const double w = image.width(), h = image.height();
        const double left = limit(adjust.cropLeft), right = limit(adjust.cropRight);
        const double top = limit(adjust.cropTop), bottom = limit(adjust.cropBottom);
        // Outward to whole pixels, in y-up coordinates, then to rows.
        const double x0 = std::floor(left * w), x1 = std::ceil(w - right * w);
        const double y0 = std::floor(bottom * h), y1 = std::ceil(h - top * h);
        const QRect rows(static_cast<int>(x0), static_cast<int>(h - y1), static_cast<int>(x1 - x0),
                         static_cast<int>(y1 - y0));
        // A crop rectangle reaching past the picture (a negative crop) keeps
        // only the picture, never a transparent margin.
        image = image.copy(rows & image.rect());
    }
    return image;
}

Point map(const ItemAdjust& given, Point p)
{
    const ItemAdjust adjust = finiteCrops(given);
    Point q = p;
    switch (quarterTurns(adjust.turns)) {
    case 1: q = {p.y, 1 - p.x}; break;
    case 2: q = {1 - p.x, 1 - p.y}; break;
    case 3: q = {1 - p.y, p.x}; break;
    default: break;
    }
    if (adjust.flipped) q.x = 1 - q.x;
    q.x = (q.x - adjust.cropLeft) / std::max(1 - adjust.cropLeft - adjust.cropRight, 0.1);
    q.y = (q.y - adjust.cropBottom) / std::max(1 - adjust.cropTop - adjust.cropBottom, 0.1);
    return q;
}

QImage place(const ItemAdjust& adjust, const QImage& picture, QSize size)
{
    if (!(adjust.zoom > 1.001)) return picture;
    const double w = size.width(), h = size.height(), z = adjust.zoom;
    const QTransform t = QTransform::fromTranslate(-w / 2, -h / 2) * QTransform::fromScale(z, z) *
                         QTransform::fromTranslate(w / 2 - 0.5 * (z - 1) * adjust.panX * w,
                                                   h / 2 - 0.5 * (z - 1) * adjust.panY * h);
    return Kernels::warp(picture, t, size, Kernels::Edges::clamp);
}

QImage zoomWindow(const ItemAdjust& adjust, const QImage& picture)
{
    if (!(adjust.zoom > 1.001)) return picture;
    const double w = picture.width(), h = picture.height();
    const double cw = w / adjust.zoom, ch = h / adjust.zoom;
    const double x = (w - cw) / 2 + adjust.panX * (w - cw) / 2;
    const double y = (h - ch) / 2 + adjust.panY * (h - ch) / 2;
    const QSize size(std::max(1, static_cast<int>(std::lround(cw))), std::max(1, static_cast<int>(std::lround(ch))));
    return Kernels::warp(picture, QTransform::fromTranslate(-x, -y), size, Kernels::Edges::clamp);
}

}  // namespace vt::ItemAdjustGeometry
