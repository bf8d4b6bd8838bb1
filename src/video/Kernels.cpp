#include "video/Kernels.h"

#include "captions/Blur.h"

#include <QPainter>
#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace vt::Kernels {

namespace {

bool isDeep(const QImage& image) { return image.format() == kDeepFormat; }
bool isGrey(const QImage& image) { return image.format() == QImage::Format_Grayscale8; }

// Where red, blue and alpha sit in a pixel: 8-bit pixels are stored
// B, G, R, A; deep ones R, G, B, A.
template <typename T>
struct Layout;
template <>
struct Layout<std::uint8_t> {
    static constexpr int red = 2, blue = 0, alpha = 3;
};
template <>
struct Layout<std::uint16_t> {
    static constexpr int red = 0, blue = 2, alpha = 3;
};

template <typename T>
const T* row(const QImage& image, int y)
{
    return reinterpret_cast<const T*>(image.constScanLine(y));
}

template <typename T>
T* row(QImage& image, int y)
{
    return reinterpret_cast<T*>(image.scanLine(y));
}

int cvType(const QImage& image)
{
    if (isGrey(image)) return CV_8UC1;
    return isDeep(image) ? CV_16UC4 : CV_8UC4;
}

// The pixels of an image in its working format, or of a one-channel mask,
// without a copy.
cv::Mat view(QImage& image)
{
    return cv::Mat(image.height(), image.width(), cvType(image), image.bits(),
                   static_cast<size_t>(image.bytesPerLine()));
}

cv::Mat constView(const QImage& image)
{
    return cv::Mat(image.height(), image.width(), cvType(image), const_cast<uchar*>(image.constBits()),
                   static_cast<size_t>(image.bytesPerLine()));
}

QImage workingOrGrey(const QImage& image) { return isGrey(image) ? image : working(image); }

// 8-bit BT.709 luma of a pixel, from fixed-point weights (1/256).
template <typename T>
int luma8(const T* p)
{
    using L = Layout<T>;
    const int l = (54 * p[L::red] + 183 * p[1] + 19 * p[L::blue] + 128) >> 8;
    return sizeof(T) == 1 ? l : l >> 8;
}

// Blends two same-sized images pixel by pixel with a weight (0…255, for
// `input`) read from `weightAt(x, y)`; the result is in `input`'s format.
template <typename T, typename Weight>
QImage blendAs(const QImage& input, const QImage& background, Weight weightAt)
{
    QImage out(input.size(), input.format());
    for (int y = 0; y < input.height(); ++y) {
        const T* in = row<T>(input, y);
        const T* bg = row<T>(background, y);
        T* o = row<T>(out, y);
        for (int x = 0; x < input.width(); ++x) {
            const std::uint32_t w = weightAt(x, y);
            for (int c = 0; c < 4; ++c)
                o[4 * x + c] = static_cast<T>((in[4 * x + c] * w + bg[4 * x + c] * (255 - w) + 127) / 255);
        }
    }
    return out;
}

template <typename Weight>
QImage blend(const QImage& inputImage, const QImage& backgroundImage, Weight weightAt)
{
    const QImage input = working(inputImage);
    const QImage background = backgroundImage.convertToFormat(input.format());
    return isDeep(input) ? blendAs<std::uint16_t>(input, background, weightAt)
                         : blendAs<std::uint8_t>(input, background, weightAt);
}

// The channel `c` of a row at a fractional x, edge pixels extended.
template <typename T>
double sampleClamped(const T* pixels, int width, double x, int c)
{
    const double fx = std::clamp(x, 0.0, static_cast<double>(width - 1));
    const int x0 = static_cast<int>(fx);
    const int x1 = std::min(x0 + 1, width - 1);
    const double f = fx - x0;
    return pixels[4 * x0 + c] * (1 - f) + pixels[4 * x1 + c] * f;
}

template <typename T>
void colorControlsAs(QImage& image, double saturation, double brightness)
{
    using L = Layout<T>;
    // Fixed point: the saturation in 1/256; the brightness is scaled by each
    // pixel's alpha (premultiplied pixels).
    const int sat = static_cast<int>(std::lround(saturation * 256));
    const int width = image.width();
    for (int y = 0; y < image.height(); ++y) {
        T* p = row<T>(image, y);
        for (int x = 0; x < width; ++x, p += 4) {
            const int alpha = p[L::alpha];
            const int shift = static_cast<int>(std::lround(brightness * alpha));
            if (sat == 256) {
                for (int c = 0; c < 3; ++c) p[c] = static_cast<T>(std::clamp(p[c] + shift, 0, alpha));
                continue;
            }
            const std::int64_t l = (54 * p[L::red] + 183 * p[1] + 19 * p[L::blue] + 128) >> 8;
            for (int c = 0; c < 3; ++c) {
                const std::int64_t v = l + (((p[c] - l) * sat) >> 8) + shift;
                p[c] = static_cast<T>(std::clamp<std::int64_t>(v, 0, alpha));
            }
        }
    }
}

template <typename T>
QImage lumaMapAs(const QImage& image, double gain, double bias)
{
    std::uint8_t table[256];
    for (int l = 0; l < 256; ++l)
        table[l] = static_cast<std::uint8_t>(std::lround(std::clamp(gain * l / 255 + bias, 0.0, 1.0) * 255));
    QImage out(image.size(), QImage::Format_Grayscale8);
    for (int y = 0; y < image.height(); ++y) {
        const T* p = row<T>(image, y);
        auto* o = out.scanLine(y);
        for (int x = 0; x < image.width(); ++x, p += 4) o[x] = table[luma8(p)];
    }
    return out;
}

template <typename T>
QImage rgbSplitAs(const QImage& image, double shift)
{
    using L = Layout<T>;
    QImage out(image.size(), image.format());
    const int w = image.width();
    for (int y = 0; y < image.height(); ++y) {
        const T* in = row<T>(image, y);
        T* o = row<T>(out, y);
        for (int x = 0; x < w; ++x) {
            const double red = sampleClamped(in, w, x - shift, L::red);
            const double blue = sampleClamped(in, w, x + shift, L::blue);
            const double alpha = std::max({sampleClamped(in, w, x - shift, L::alpha),
                                           static_cast<double>(in[4 * x + L::alpha]),
                                           sampleClamped(in, w, x + shift, L::alpha)});
            o[4 * x + L::red] = static_cast<T>(std::lround(red));
            o[4 * x + 1] = in[4 * x + 1];
            o[4 * x + L::blue] = static_cast<T>(std::lround(blue));
            o[4 * x + L::alpha] = static_cast<T>(std::lround(alpha));
        }
    }
    return out;
}

template <typename T>
QRect opaqueBoundsAs(const QImage& image)
{
    const int width = image.width(), height = image.height();
    int left = width, right = -1, top = height, bottom = -1;
    for (int y = 0; y < height; ++y) {
        const T* p = row<T>(image, y);
        const auto clear = [p](int x) { return p[4 * x + Layout<T>::alpha] == 0; };
        int first = 0;
        while (first < width && clear(first)) ++first;
        if (first == width) continue;
        int last = width - 1;
        while (clear(last)) --last;
        left = std::min(left, first);
        right = std::max(right, last);
        top = std::min(top, y);
        bottom = y;
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

}  // namespace

QImage::Format workingFormat(const QImage& image)
{
    switch (image.format()) {
    case QImage::Format_RGBA64_Premultiplied:
    case QImage::Format_RGBA64:
    case QImage::Format_RGBX64:
    case QImage::Format_A2BGR30_Premultiplied:
    case QImage::Format_A2RGB30_Premultiplied:
    case QImage::Format_BGR30:
    case QImage::Format_RGB30:
    case QImage::Format_RGBA16FPx4:
    case QImage::Format_RGBA16FPx4_Premultiplied:
    case QImage::Format_RGBX16FPx4:
    case QImage::Format_RGBA32FPx4:
    case QImage::Format_RGBA32FPx4_Premultiplied:
    case QImage::Format_RGBX32FPx4: return kDeepFormat;
    default: return kFormat;
    }
}

QImage working(const QImage& image)
{
    const QImage::Format format = workingFormat(image);
    return image.format() == format ? image : image.convertToFormat(format);
}

QColor toColor(const RGBA& c)
{
    const auto unit = [](double v) { return static_cast<float>(std::isfinite(v) ? std::clamp(v, 0.0, 1.0) : 0.0); };
    return QColor::fromRgbF(unit(c.r), unit(c.g), unit(c.b), unit(c.a));
}

QImage canvas(QSize size, QImage::Format format)
{
    QImage image(size, format);
    image.fill(Qt::transparent);
    return image;
}

QImage solid(QSize size, const QColor& color, QImage::Format format)
{
    QImage image(size, format);
    image.fill(color);
    return image;
}

QTransform rowTransform(const QTransform& yUp, double sourceHeight, double targetHeight)
{
    const QTransform fromRows(1, 0, 0, -1, 0, sourceHeight);
    const QTransform toRows(1, 0, 0, -1, 0, targetHeight);
    return fromRows * yUp * toRows;
}

QImage resized(const QImage& imageIn, QSize size)
{
    const QImage image = workingOrGrey(imageIn);
    QImage out(size, image.format());
    if (image.isNull() || size.isEmpty()) return out;
    cv::Mat target = view(out);
    const bool shrinking = size.width() < image.width() && size.height() < image.height();
    cv::resize(constView(image), target, target.size(), 0, 0, shrinking ? cv::INTER_AREA : cv::INTER_LINEAR);
    return out;
}

QImage warp(const QImage& sourceImage, const QTransform& yUp, QSize size, Edges edges)
{
    const QImage source = working(sourceImage);
    if (source.isNull() || size.isEmpty()) {
        QImage out(size, source.format());
        out.fill(Qt::transparent);
        return out;
    }
    // OpenCV puts pixel centres on whole numbers, this geometry at halves.
    const QTransform m = QTransform::fromTranslate(0.5, 0.5) * rowTransform(yUp, source.height(), size.height()) *
                         QTransform::fromTranslate(-0.5, -0.5);
    // Sampling at the pixels' own places gives the source back unchanged:
    // a frame already at the output size and framing skips a full pass.
    if (m.isIdentity() && size == source.size()) return source;
    const cv::Matx23d matrix(m.m11(), m.m21(), m.dx(), m.m12(), m.m22(), m.dy());
    QImage out(size, source.format());
    cv::Mat target = view(out);
    cv::warpAffine(constView(source), target, matrix, target.size(), cv::INTER_LINEAR,
                   edges == Edges::clamp ? cv::BORDER_REPLICATE : cv::BORDER_CONSTANT, cv::Scalar(0, 0, 0, 0));
    return out;
}

void drawOver(QImage& target, const QImage& top, const QTransform& yUp)
{
    QPainter painter(&target);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setTransform(rowTransform(yUp, top.height(), target.height()));
    painter.drawImage(QPointF(0, 0), top);
}

void drawOver(QImage& target, const QImage& top, QPointF at)
{
    QPainter painter(&target);
    painter.drawImage(QPointF(at.x(), target.height() - at.y() - top.height()), top);
}

void fillOver(QImage& target, const QRectF& rect, const QColor& color)
{
    QPainter painter(&target);
    painter.fillRect(QRectF(rect.x(), target.height() - rect.y() - rect.height(), rect.width(), rect.height()), color);
}

void fillOver(QImage& target, const QColor& color)
{
    fillOver(target, QRectF(0, 0, target.width(), target.height()), color);
}

QImage gaussianBlur(const QImage& imageIn, double sigma, Edges edges)
{
    QImage image = workingOrGrey(imageIn).copy();
    if (sigma < 0.3 || image.isNull()) return image;
    const QImage::Format format = image.format();
    // Wide blurs run on a smaller copy: the result is as smooth, and the
    // cost stays that of a narrow blur.
    if (sigma > 12) {
        const double factor = std::floor(sigma / 4);
        const QSize small(std::max(1, static_cast<int>(std::ceil(image.width() / factor))),
                          std::max(1, static_cast<int>(std::ceil(image.height() / factor))));
        const QImage reduced = gaussianBlur(resized(image, small), sigma / factor, edges);
        cv::Mat out = view(image);
        cv::resize(constView(reduced), out, out.size(), 0, 0, cv::INTER_LINEAR);
        return image;
    }
    const int border = edges == Edges::clamp ? cv::BORDER_REPLICATE : cv::BORDER_CONSTANT;
    if (isDeep(image)) {
        // The box-blur kernel is 8-bit; deep pictures take OpenCV's Gaussian.
        cv::Mat pixels = view(image);
        cv::GaussianBlur(pixels.clone(), pixels, cv::Size(0, 0), sigma, sigma, border);
        return image;
    }
    if (edges == Edges::transparent) {
        Blur::gaussian(image, sigma);
        return image;
    }
    const int pad = static_cast<int>(std::ceil(3 * sigma));
    QImage padded(image.width() + 2 * pad, image.height() + 2 * pad, format);
    cv::Mat paddedView = view(padded);
    cv::copyMakeBorder(constView(image), paddedView, pad, pad, pad, pad, cv::BORDER_REPLICATE);
    Blur::gaussian(padded, sigma);
    return padded.copy(pad, pad, image.width(), image.height());
}

QImage motionBlurX(const QImage& imageIn, double radius)
{
    const QImage source = working(imageIn);
    const int r = static_cast<int>(std::lround(radius));
    if (r < 1 || source.isNull()) return source;
    QImage image(source.size(), source.format());
    cv::Mat out = view(image);
    cv::blur(constView(source), out, cv::Size(2 * r + 1, 1), cv::Point(-1, -1), cv::BORDER_REPLICATE);
    return image;
}

QImage dissolve(const QImage& from, const QImage& to, double t)
{
    const QImage a = working(from);
    const QImage b = to.convertToFormat(a.format());
    const double k = std::clamp(t, 0.0, 1.0);
    QImage out(a.size(), a.format());
    cv::Mat target = view(out);
    cv::addWeighted(constView(a), 1 - k, constView(b), k, 0, target);
    return out;
}

QImage blendWithAlphaMask(const QImage& input, const QImage& background, const QImage& maskImage)
{
    const QImage mask = maskImage.convertToFormat(kFormat);
    return blend(input, background, [&](int x, int y) { return mask.constScanLine(y)[4 * x + 3]; });
}

QImage blendWithMask(const QImage& input, const QImage& background, const QImage& maskImage)
{
    const QImage mask = maskImage.convertToFormat(QImage::Format_Grayscale8);
    return blend(input, background, [&](int x, int y) { return mask.constScanLine(y)[x]; });
}

void colorControls(QImage& image, double saturation, double brightness)
{
    image = working(image);
    if (isDeep(image)) colorControlsAs<std::uint16_t>(image, saturation, brightness);
    else colorControlsAs<std::uint8_t>(image, saturation, brightness);
}

QImage lumaMap(const QImage& imageIn, double gain, double bias)
{
    const QImage image = working(imageIn);
    return isDeep(image) ? lumaMapAs<std::uint16_t>(image, gain, bias) : lumaMapAs<std::uint8_t>(image, gain, bias);
}

QImage rgbSplit(const QImage& imageIn, double shift)
{
    const QImage image = working(imageIn);
    return isDeep(image) ? rgbSplitAs<std::uint16_t>(image, shift) : rgbSplitAs<std::uint8_t>(image, shift);
}

QImage roundedRect(QSize size, double radius, const QColor& color)
{
    QImage image = canvas(size);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawRoundedRect(QRectF(0, 0, size.width(), size.height()), radius, radius);
    return image;
}

QRect opaqueBounds(const QImage& imageIn)
{
    const QImage image = working(imageIn);
    return isDeep(image) ? opaqueBoundsAs<std::uint16_t>(image) : opaqueBoundsAs<std::uint8_t>(image);
}

}  // namespace vt::Kernels

namespace vt::Kernels {

namespace {

// Trilinear lookup of straight 0…1 values in a cube; `out` clamped.
inline void cubeLookup(const float* cube, int n, const float* in, float* out)
{
    float f[3];
    int i0[3];
    for (int c = 0; c < 3; ++c) {
        const float v = std::clamp(in[c], 0.0f, 1.0f) * static_cast<float>(n - 1);
        i0[c] = std::min(static_cast<int>(v), n - 2);
        f[c] = v - static_cast<float>(i0[c]);
    }
    const std::size_t sr = 4, sg = 4 * static_cast<std::size_t>(n), sb = sg * static_cast<std::size_t>(n);
    const float* base = cube + i0[0] * sr + i0[1] * sg + i0[2] * sb;
    for (int c = 0; c < 3; ++c) {
        const float c00 = base[c] + (base[sr + c] - base[c]) * f[0];
        const float c10 = base[sg + c] + (base[sg + sr + c] - base[sg + c]) * f[0];
        const float c01 = base[sb + c] + (base[sb + sr + c] - base[sb + c]) * f[0];
        const float c11 = base[sb + sg + c] + (base[sb + sg + sr + c] - base[sb + sg + c]) * f[0];
        const float c0 = c00 + (c10 - c00) * f[1];
        const float c1 = c01 + (c11 - c01) * f[1];
        out[c] = std::clamp(c0 + (c1 - c0) * f[2], 0.0f, 1.0f);
    }
}

// The cube over 8-bit pixels, the common case of video frames: the grid
// cell and weight of every byte value come from a table, and the four
// channels of an entry are interpolated together as one vector.
QImage applyCube8(const QImage& image, const float* cube, int n)
{
    QImage target(image.size(), image.format());
    typedef float v4 __attribute__((vector_size(16)));
    int cell[256];
    float weight[256];
    for (int v = 0; v < 256; ++v) {
        const float g = static_cast<float>(v) / 255.0f * static_cast<float>(n - 1);
        const int i = std::min(static_cast<int>(g), n - 2);
        cell[v] = i;
        weight[v] = g - static_cast<float>(i);
    }
    const int sg = n, sb = n * n;
    typedef int i4 __attribute__((vector_size(16)));
    const v4* entries = reinterpret_cast<const v4*>(cube);
    const v4 zero{0, 0, 0, 0}, one{1, 1, 1, 1}, half{0.5f, 0.5f, 0.5f, 0.5f};
    const int width = image.width(), height = image.height();
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* s = image.constScanLine(y);
        std::uint8_t* p = target.scanLine(y);
        for (int x = 0; x < width; ++x, p += 4, s += 4) {
            const int a = s[3];
            p[3] = static_cast<std::uint8_t>(a);
            if (a == 0) {
                p[0] = p[1] = p[2] = 0;
                continue;
            }
            int r = s[2], g = s[1], b = s[0];
            if (a != 255) {  // straight values of a premultiplied pixel
                r = std::min(255, (r * 255 + a / 2) / a);
                g = std::min(255, (g * 255 + a / 2) / a);
                b = std::min(255, (b * 255 + a / 2) / a);
            }
            const float fr = weight[r], fg = weight[g], fb = weight[b];
            const v4* e = entries + cell[r] + cell[g] * sg + cell[b] * sb;
            const v4 c00 = e[0] + (e[1] - e[0]) * fr;
            const v4 c10 = e[sg] + (e[sg + 1] - e[sg]) * fr;
            const v4 c01 = e[sb] + (e[sb + 1] - e[sb]) * fr;
            const v4 c11 = e[sb + sg] + (e[sb + sg + 1] - e[sb + sg]) * fr;
            const v4 c0 = c00 + (c10 - c00) * fg;
            const v4 c1 = c01 + (c11 - c01) * fg;
            v4 out = c0 + (c1 - c0) * fb;
            out = out < zero ? zero : out;
            out = out > one ? one : out;
            const i4 bytes = __builtin_convertvector(out * static_cast<float>(a) + half, i4);
            p[2] = static_cast<std::uint8_t>(bytes[0]);
            p[1] = static_cast<std::uint8_t>(bytes[1]);
            p[0] = static_cast<std::uint8_t>(bytes[2]);
        }
    }
    return target;
}

// Screen of two same-format pictures, `b` weighted by k: 1 − (1 − a)(1 − k·b).
template <typename T>
void screenAs(QImage& a, const QImage& b, double k)
{
    constexpr double max = sizeof(T) == 1 ? 255.0 : 65535.0;
    for (int y = 0; y < a.height(); ++y) {
        T* p = row<T>(a, y);
        const T* q = row<T>(b, y);
        for (int i = 0; i < 4 * a.width(); ++i) {
            if (i % 4 == 3) continue;
            const double v = max - (max - p[i]) * (max - k * q[i]) / max;
            p[i] = static_cast<T>(std::clamp(v, 0.0, static_cast<double>(p[i - i % 4 + 3])) + 0.5);
        }
    }
}

}  // namespace

void applyCube(QImage& image, const std::vector<float>& cube, int n)
{
    if (n < 2 || cube.size() < static_cast<std::size_t>(4 * n * n * n)) return;
    image = working(image);
    if (!isDeep(image)) {
        // Into a new image: a shared picture is read, never copied first.
        image = applyCube8(image, cube.data(), n);
        return;
    }
    mapColors(image, [&](float* rgb, int, int) {
        const float in[3] = {rgb[0], rgb[1], rgb[2]};
        cubeLookup(cube.data(), n, in, rgb);
    });
}

QImage unsharpMask(const QImage& imageIn, double sigma, double amount)
{
    const QImage image = working(imageIn);
    const QImage blurred = gaussianBlur(image, sigma, Edges::clamp);
    QImage out(image.size(), image.format());
    cv::Mat target = view(out);
    cv::addWeighted(constView(image), 1 + amount, constView(blurred), -amount, 0, target);
    return out;
}

void vignette(QImage& image, QPointF center, double radius, double intensity, double falloff)
{
    const int height = image.height();
    const double f = std::clamp(falloff, 0.0, 1.0);
    const double inner = radius * (1 - f);
    const double span = std::max(2 * radius * f, 1e-6);
    const double cx = center.x(), cyRows = height - center.y();
    mapColors(image, [&](float* rgb, int x, int y) {
        const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cyRows);
        const double t = std::clamp((d - inner) / span, 0.0, 1.0);
        const double s = t * t * (3 - 2 * t);
        const float k = static_cast<float>(1 - std::clamp(intensity, 0.0, 1.0) * s);
        for (int c = 0; c < 3; ++c) rgb[c] *= k;
    });
}

