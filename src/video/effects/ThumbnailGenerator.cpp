#include "video/effects/ThumbnailGenerator.h"

#include "captions/CaptionRenderer.h"
#include "captions/FontBook.h"
#include "captions/TextLine.h"
#include "platform/WholeFile.h"
#include "platform/vision/FaceDetector.h"
#include "video/Kernels.h"
#include "video/effects/ColorGrader.h"

#include <QBuffer>
#include <QLinearGradient>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace vt::ThumbnailGenerator {

namespace {

// Fills `size` with the picture scaled to cover it, cropped around `focus`.
QImage filled(const QImage& picture, QSize size, Point focus)
{
    const double f = std::max(size.width() / static_cast<double>(picture.width()),
                              size.height() / static_cast<double>(picture.height()));
    const double sw = picture.width() * f, sh = picture.height() * f;
    const double ox = std::clamp(focus.x * sw - size.width() / 2.0, 0.0, sw - size.width());
    const double oy = std::clamp(focus.y * sh - size.height() / 2.0, 0.0, sh - size.height());
    return Kernels::warp(picture, QTransform::fromScale(f, f) * QTransform::fromTranslate(-ox, -oy), size,
                         Kernels::Edges::clamp);
}

// A headline block centred at (cx, y0), wrapped at `width`: the text and the
// rectangle it is set in (y up).
struct Box {
    TextLine text;
    QRectF rect;
    QPointF origin() const { return {rect.left() + 1, rect.top() + rect.height()}; }
};

Box box(const std::string& text, const char* font, double size, double cx, double y0, double width)
{
    TextLine block = TextLine::paragraph(text, FontBook::font(font, size, false), width);
    const double sw = std::ceil(block.width()), sh = std::ceil(block.descent());
    return {std::move(block), QRectF(cx - sw / 2 - 1, y0 - sh / 2, sw + 2, sh + 1)};
}

void drawTemplate(QPainter& p, ThumbnailTemplate design, const std::string& text, double w, double h)
{
    const double u = std::min(w, h) / 1080, cx = w / 2;
    p.setRenderHint(QPainter::Antialiasing);
    switch (design) {
    case ThumbnailTemplate::bold: {
        p.translate(cx, 0.3 * h);
        p.rotate(2);
        p.translate(-cx, -0.3 * h);
        const Box b = box(QString::fromStdString(text).toUpper().toStdString(), "Impact", 128 * u, cx, 0.3 * h, 0.86 * w);
        const QPainterPath path = b.text.outlineAt(b.origin());
        p.strokePath(path, QPen(Qt::black, 16 * u, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
        p.fillPath(path, QColor(255, 229, 0));
        break;
    }
    case ThumbnailTemplate::clean: {
        const Box b = box(text, "AvenirNext-Heavy", 72 * u, cx, 0.8 * h, 0.78 * w);
        QPainterPath pill;
        pill.addRoundedRect(b.rect.adjusted(-32 * u, -22.4 * u, 32 * u, 22.4 * u), 28 * u, 28 * u);
        p.fillPath(pill, Qt::white);
        p.fillPath(b.text.outlineAt(b.origin()), Qt::black);
        break;
    }
    case ThumbnailTemplate::cinematic: {
        QLinearGradient shade(0, 0, 0, 0.5 * h);
        shade.setColorAt(0, QColor(0, 0, 0, 224));
        shade.setColorAt(1, QColor(0, 0, 0, 0));
        p.fillRect(QRectF(0, 0, w, 0.5 * h), shade);
        const Box b = box(text, "Didot-Bold", 96 * u, cx, 0.2 * h, 0.84 * w);
        p.fillPath(b.text.outlineAt(b.origin()), Qt::white);
        break;
    }
    case ThumbnailTemplate::frame: break;
    }
}

}  // namespace

std::optional<Face> bestFace(const QImage& image)
{
    if (image.isNull()) return std::nullopt;
    const QImage bgra = image.convertToFormat(QImage::Format_ARGB32);
    const FrameView view{bgra.constBits(), bgra.width(), bgra.height(), static_cast<int>(bgra.bytesPerLine())};
    std::optional<Face> best;
    for (const FaceBox& face : FaceDetector::faces(view)) {
        const double q = FaceDetector::captureQuality(view, face);
        if (best && !(q > best->quality)) continue;
        best = Face{q, {face.x + face.width / 2, face.y + face.height / 2}};
    }
    return best;
}

std::vector<ThumbnailCandidate> candidates(const EditPlan& plan, int count, const FrameSource& frames)
{
    const double length = plan.outputLength();
    std::vector<double> times;
    for (int k = 0; k < 18; ++k) times.push_back(plan.sourceTime((k + 0.5) * length / 18));
    std::vector<ThumbnailCandidate> all;
    for (auto& [time, image] : frames(times)) {
        ThumbnailCandidate c{Uuid::random(), time, image, 0, {0.5, 0.5}};
        if (const auto face = bestFace(image)) {
            c.score = face->quality + 0.2;
            c.focus = face->center;
        }
        all.push_back(std::move(c));
    }
    std::stable_sort(all.begin(), all.end(), [](const auto& a, const auto& b) { return a.score > b.score; });
    std::vector<ThumbnailCandidate> taken;
    // Samples exactly two slices apart count as apart, whatever the rounding.
    const double gap = 2 * length / 18 - 1e-9;
    for (ThumbnailCandidate& c : all) {
        if (static_cast<int>(taken.size()) >= count) break;
        const bool apart = std::all_of(taken.begin(), taken.end(),
                                       [&](const auto& t) { return std::abs(t.sourceTime - c.sourceTime) >= gap; });
        if (apart) taken.push_back(std::move(c));
    }
    return taken;
}

std::optional<QImage> render(const ThumbnailCandidate& candidate, ThumbnailTemplate design, const std::string& text,
                             QSize size, const std::optional<VideoGrade>& grade)
{
    if (candidate.image.isNull()) return std::nullopt;
    auto context = CaptionRenderer::makeContext(QSizeF(size));
    if (!context) return std::nullopt;
    QImage picture = filled(candidate.image, size, candidate.focus);
    if (grade && !grade->isNeutral()) picture = ColorGrader::apply(*grade, picture, 0);
    QPainter& p = context->painter();
    p.save();
    // The painter draws y up; a picture's rows run down.
    p.translate(0, size.height());
    p.scale(1, -1);
    p.drawImage(0, 0, picture);
    p.restore();
    p.save();
    drawTemplate(p, design, QString::fromStdString(text).trimmed().toStdString(), size.width(), size.height());
    p.restore();
    return context->takeImage();
}

void writePng(const QImage& image, const std::filesystem::path& file)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (image.isNull() || !image.save(&buffer, "PNG"))
        throw std::runtime_error("The thumbnail could not be encoded as a PNG.");
    if (!wholeFile::writeAtomically(file, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))))
        throw std::runtime_error("The thumbnail could not be written to " + file.string() + ".");
}

}  // namespace vt::ThumbnailGenerator
