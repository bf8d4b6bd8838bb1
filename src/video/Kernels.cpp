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

// Where red, blue and alpha sit in a pixel, and the channel maximum: 8-bit
// pixels are stored B, G, R, A; deep ones R, G, B, A.
template <typename T>
struct Layout;
template <>
struct Layout<std::uint8_t> {
    static constexpr int red = 2, blue = 0, alpha = 3;
    static constexpr int max = 255;
};
template <>
struct Layout<std::uint16_t> {
    static constexpr int red = 0, blue = 2, alpha = 3;
    static constexpr int max = 65535;
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
    QImage out(size, source.format());
    if (source.isNull() || size.isEmpty()) {
        out.fill(Qt::transparent);
        return out;
    }
    // OpenCV puts pixel centres on whole numbers, this geometry at halves.
    const QTransform m = QTransform::fromTranslate(0.5, 0.5) * rowTransform(yUp, source.height(), size.height()) *
                         QTransform::fromTranslate(-0.5, -0.5);
    const cv::Matx23d matrix(m.m11(), m.m21(), m.dx(), m.m12(), m.m22(), m.dy());
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
