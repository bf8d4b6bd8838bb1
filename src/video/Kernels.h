#pragma once
// The picture kernels of the frame compositor, all in one place: affine
// warps with clamped or transparent edges, Gaussian and motion blur, colour
// controls and the luma threshold map, dissolve, masked blends, maximum
// compositing of split channels, solid fills and source-over compositing.
//
// Frames are QImage in premultiplied ARGB32, or in premultiplied RGBA64 for
// pictures that need more than 8 bits a channel (HDR): a deep picture stays
// deep through every kernel, and whatever is blended into it is converted to
// it. One-channel masks are Grayscale8. Every position and transform
// given to these functions is in the compositor's image geometry: frame
// pixels with the origin at the bottom-left and y growing upward, a pixel
// covering [i, i + 1]. The conversion to the images' own top-down rows
// happens here and nowhere else (see rowTransform).
//
// Thread-safe: every function works only on the images it is given.

#include "captions/look/RGBA.h"

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QTransform>

#include <array>
#include <cstdint>
#include <vector>

namespace vt::Kernels {

// What a warp or blur sees beyond the image's edge.
enum class Edges {
    clamp,        // the edge pixels extended without limit
    transparent,  // nothing
};

// An sRGB colour as Qt's, each component clamped to 0…1.
QColor toColor(const RGBA& color);

inline constexpr QImage::Format kFormat = QImage::Format_ARGB32_Premultiplied;
inline constexpr QImage::Format kDeepFormat = QImage::Format_RGBA64_Premultiplied;

// The format a picture is worked on in: deep (more than 8 bits a channel)
// pictures in kDeepFormat, every other one in kFormat.
QImage::Format workingFormat(const QImage& image);
// The picture converted to its working format (no copy when it already is).
QImage working(const QImage& image);

// A transparent image of `size`.
QImage canvas(QSize size, QImage::Format format = kFormat);
// An image of `size` filled with `color` (sRGB, alpha applied).
QImage solid(QSize size, const QColor& color, QImage::Format format = kFormat);

// The y-up transform `yUp`, taking points of an image `sourceHeight` tall to
// points of one `targetHeight` tall, as a transform of row coordinates.
QTransform rowTransform(const QTransform& yUp, double sourceHeight, double targetHeight);

// `image` resampled to `size`: area averaging when shrinking, bilinear
// when growing. One-channel (Grayscale8) images stay so.
QImage resized(const QImage& image, QSize size);

// `source` mapped by `yUp` onto a new image of `size` (bilinear).
QImage warp(const QImage& source, const QTransform& yUp, QSize size, Edges edges);

// Draws `top` mapped by `yUp` over `target` (source-over, smooth).
void drawOver(QImage& target, const QImage& top, const QTransform& yUp = {});
// Draws `top` with its bottom-left corner at `at` over `target`.
void drawOver(QImage& target, const QImage& top, QPointF at);
// Covers `rect` of `target` with `color` (source-over).
void fillOver(QImage& target, const QRectF& rect, const QColor& color);
// Covers all of `target` with `color` (source-over).
void fillOver(QImage& target, const QColor& color);

// Gaussian blur of standard deviation `sigma` pixels; a sigma below 0.3
// leaves the image as it is. One-channel (Grayscale8) images stay so.
QImage gaussianBlur(const QImage& image, double sigma, Edges edges);
// A motion blur along the x axis, `radius` pixels each way, edges clamped.
QImage motionBlurX(const QImage& image, double radius);

// Mixes `from` into `to`: at t = 0 all `from`, at 1 all `to`. Same sizes.
QImage dissolve(const QImage& from, const QImage& to, double t);
// `input` where `mask` is opaque, `background` where it is transparent,
// mixed by the mask's alpha. Same sizes.
QImage blendWithAlphaMask(const QImage& input, const QImage& background, const QImage& mask);
// The same, mixed by a one-channel mask (Format_Grayscale8, 255 = input).
QImage blendWithMask(const QImage& input, const QImage& background, const QImage& mask);

// Colour controls: mixes each pixel towards its BT.709 luma by `saturation`
// (1 unchanged, 0 grey) and adds `brightness` (−1…1) to red, green and blue.
void colorControls(QImage& image, double saturation, double brightness);
// A one-channel map of clamp(gain × luma + bias, 0, 1) per pixel, luma the
// BT.709 weighting of the stored sRGB values.
QImage lumaMap(const QImage& image, double gain, double bias);

// The red channel moved `shift` pixels right and the blue one left, edges
// clamped, the three channels joined by their maximum (alpha likewise).
QImage rgbSplit(const QImage& image, double shift);

// A rounded rectangle filling `size`, corners of `radius` pixels.
QImage roundedRect(QSize size, double radius, const QColor& color = Qt::white);

// Smallest rectangle of `image` holding every pixel whose alpha is not 0,
// in row coordinates; empty when the image is fully transparent.
QRect opaqueBounds(const QImage& image);


// Every pixel's straight (not premultiplied) red, green and blue, each 0…1,
// passed through `map(float* rgb, int x, int row)` in place (row 0 at the
// top); fully transparent pixels are skipped and alpha stays. A picture in
// neither working format is converted to its working format first.
template <typename Map>
void mapColors(QImage& image, Map map);

// A colour cube of `dimension`³ entries of four floats (red, green, blue,
// ignored alpha), red varying fastest, then green, then blue, laid over every
// pixel by trilinear interpolation of its straight sRGB values. The result is
// clamped to 0…1; alpha stays.
void applyCube(QImage& image, const std::vector<float>& cube, int dimension);

// Unsharp mask: image + amount × (image − its Gaussian blur of `sigma`).
QImage unsharpMask(const QImage& image, double sigma, double amount);
// Darkens towards the corners around `center` (y-up): not at all within
// radius × (1 − falloff) pixels, by `intensity` (at most all) from
// radius × (1 + falloff) on, smoothly between.
void vignette(QImage& image, QPointF center, double radius, double intensity, double falloff);
// A glow: the picture screened with its Gaussian blur of `sigma` weighted by
// `intensity`, the blur seeing clamped edges.
QImage bloom(const QImage& image, double sigma, double intensity);
// The soft-light blend of `top` (same size, its red channel as a grey level)
// over `image`, in place.
void softLight(QImage& image, const QImage& top);
// The mean straight red, green and blue of a picture, each 0…1 (0 for an
// empty picture).
std::array<double, 3> averageColor(const QImage& image);

}  // namespace vt::Kernels

