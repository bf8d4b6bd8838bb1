#pragma once
// The editor's two caches of preview pictures: caption-look previews by
// preview key, drawn here in the background, and colour-look previews by
// look id, drawn by the colour panel and stored here. Each picture is drawn
// once per project, format and framing; the operations that change those
// empty the caches instead of keying them.
//
// A drawing that started before its cache was emptied would show the old
// format, framing or look: each cache counts how often it was emptied, and a
// result is stored only when that count is still the one its drawing began
// under.
//
// Threads: every member is for the owner's (main) thread. Drawings run on a
// pool of background threads with copies of their inputs and come back to
// the owner's thread through its event loop; a result arriving after the
// cache is destroyed is dropped.

#include "captions/look/CaptionStyle.h"
#include "model/FaceTrack.h"
#include "model/OutputAspect.h"
#include "model/ReframeMode.h"

#include <QImage>
#include <QObject>
#include <QSize>
#include <QThreadPool>

#include <atomic>
#include <cstdint>
#include <memory>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace vt {

class StylePreviewCache : public QObject {
    Q_OBJECT

public:
    // What a caption-look preview is drawn from, read from the project.
    struct Project {
        OutputAspect aspect = OutputAspect::vertical;
        ReframeMode reframe = ReframeMode::smart;
        std::optional<FaceTrack> faceTrack;
        double posterTime = 0;  // the source moment the poster frame shows, seconds
    };

    explicit StylePreviewCache(QObject* parent = nullptr);
    ~StylePreviewCache() override;

    // The preview size of a format: 270 wide (480 for landscape) by the format's shape.
    static QSizeF pictureSize(OutputAspect aspect);
    // The look's id, "|", its hash in decimal, "|", the caption script's raw value.
    static std::string previewKey(const CaptionStyle& style, std::string_view captionScript);

    const std::map<std::string, QImage>& stylePreviews() const { return stylePreviews_; }
    const std::map<std::string, QImage>& lookPreviews() const { return lookPreviews_; }

    // Draws the look's preview under `key` in the background unless the
    // cache holds the key, a drawing of the key is already on its way, or
    // there is no poster.
    void ensurePreview(const CaptionStyle& style, const std::string& key, const QImage& poster,
                       const Project& project);
    // The preview under `key` is no longer wanted: a drawing that has not
    // started yet is skipped, one that runs is not stored.
    void cancelPreview(const std::string& key);
    // Keys whose drawings are on their way.
    std::size_t drawingsPending() const { return drawing_.size(); }

    // A look was applied, the caption script changed or a translation ended.
    void clearStylePreviews();
    // The format or the framing changed: both caches are emptied.
    void clearAll();

    // The colour panel takes the generation before drawing a look preview
    // and hands it back with the picture.
    std::uint64_t lookGeneration() const { return lookGeneration_; }
    void storeLookPreview(const std::string& lookID, const QImage& picture, std::uint64_t generation);

    // Blocks until every drawing started so far has finished (its result is
    // then waiting in the event loop).
    void waitForDrawings();

signals:
    void stylePreviewsChanged();
    void lookPreviewsChanged();

private:
    void storeStylePreview(const std::string& key, const std::optional<QImage>& picture, std::uint64_t generation,
                           const std::shared_ptr<std::atomic<bool>>& cancelled);
    void cancelDrawings();

    std::map<std::string, QImage> stylePreviews_;
    std::map<std::string, QImage> lookPreviews_;
    std::uint64_t styleGeneration_ = 0;
    std::uint64_t lookGeneration_ = 0;
    // The cancel flag of each drawing on its way, by key; a flag set to true
    // tells the worker not to start and the owner not to store.
    std::map<std::string, std::shared_ptr<std::atomic<bool>>> drawing_;
    QThreadPool pool_;
};

}  // namespace vt
