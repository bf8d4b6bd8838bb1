#pragma once
// The editor's side of colour: the project grade with its default, looks,
// slider writes and resets, auto-enhance of the whole video (undone by
// switching it off) and of one clip or overlay, the look shown while the
// pointer rests on a look card, and the look cards' preview pictures.
// Nothing here records an undo step except the per-item enhance, which goes
// through the item's adjustment.
//
// Threads: a QObject of the main thread beside the editor model it serves
// (which must outlive it). Look previews are drawn on worker threads and
// cached by look id; a new output format or framing empties the cache, and a
// picture drawn for the old one is dropped when it arrives.

#include "editor/EditorModel.h"
#include "model/ColorLook.h"
#include "model/VideoGrade.h"

#include <QImage>
#include <QObject>
#include <QThreadPool>

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace vt {

class GradeActions final : public QObject {
    Q_OBJECT

public:
    using Field = double VideoGrade::*;

    // Still pictures of a file at its own times, for video overlays (the
    // media reader unless a test gives another). Worker thread.
    using OverlayFrames = std::function<std::vector<QImage>(const std::string& path, const std::vector<double>& times)>;

    explicit GradeActions(EditorModel& model, OverlayFrames overlayFrames = nullptr, QObject* parent = nullptr);
    ~GradeActions() override;

    // The stored grade, else look "none", intensity 0.8, every adjustment 0.
    VideoGrade grade() const;
    void setLook(const std::string& lookID);
    // Removes the stored grade.
    void resetGrade();
    // Sets the fields to 0 in one change.
    void resetGrade(const std::vector<Field>& fields);
    // A slider write: stores the whole grade, also when the value is the same.
    void setField(Field field, double value);

    // The grade still equals what the last whole-video enhance produced.
    bool autoEnhanced() const;
    // On: an automatic grade from five sampled frames, remembering the grade
    // before it; off: that grade back, unless the grade was changed since.
    // `done` runs on the main thread when the change is made.
    void setAutoEnhance(bool on, std::function<void()> done = {});
    // The automatic grade of one clip or overlay, written as its adjustment.
    void autoEnhance(const TimelineItem& item, std::function<void()> done = {});

    // Sets the look previewed on the picture (none: the grade's own look).
    void setPreviewLook(std::optional<std::string> lookID);

    // The look cards' pictures by look id.
    const std::map<std::string, QImage>& lookPreviews() const { return previews_; }
    // Draws the look's picture from the poster frame when the cache has none.
    void ensureLookPreview(const ColorLook& look);
    // The picture size of the previews for an output format: a sixth of its render size.
    static QSize previewSize(OutputAspect aspect);

signals:
    void lookPreviewsChanged();
    void autoEnhancedChanged();

private:
    struct BeforeAuto {
        std::optional<VideoGrade> base;
        VideoGrade result;
    };
    void store(VideoGrade grade);
    void outdatePreviews();

    EditorModel& model_;
    OverlayFrames overlayFrames_;
    std::optional<BeforeAuto> beforeAuto_;
    bool lastAuto_ = false;
    std::map<std::string, QImage> previews_;
    std::set<std::string> drawing_;    // looks whose picture is being drawn for this generation
    std::uint64_t generation_ = 0;     // bumped when the previews go out of date
    QThreadPool worker_;
};

}  // namespace vt
