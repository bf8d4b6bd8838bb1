// The automatic colour grade of one clip or overlay.

#include "editor/EditorModel.h"
#include "video/BRollRenderer.h"
#include "video/effects/ColorGrader.h"

#include <QPointer>

#include <algorithm>

namespace vt {

namespace {

constexpr int maxSide = 480;

QImage small(const QImage& image)
{
    if (image.width() <= maxSide && image.height() <= maxSide) return image;
    return image.scaled(maxSide, maxSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

}  // namespace

void EditorModel::autoEnhance(const TimelineItem& item, std::function<void()> done)
{
    const auto grade = [item, done](EditorModel& editor, const std::vector<QImage>& pictures) {
        if (!pictures.empty()) {
            const VideoGrade graded = ColorGrader::autoGrade(pictures, editor.adjust(item).grade);
            editor.updateAdjust(item, [&](ItemAdjust& a) { a.grade = graded; });
        }
        if (done) done();
    };
    if (item.kind == TimelineItem::Kind::overlay) {
        const BRoll* found = nullptr;
        if (project_.brolls)
            for (const BRoll& b : *project_.brolls)
                if (b.id == item.id) found = &b;
        if (!found) return grade(*this, {});
        if (found->isImage) {
            const auto picture = BRollRenderer::image(found->path);
            return grade(*this, picture ? std::vector{small(*picture)} : std::vector<QImage>{});
        }
        if (!services_.media) return grade(*this, {});
        inBackground([media = services_.media, path = found->path, offset = found->sourceOffset,
                      grade]() -> std::function<void(EditorModel&)> {
            std::vector<QImage> pictures;
            for (double t : {offset, offset + 0.8, offset + 1.6})
                if (const auto picture = media->frame(path, t)) pictures.push_back(small(*picture));
            return [pictures = std::move(pictures), grade](EditorModel& editor) { grade(editor, pictures); };
        });
        return;
    }
    if (item.kind != TimelineItem::Kind::clip) return grade(*this, {});
    const auto spans = project_.spans();
    const auto span = std::find_if(spans.begin(), spans.end(), [&](const ClipSpan& s) { return s.clip.id == item.id; });
    if (span == spans.end()) return grade(*this, {});
    const double lo = span->start + span->clip.trimStart;
    const double hi = std::max(lo, span->start + span->clip.duration - span->clip.trimEnd);
    std::vector<double> times;
    for (int k = 1; k <= 5; ++k) times.push_back(lo + (hi - lo) * k / 6);
    QPointer<EditorModel> self(this);
    framesAtSource(times, maxSide, [self, grade](std::vector<Filmstrip::Frame> frames) {
        if (!self) return;
        std::vector<QImage> pictures;
        for (const auto& f : frames)
            if (!f.image.isNull()) pictures.push_back(f.image);
        grade(*self, pictures);
    });
}

}  // namespace vt
