#include "CaptionTestSupport.h"

#include "support/CaptionLines.h"

#include <QPainter>

#include <algorithm>
#include <cstdlib>

namespace vt::test {

CaptionStyle plainLook()
{
    CaptionStyle look;
    look.id = "test-plain";
    look.name = "Plain";
    look.font = "Anton";
    look.fontSize = 80;
    look.emphasisScale = 1;
    look.textColor = {1, 1, 1, 1};
    look.cornerRadius = 12;
    look.maxWordsPerGroup = 3;
    look.maxWordsPerLine = 3;
    look.verticalPosition = 0.5;
    look.lineSpacing = 1;
    return look;
}

CaptionGroup makeGroup(const std::vector<std::string>& words, double start, int index)
{
    return captionLine(words, start, index);
}

QImage render(const CaptionGroup& group, const CaptionStyle& look, double time, QSize size)
{
    auto context = CaptionRenderer::makeContext(QSizeF(size));
    CaptionRenderer::draw(group, look, time, QSizeF(size), *context, false, 1);
    return context->snapshot();
}

std::vector<QRectF> frames(const CaptionGroup& group, const CaptionStyle& look, double time, QSizeF size)
{
    std::vector<QRectF> out;
    auto context = CaptionRenderer::makeContext(QSizeF(1, 1));
    CaptionRenderer::draw(group, look, time, size, *context, true, 1,
                          [&](const TimedWord&, const QRectF& frame) { out.push_back(frame); });
    return out;
}

QRect inkBox(const QImage& image, int threshold)
{
    int left = image.width(), right = -1, top = image.height(), bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(row[x]) > threshold) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
    }
    if (right < 0) return {};
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

int inkCount(const QImage& image, int threshold)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) count += qAlpha(row[x]) > threshold ? 1 : 0;
    }
    return count;
}

int differingPixels(const QImage& a, const QImage& b, int tolerance)
{
    if (a.size() != b.size()) return a.width() * a.height();
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto* ra = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* rb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = ra[x], q = rb[x];
            if (std::abs(qRed(p) - qRed(q)) > tolerance || std::abs(qGreen(p) - qGreen(q)) > tolerance
                || std::abs(qBlue(p) - qBlue(q)) > tolerance || std::abs(qAlpha(p) - qAlpha(q)) > tolerance)
                ++count;
        }
    }
    return count;
}

QColor pixelAt(const QImage& image, int x, int y)
{
    return QColor::fromRgba(qUnpremultiply(image.pixel(x, y)));
}

std::filesystem::path writeReference(const std::string& name, const QImage& image)
{
    const char* dir = std::getenv("VELLUMTIDE_REFERENCE_DIR");
    const std::filesystem::path folder = dir && *dir ? dir : std::filesystem::current_path() / "reference";
    std::filesystem::create_directories(folder);
    const auto path = folder / (name + ".png");
    // Over a mid-grey checkerboard, so white and transparent both show.
    QImage shown(image.size(), QImage::Format_ARGB32_Premultiplied);
    {
        QPainter p(&shown);
        const int cell = 40;
        for (int y = 0; y < shown.height(); y += cell)
            for (int x = 0; x < shown.width(); x += cell)
                p.fillRect(x, y, cell, cell, ((x + y) / cell) % 2 ? QColor(70, 80, 90) : QColor(95, 105, 115));
        p.drawImage(0, 0, image);
    }
    shown.save(QString::fromStdString(path.string()));
    return path;
}

}  // namespace vt::test
