#pragma once
// The timeline dock of the editor window: a header with the title, a one-line
// summary and the add-toolbar; the lanes area, with the lane-header column
// at the left and the horizontally scrolling tracks at the right, both in one
// vertical scroll area; and under it at most one context bar (the caption
// line, the selected sound or the selected clip). The panel owns the
// geometry: the lane list, the scale from the zoom, the scroll offset, and
// the playhead follower that keeps the playhead in view. Main thread.

#include "editor/EditorModel.h"
#include "ui/timeline/TimelineGeometry.h"

#include <QWidget>

#include <functional>
#include <optional>

class QLabel;
class QScrollArea;
class QVBoxLayout;

namespace vt {

class LaneHeaders;
class PaletteChip;
class TimelineTracks;

class TimelinePanel : public QWidget {
    Q_OBJECT
public:
    TimelinePanel(EditorModel& editor, std::function<void()> focusPanel, QWidget* parent = nullptr);

    const std::vector<TimelineLane>& lanes() const { return lanes_; }
    const TimelineGeometry::Scale& scale() const { return scale_; }
    QString stats() const;
    // The summary from its parts: output length, clip count, a running clip
    // job's text, the number of timeline items.
    static QString stats(double length, int clips, std::optional<QString> job, int items);
    // The zoom a pinch gives from the zoom at its start.
    static double pinchZoom(double start, double magnification);

    void editLineAtPlayhead();
    std::optional<Uuid> editingLine() const { return editingLine_; }
    void setEditingLine(std::optional<Uuid> wordID);
    void setFileChooser(EditorModel::FileChooser choose);

    TimelineTracks* tracks() const { return tracks_; }
    LaneHeaders* headers() const { return headers_; }
    QScrollArea* horizontalScroll() const { return hscroll_; }
    // The context bar shown, if any.
    QWidget* contextBar() const { return bar_; }
    const std::vector<PaletteChip*>& toolbarChips() const { return chips_; }
    double scrollX() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* makeHeader();
    void relayout();
    void followPlayhead();
    void refreshBar();
    void fitToolbar();
    void showEffects(QWidget* anchor);

    EditorModel& editor_;
    std::function<void()> focusPanel_;
    EditorModel::FileChooser choose_;
    std::vector<TimelineLane> lanes_;
    TimelineGeometry::Scale scale_;
    std::optional<double> zoomStart_;
    double pinch_ = 1;
    std::optional<Uuid> editingLine_;

    QLabel* stats_ = nullptr;
    QWidget* titles_ = nullptr;
    QWidget* toolbar_ = nullptr;
    std::vector<PaletteChip*> chips_;
    QScrollArea* vscroll_ = nullptr;
    QScrollArea* hscroll_ = nullptr;
    LaneHeaders* headers_ = nullptr;
    TimelineTracks* tracks_ = nullptr;
    QVBoxLayout* column_ = nullptr;
    QWidget* bar_ = nullptr;
    // What the bar shows, so it is rebuilt only when that changes.
    struct Shown {
        std::optional<Uuid> line;
        std::optional<SoundClip> sound;
        std::optional<VideoClip> clip;
        std::optional<std::string> job;
        friend bool operator==(const Shown&, const Shown&) = default;
    };
    Shown shown_;
};

}  // namespace vt
