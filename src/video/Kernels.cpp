#include "video/Kernels.h"

#include "captions/Blur.h"

#include <QPainter>
#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace vt::Kernels {

namespace {

constexpr auto kFormat = QImage::Format_ARGB32_Premultiplied;

QImage premultiplied(const QImage& image)
{
    return image.format() == kFormat ? image : image.convertToFormat(kFormat);
}

int cvType(const QImage& image) { return image.format() == QImage::Format_Grayscale8 ? CV_8UC1 : CV_8UC4; }

// The pixels of a premultiplied-ARGB32 image as B, G, R, A bytes (or of a
// one-channel image as bytes), no copy.
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

inline std::uint8_t mix(std::uint32_t a, std::uint32_t b, std::uint32_t weightOfA)
{
    return static_cast<std::uint8_t>((a * weightOfA + b * (255 - weightOfA) + 127) / 255);
}

// Blends two same-sized images pixel by pixel with a weight (0…255, for
// `input`) read from `weightAt(x, y)`.
template <typename Weight>
QImage blend(const QImage& inputImage, const QImage& backgroundImage, Weight weightAt)
{
    const QImage input = premultiplied(inputImage);
    const QImage background = premultiplied(backgroundImage);
    QImage out(input.size(), kFormat);
    for (int y = 0; y < input.height(); ++y) {
        const auto* in = input.constScanLine(y);
        const auto* bg = background.constScanLine(y);
        auto* o = out.scanLine(y);
        for (int x = 0; x < input.width(); ++x) {
            const std::uint32_t w = weightAt(x, y);
            for (int c = 0; c < 4; ++c) o[4 * x + c] = mix(in[4 * x + c], bg[4 * x + c], w);
        }
    }
    return out;
}

// The channel `c` of a row at a fractional x, edge pixels extended.
inline double sampleClamped(const std::uint8_t* row, int width, double x, int c)
{
    const double fx = std::clamp(x, 0.0, static_cast<double>(width - 1));
    const int x0 = static_cast<int>(fx);
    const int x1 = std::min(x0 + 1, width - 1);
    const double f = fx - x0;
    return row[4 * x0 + c] * (1 - f) + row[4 * x1 + c] * f;
}

}  // namespace

QColor toColor(const RGBA& c)
{
    const auto unit = [](double v) { return static_cast<float>(std::isfinite(v) ? std::clamp(v, 0.0, 1.0) : 0.0); };
    return QColor::fromRgbF(unit(c.r), unit(c.g), unit(c.b), unit(c.a));
}

QImage canvas(QSize size)
{
    QImage image(size, kFormat);
    image.fill(Qt::transparent);
    return image;
}

QImage solid(QSize size, const QColor& color)
{
    QImage image(size, kFormat);
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
    const QImage image = imageIn.format() == QImage::Format_Grayscale8 ? imageIn : premultiplied(imageIn);
    QImage out(size, image.format());
    if (image.isNull() || size.isEmpty()) return out;
    cv::Mat target = view(out);
    const bool shrinking = size.width() < image.width() && size.height() < image.height();
    cv::resize(constView(image), target, target.size(), 0, 0, shrinking ? cv::INTER_AREA : cv::INTER_LINEAR);
    return out;
}

