#include "video/StylePreviewCache.h"

#include "video/StylePreview.h"

#include <QMetaObject>
#include <QPointer>

#include <algorithm>
#include <cmath>
#include <functional>

namespace vt {

StylePreviewCache::StylePreviewCache(QObject* parent) : QObject(parent) {}

StylePreviewCache::~StylePreviewCache() { pool_.waitForDone(); }

QSizeF StylePreviewCache::pictureSize(OutputAspect aspect)
{
    switch (aspect) {
    case OutputAspect::vertical: return {270, 480};
    case OutputAspect::portrait: return {270, 337.5};
    case OutputAspect::square: return {270, 270};
    case OutputAspect::landscape: return {480, 270};
    }
    return {270, 480};
}

std::string StylePreviewCache::previewKey(const CaptionStyle& style, std::string_view captionScript)
{
    return style.id + "|" + std::to_string(std::hash<CaptionStyle>{}(style)) + "|" + std::string(captionScript);
}

void StylePreviewCache::ensurePreview(const CaptionStyle& style, const std::string& key, const QImage& poster,
                                      const Project& project)
{
    if (stylePreviews_.count(key) || poster.isNull()) return;
    const QSizeF points = pictureSize(project.aspect);
    const QSize size(static_cast<int>(std::lround(points.width())), static_cast<int>(std::lround(points.height())));
    const double posterTime = project.sourceStart + std::min(project.length / 3, 1.5);
    const Point focus = project.faceTrack ? project.faceTrack->center(posterTime) : Point{0.5, 0.5};
    const std::uint64_t generation = styleGeneration_;
    QPointer<StylePreviewCache> self(this);
    pool_.start([self, style, key, poster, size, reframe = project.reframe, focus, generation] {
        const auto picture = StylePreview::render(style, poster, size, reframe, focus);
        if (!picture) return;
        QMetaObject::invokeMethod(
            self.data(),
            [self, key, image = *picture, generation] {
                if (self) self->storeStylePreview(key, image, generation);
            },
            Qt::QueuedConnection);
    });
}

void StylePreviewCache::storeStylePreview(const std::string& key, const QImage& picture, std::uint64_t generation)
{
    if (generation != styleGeneration_) return;
    stylePreviews_[key] = picture;
    emit stylePreviewsChanged();
}

void StylePreviewCache::storeLookPreview(const std::string& lookID, const QImage& picture, std::uint64_t generation)
{
    if (generation != lookGeneration_) return;
    lookPreviews_[lookID] = picture;
    emit lookPreviewsChanged();
}

void StylePreviewCache::clearStylePreviews()
{
    ++styleGeneration_;
    if (stylePreviews_.empty()) return;
    stylePreviews_.clear();
    emit stylePreviewsChanged();
}

void StylePreviewCache::clearAll()
{
    clearStylePreviews();
    ++lookGeneration_;
    if (lookPreviews_.empty()) return;
    lookPreviews_.clear();
    emit lookPreviewsChanged();
}

void StylePreviewCache::waitForDrawings() { pool_.waitForDone(); }

}  // namespace vt
