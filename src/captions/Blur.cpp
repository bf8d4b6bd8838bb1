#include "captions/Blur.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

namespace vt::Blur {
namespace {

// Radii of three box blurs whose succession approximates a Gaussian of the
// given sigma (the widths are chosen so the variances add up to sigma²).
std::array<int, 3> boxRadii(double sigma)
{
    const int n = 3;
    double wIdeal = std::sqrt(12 * sigma * sigma / n + 1);
    int wl = static_cast<int>(std::floor(wIdeal));
    if (wl % 2 == 0) --wl;
    const int wu = wl + 2;
    const double mIdeal = (12 * sigma * sigma - n * wl * wl - 4 * n * wl - 3 * n) / (-4 * wl - 4);
    const int m = static_cast<int>(std::lround(mIdeal));
    std::array<int, 3> radii{};
    for (int i = 0; i < n; ++i) radii[i] = ((i < m ? wl : wu) - 1) / 2;
    return radii;
}

// One horizontal box pass of radius r over `rows` rows of `width` pixels of
// C channels; src and dst are distinct row-major buffers with the given stride.
template <int C>
void boxRows(const std::uint8_t* src, std::uint8_t* dst, int width, int rows, int stride, int r)
{
    if (r <= 0) {
        for (int y = 0; y < rows; ++y) std::copy_n(src + y * stride, width * C, dst + y * stride);
        return;
    }
    const std::uint32_t mul = (1u << 24) / static_cast<std::uint32_t>(2 * r + 1);
    for (int y = 0; y < rows; ++y) {
        const std::uint8_t* in = src + y * stride;
        std::uint8_t* out = dst + y * stride;
        std::uint32_t sum[C] = {};
        for (int x = 0; x < std::min(r, width); ++x)
            for (int c = 0; c < C; ++c) sum[c] += in[x * C + c];
        for (int x = 0; x < width; ++x) {
            const int add = x + r, drop = x - r - 1;
            if (add < width)
                for (int c = 0; c < C; ++c) sum[c] += in[add * C + c];
            if (drop >= 0)
                for (int c = 0; c < C; ++c) sum[c] -= in[drop * C + c];
            for (int c = 0; c < C; ++c) out[x * C + c] = static_cast<std::uint8_t>((sum[c] * mul + (1u << 23)) >> 24);
        }
    }
}

// One vertical box pass: a running sum per column, sweeping down the rows so
// memory is read row by row.
template <int C>
void boxColumns(const std::uint8_t* src, std::uint8_t* dst, int width, int height, int stride, int r)
{
    if (r <= 0) {
        for (int y = 0; y < height; ++y) std::copy_n(src + y * stride, width * C, dst + y * stride);
        return;
    }
    const std::uint32_t mul = (1u << 24) / static_cast<std::uint32_t>(2 * r + 1);
    std::vector<std::uint32_t> sum(static_cast<std::size_t>(width) * C, 0);
    for (int y = 0; y < std::min(r, height); ++y) {
        const std::uint8_t* in = src + y * stride;
        for (int i = 0; i < width * C; ++i) sum[i] += in[i];
    }
    for (int y = 0; y < height; ++y) {
        const int add = y + r, drop = y - r - 1;
        if (add < height) {
            const std::uint8_t* in = src + add * stride;
            for (int i = 0; i < width * C; ++i) sum[i] += in[i];
        }
        if (drop >= 0) {
            const std::uint8_t* in = src + drop * stride;
            for (int i = 0; i < width * C; ++i) sum[i] -= in[i];
        }
        std::uint8_t* out = dst + y * stride;
        for (int i = 0; i < width * C; ++i) out[i] = static_cast<std::uint8_t>((sum[i] * mul + (1u << 23)) >> 24);
    }
}

template <int C>
void blurChannels(QImage& image, double sigma)
{
    const int w = image.width(), h = image.height();
    const int stride = static_cast<int>(image.bytesPerLine());
    std::uint8_t* data = image.bits();
    std::vector<std::uint8_t> scratch(static_cast<std::size_t>(stride) * h);
    for (int r : boxRadii(sigma)) {
        boxRows<C>(data, scratch.data(), w, h, stride, r);
        boxColumns<C>(scratch.data(), data, w, h, stride, r);
    }
}

}  // namespace

void gaussian(QImage& image, double sigma)
{
    if (image.isNull() || !(sigma >= 0.3)) return;
    switch (image.format()) {
    case QImage::Format_Alpha8:
    case QImage::Format_Grayscale8:
        blurChannels<1>(image, sigma);
        break;
    case QImage::Format_ARGB32_Premultiplied:
    case QImage::Format_ARGB32:
    case QImage::Format_RGB32:
    case QImage::Format_RGBA8888_Premultiplied:
    case QImage::Format_RGBA8888:
    case QImage::Format_RGBX8888:
        blurChannels<4>(image, sigma);
        break;
    default: {
        QImage converted = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        blurChannels<4>(converted, sigma);
        image = converted.convertToFormat(image.format());
    }
    }
}

}  // namespace vt::Blur
