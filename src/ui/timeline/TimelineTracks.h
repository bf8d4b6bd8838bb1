#pragma once
// The tracks of the timeline: one painted widget, as wide as the whole cut at
// the current scale, that draws the ruler, every lane, the item blocks, the
// drop marker and the playhead, and turns the pointer's gestures into the
// editor model's operations: scrubbing, selecting caption lines, moving and
// trimming blocks, clips and sounds, editing volume lines, context menus,
// and drops from the palette or the file manager. Widget coordinates are the
// content coordinates ("timeline" space): x = output seconds × pps, y = 0 at
// the top of the ruler. Main thread.

#include "editor/EditorModel.h"
#include "ui/timeline/LaneContent.h"
#include "ui/timeline/TimelineBlock.h"
#include "ui/timeline/VolumeEditing.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class QMenu;

namespace vt {

class FileRevealer;

class TimelineTracks : public QWidget {
    Q_OBJECT
public:
    TimelineTracks(EditorModel& editor, std::function<void()> focusPanel, std::function<void(const Uuid&)> editLine,
                   QWidget* parent = nullptr);

    // The panel's geometry: lanes in display order, the scale, the visible
    // width and the horizontal scroll offset.
    void setLanes(std::vector<TimelineLane> lanes, double pps, double viewport);
    void setScrollX(double x);
    void setFileChooser(EditorModel::FileChooser choose) { choose_ = std::move(choose); }
    // Where a clip's menu shows its file; the desktop's file manager unless set.
    void setRevealer(std::shared_ptr<FileRevealer> revealer) { revealer_ = std::move(revealer); }
    const std::vector<TimelineLane>& lanes() const { return lanes_; }
    double pps() const { return pps_; }
    double outputLength() const;  // L: 0 for an empty plan
    double duration() const;      // D: at least 0.5 s

    // What lies under a content point, topmost layer first.
    struct Hit {
        enum class Kind { background, clip, block, audio, sound };
        Kind kind = Kind::background;
        std::optional<TimelineBlock> block;       // a block, or the box of a clip or sound
        std::optional<TimelineBlock::Edge> edge;  // a grabbed edge
        std::optional<VolumeGrab> volume;         // a grabbed part of a volume line
    };
    Hit hitTest(QPointF at) const;
    // The item blocks as of the last change (built once per change).
    const std::vector<TimelineBlock>& blocks() const;

    // The operations the gestures run; public so that callers and tests can
    // name them.
    void seek(double x);
    void captionClick(QPointF at);
    void captionDoubleClick(QPointF at);
    void dragBlock(const TimelineItem& item, std::optional<TimelineBlock::Edge> edge, double dx,
                   std::pair<double, double> span, TimelineBlock::Limits limits);
    void trim(const VideoClip& clip, TimelineBlock::Edge edge, double dx);
    void finishMove(const Uuid& clip, double dx);
    void dropFile(const QString& path, double time, double y);
    // The time under a drop at content x.
    double dropTime(double x) const;
    std::optional<double> dropX() const { return dropX_; }
    // The tooltip of whatever lies at the point; empty over the background.
    QString helpAt(QPointF at) const;
    // The context menu of whatever lies at the point; null over the background.
    QMenu* menuAt(QPointF at, QWidget* parent);

    QSize sizeHint() const override;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // One running pointer gesture, decided at the press.
    struct Gesture {
        Hit hit;
        QPointF press;
        bool started = false;   // passed its movement threshold
        bool recorded = false;  // its undo step was recorded
        VolumeEnvelope envelope;  // the grabbed line's envelope at the press
    };
    void contentChanged();
    // Clears the drop marker once the pointer's button has been up for three
    // checks 0.1 s apart, for a drag that left without an exit or a drop.
    void watchRelease();
    void resize();
    const LaneContent& content() const;
    void moveGesture(QPointF at);
    void endGesture(QPointF at);
    void tapBlock(const TimelineItem& item, double start, double end);
    void scrubAt(double x);
    std::optional<VideoClip> clip(const Uuid& id) const;
    std::optional<PlacedSound> placedSound(const Uuid& id) const;
    void writeSoundVolume(const Uuid& id, const VolumeEnvelope& envelope);
    void commitVideoVolume(const VolumeEnvelope& edited);
    double laneTop(TimelineLane::Kind kind, int row = 0) const;
    QRectF playheadRect(double time) const;
    QMenu* blockMenu(const TimelineItem& item, QWidget* parent);
    QMenu* clipMenu(const VideoClip& clip, QWidget* parent);
    QMenu* soundMenu(const Uuid& id, QWidget* parent);
    QMenu* audioMenu(QWidget* parent);

    EditorModel& editor_;
    std::function<void()> focusPanel_;
    std::function<void(const Uuid&)> editLine_;
    EditorModel::FileChooser choose_;
    std::shared_ptr<FileRevealer> revealer_;
    std::vector<TimelineLane> lanes_;
    double pps_ = 1;
    double viewport_ = 120;
    double scrollX_ = 0;
    double shownTime_ = 0;

    mutable std::optional<LaneContent> content_;
    mutable std::optional<std::vector<TimelineBlock>> blocks_;
    std::optional<Gesture> gesture_;
    // The view states of running drags.
    struct Drag {
        TimelineItem item;
        double start = 0;
        double end = 0;
    };
    std::optional<Drag> drag_;
    struct ClipTrim {
        Uuid id;
        double start = 0;
        double end = 0;
    };
    std::optional<ClipTrim> clipTrim_;
    std::optional<std::pair<Uuid, double>> clipMove_;
    std::optional<double> dropX_;
    bool scrubbing_ = false;
};

}  // namespace vt