QImage bloom(const QImage& imageIn, double sigma, double intensity)
{
    QImage image = working(imageIn).copy();
    const QImage glow = gaussianBlur(image, sigma, Edges::clamp);
    if (isDeep(image)) screenAs<std::uint16_t>(image, glow, intensity);
    else screenAs<std::uint8_t>(image, glow, intensity);
    return image;
}

void softLight(QImage& image, const QImage& topIn)
{
    const QImage top = topIn.convertToFormat(QImage::Format_Grayscale8);
    mapColors(image, [&](float* rgb, int x, int y) {
        const float g = top.constScanLine(y)[x] / 255.0f;
        for (int c = 0; c < 3; ++c) {
            const float b = rgb[c];
            if (g <= 0.5f) {
                rgb[c] = b - (1 - 2 * g) * b * (1 - b);
            } else {
                const float d = b <= 0.25f ? ((16 * b - 12) * b + 4) * b : std::sqrt(b);
                rgb[c] = b + (2 * g - 1) * (d - b);
            }
        }
    });
}

std::array<double, 3> averageColor(const QImage& imageIn)
{
    std::array<double, 3> sum{};
    if (imageIn.isNull()) return sum;
    QImage image = working(imageIn).copy();
    mapColors(image, [&](float* rgb, int, int) {
        for (int c = 0; c < 3; ++c) sum[c] += rgb[c];
    });
    const double count = static_cast<double>(image.width()) * image.height();
    for (double& v : sum) v /= count;
    return sum;
}

}  // namespace vt::Kernels