// How mapColors walks the pixels; not for direct use.
namespace vt::Kernels::detail {

template <typename T, int Red, int Blue, typename Map>
void mapRows(QImage& image, Map& map)
{
    constexpr float Max = sizeof(T) == 1 ? 255.0f : 65535.0f;
    const int width = image.width();
    for (int y = 0; y < image.height(); ++y) {
        T* p = reinterpret_cast<T*>(image.scanLine(y));
        for (int x = 0; x < width; ++x, p += 4) {
            const float alpha = p[3];
            if (alpha <= 0) continue;
            const float unit = alpha == Max ? 1.0f / Max : 1.0f / alpha;
            float rgb[3] = {p[Red] * unit, p[1] * unit, p[Blue] * unit};
            map(rgb, x, y);
            const int channel[3] = {Red, 1, Blue};
            for (int c = 0; c < 3; ++c) {
                const float v = rgb[c] <= 0 ? 0.0f : rgb[c] >= 1 ? 1.0f : rgb[c];
                p[channel[c]] = static_cast<T>(v * alpha + 0.5f);
            }
        }
    }
}

}  // namespace vt::Kernels::detail

template <typename Map>
void vt::Kernels::mapColors(QImage& image, Map map)
{
    image = working(image);
    if (image.format() == kDeepFormat) detail::mapRows<std::uint16_t, 0, 2>(image, map);
    else detail::mapRows<std::uint8_t, 2, 0>(image, map);
}
