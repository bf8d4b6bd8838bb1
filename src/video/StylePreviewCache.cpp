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
    if (stylePreviews_.count(key) || drawing_.count(key) || poster.isNull()) return;
    const QSizeF points = pictureSize(project.aspect);
    const QSize size(static_cast<int>(std::lround(points.width())), static_cast<int>(std::lround(points.height())));
    const Point focus = project.faceTrack ? project.faceTrack->center(project.posterTime) : Point{0.5, 0.5};
    const std::uint64_t generation = styleGeneration_;
    auto cancelled = std::make_shared<std::atomic<bool>>(false);
    drawing_[key] = cancelled;
    QPointer<StylePreviewCache> self(this);
    pool_.start([self, style, key, poster, size, reframe = project.reframe, focus, generation, cancelled] {
        std::optional<QImage> picture;
        if (!*cancelled) picture = StylePreview::render(style, poster, size, reframe, focus);
        QMetaObject::invokeMethod(
            self.data(),
            [self, key, picture = std::move(picture), generation, cancelled] {
                if (self) self->storeStylePreview(key, picture, generation, cancelled);
            },
            Qt::QueuedConnection);
    });
}

void StylePreviewCache::cancelPreview(const std::string& key)
{
    const auto found = drawing_.find(key);
    if (found == drawing_.end()) return;
    *found->second = true;
    drawing_.erase(found);
}

void StylePreviewCache::cancelDrawings()
{
    for (auto& [key, cancelled] : drawing_) *cancelled = true;
    drawing_.clear();
}

void StylePreviewCache::storeStylePreview(const std::string& key, const std::optional<QImage>& picture,
                                          std::uint64_t generation, const std::shared_ptr<std::atomic<bool>>& cancelled)
{
    // Only the drawing the key still waits for may end its wait.
    const auto found = drawing_.find(key);
    if (found != drawing_.end() && found->second == cancelled) drawing_.erase(found);
    if (*cancelled || generation != styleGeneration_ || !picture) return;
    stylePreviews_[key] = *picture;
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
    cancelDrawings();
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