QImage warp(const QImage& sourceImage, const QTransform& yUp, QSize size, Edges edges)
{
    const QImage source = premultiplied(sourceImage);
    QImage out(size, kFormat);
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
    QImage image = imageIn.format() == QImage::Format_Grayscale8 ? imageIn.copy() : premultiplied(imageIn).copy();
    if (sigma < 0.3 || image.isNull()) return image;
    const QImage::Format format = image.format();
    // Wide blurs run on a smaller copy: the result is as smooth, and the
    // cost stays that of a narrow blur.
    if (sigma > 12) {
        const double factor = std::floor(sigma / 4);
        const cv::Size small(std::max(1, static_cast<int>(std::ceil(image.width() / factor))),
                             std::max(1, static_cast<int>(std::ceil(image.height() / factor))));
        QImage reduced(small.width, small.height, format);
        cv::Mat reducedView = view(reduced);
        cv::resize(constView(image), reducedView, small, 0, 0, cv::INTER_AREA);
        reduced = gaussianBlur(reduced, sigma / factor, edges);
        cv::Mat out = view(image);
        cv::resize(constView(reduced), out, out.size(), 0, 0, cv::INTER_LINEAR);
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
    QImage image = premultiplied(imageIn).copy();
    const int r = static_cast<int>(std::lround(radius));
    if (r < 1 || image.isNull()) return image;
    cv::Mat out = view(image);
    cv::blur(constView(premultiplied(imageIn)), out, cv::Size(2 * r + 1, 1), cv::Point(-1, -1), cv::BORDER_REPLICATE);
    return image;
}

QImage dissolve(const QImage& from, const QImage& to, double t)
{
    const QImage a = premultiplied(from);
    const QImage b = premultiplied(to);
    const double k = std::clamp(t, 0.0, 1.0);
    QImage out(a.size(), kFormat);
    cv::Mat target = view(out);
    cv::addWeighted(constView(a), 1 - k, constView(b), k, 0, target);
    return out;
}

QImage blendWithAlphaMask(const QImage& input, const QImage& background, const QImage& maskImage)
{
    const QImage mask = premultiplied(maskImage);
    return blend(input, background, [&](int x, int y) { return mask.constScanLine(y)[4 * x + 3]; });
}

QImage blendWithMask(const QImage& input, const QImage& background, const QImage& maskImage)
{
    const QImage mask = maskImage.format() == QImage::Format_Grayscale8
                            ? maskImage
                            : maskImage.convertToFormat(QImage::Format_Grayscale8);
    return blend(input, background, [&](int x, int y) { return mask.constScanLine(y)[x]; });
}

void colorControls(QImage& image, double saturation, double brightness)
{
    if (image.format() != kFormat) image = image.convertToFormat(kFormat);
    // Fixed point: luma weights and the saturation in 1/256; the brightness
    // is scaled by each pixel's alpha (premultiplied pixels), from a table.
    const int sat = static_cast<int>(std::lround(saturation * 256));
    int shiftFor[256];
    for (int a = 0; a < 256; ++a) shiftFor[a] = static_cast<int>(std::lround(brightness * a));
    const int width = image.width();
    for (int y = 0; y < image.height(); ++y) {
        auto* p = image.scanLine(y);
        for (int x = 0; x < width; ++x, p += 4) {
            const int alpha = p[3];
            const int shift = shiftFor[alpha];
            if (sat == 256) {
                for (int c = 0; c < 3; ++c) p[c] = static_cast<std::uint8_t>(std::clamp(p[c] + shift, 0, alpha));
                continue;
            }
            const int l = (54 * p[2] + 183 * p[1] + 19 * p[0] + 128) >> 8;
            for (int c = 0; c < 3; ++c) {
                const int v = l + (((p[c] - l) * sat) >> 8) + shift;
                p[c] = static_cast<std::uint8_t>(std::clamp(v, 0, alpha));
            }
        }
    }
}

QImage lumaMap(const QImage& imageIn, double gain, double bias)
{
    const QImage image = premultiplied(imageIn);
    std::uint8_t table[256];
    for (int l = 0; l < 256; ++l)
        table[l] = static_cast<std::uint8_t>(std::lround(std::clamp(gain * l / 255 + bias, 0.0, 1.0) * 255));
    QImage out(image.size(), QImage::Format_Grayscale8);
    for (int y = 0; y < image.height(); ++y) {
        const auto* p = image.constScanLine(y);
        auto* o = out.scanLine(y);
        for (int x = 0; x < image.width(); ++x, p += 4) o[x] = table[(54 * p[2] + 183 * p[1] + 19 * p[0] + 128) >> 8];
    }
    return out;
}

QImage rgbSplit(const QImage& imageIn, double shift)
{
    const QImage image = premultiplied(imageIn);
    QImage out(image.size(), kFormat);
    const int w = image.width();
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = image.constScanLine(y);
        auto* o = out.scanLine(y);
        for (int x = 0; x < w; ++x) {
            const double red = sampleClamped(row, w, x - shift, 2);
            const double blue = sampleClamped(row, w, x + shift, 0);
            const double alpha = std::max({sampleClamped(row, w, x - shift, 3), static_cast<double>(row[4 * x + 3]),
                                           sampleClamped(row, w, x + shift, 3)});
            o[4 * x + 0] = static_cast<std::uint8_t>(std::lround(blue));
            o[4 * x + 1] = row[4 * x + 1];
            o[4 * x + 2] = static_cast<std::uint8_t>(std::lround(red));
            o[4 * x + 3] = static_cast<std::uint8_t>(std::lround(alpha));
        }
    }
    return out;
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
    const QImage image = premultiplied(imageIn);
    const int width = image.width(), height = image.height();
    int left = width, right = -1, top = height, bottom = -1;
    for (int y = 0; y < height; ++y) {
        const auto* p = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
        int first = 0;
        while (first < width && (p[first] >> 24) == 0) ++first;
        if (first == width) continue;
        int last = width - 1;
        while ((p[last] >> 24) == 0) --last;
        left = std::min(left, first);
        right = std::max(right, last);
        top = std::min(top, y);
        bottom = y;
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

}  // namespace vt::Kernels
