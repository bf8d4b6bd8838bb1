#include "video/SpeakerMask.h"

#include "captions/Blur.h"
#include "platform/vision/PersonMask.h"
#include "video/Kernels.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <deque>
#include <mutex>
#include <utility>

namespace vt::SpeakerMask {

namespace {

constexpr std::size_t kCacheSize = 24;

std::uint64_t contentKey(const QImage& image)
{
    std::uint64_t hash = 1469598103934665603ull;
    const auto mixIn = [&](std::uint8_t byte) { hash = (hash ^ byte) * 1099511628211ull; };
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = image.constScanLine(y);
        for (int x = 0; x < image.width() * 4; ++x) mixIn(row[x]);
    }
    mixIn(static_cast<std::uint8_t>(image.width()));
    mixIn(static_cast<std::uint8_t>(image.height()));
    return hash;
}

// Small masks (or the knowledge that there is none) by picture content.
struct Cache {
    std::mutex lock;
    std::deque<std::pair<std::uint64_t, std::optional<QImage>>> entries;
};

Cache& cache()
{
    static Cache instance;
    return instance;
}

std::optional<QImage> segment(const QImage& small)
{
    const FrameView frame{small.constBits(), small.width(), small.height(), static_cast<int>(small.bytesPerLine())};
    const auto grey = PersonMask::mask(frame);
    if (!grey) return std::nullopt;
    QImage out(grey->width, grey->height, QImage::Format_Grayscale8);
    for (int y = 0; y < grey->height; ++y)
        std::copy_n(grey->pixels.data() + static_cast<std::size_t>(y) * grey->width, grey->width, out.scanLine(y));
    Blur::gaussian(out, 1.5);
    return out;
}

std::optional<QImage> smallMask(const QImage& small)
{
    const std::uint64_t key = contentKey(small);
    {
        std::lock_guard guard(cache().lock);
        for (const auto& [k, m] : cache().entries)
            if (k == key) return m;
    }
    auto made = segment(small);
    std::lock_guard guard(cache().lock);
    cache().entries.emplace_back(key, made);
    if (cache().entries.size() > kCacheSize) cache().entries.pop_front();
    return made;
}

}  // namespace

std::optional<QImage> mask(const QImage& picture)
{
    if (picture.isNull()) return std::nullopt;
    const double s = static_cast<double>(kSide) / std::max(picture.width(), picture.height());
    const QSize smallSize(std::max(1, static_cast<int>(std::lround(picture.width() * s))),
                          std::max(1, static_cast<int>(std::lround(picture.height() * s))));
    // The segmentation reads 8-bit pixels, whatever the picture's depth.
    const auto m = smallMask(Kernels::resized(picture, smallSize).convertToFormat(Kernels::kFormat));
    if (!m) return std::nullopt;
    return Kernels::resized(*m, picture.size());
}

}  // namespace vt::SpeakerMask
