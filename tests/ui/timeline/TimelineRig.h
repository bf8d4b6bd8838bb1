#pragma once
// The timeline's tracks over an editor on fakes, at 100 points per second,
// with the lane list the panel would compute.

#include "ui/editor/EditorUiRig.h"
#include "ui/timeline/TimelineGeometry.h"
#include "ui/timeline/TimelineTracks.h"

#include <QTest>

namespace vt::test {

struct TimelineRig {
    EditorUiRig ui;
    int focused = 0;
    std::optional<Uuid> editedLine;
    TimelineTracks tracks{ui.editor(), [this] { ++focused; }, [this](const Uuid& id) { editedLine = id; }};

    explicit TimelineRig(Project project = sampleProject(12)) : ui(std::move(project))
    {
        relayout();
        tracks.show();
    }
    EditorModel& editor() { return ui.editor(); }
    void relayout()
    {
        TimelineGeometry::LaneInputs in;
        for (const auto& b : editor().brollPlacements()) in.overlays.emplace_back(b.start, b.end);
        for (const auto& m : editor().placedMotions()) in.motions.emplace_back(m.start, m.start + m.effect.duration);
        for (const auto& s : editor().placedSounds()) in.lastSoundRow = std::max(in.lastSoundRow, s.row);
        tracks.setLanes(TimelineGeometry::lanes(in), 100, 2000);
    }
    double top(TimelineLane::Kind kind, int row = 0) const
    {
        return TimelineGeometry::laneTop(tracks.lanes(), TimelineLane::of(kind, row));
    }
    QPoint at(double seconds, double y) const { return QPoint(int(std::lround(seconds * 100)), int(std::lround(y))); }
    // A press, moves in steps and a release, as a pointer drag does.
    void drag(QPoint from, QPoint to, int steps = 4)
    {
        QTest::mousePress(&tracks, Qt::LeftButton, {}, from);
        for (int i = 1; i <= steps; ++i) {
            const QPoint p = from + (to - from) * i / steps;
            QMouseEvent move(QEvent::MouseMove, p, tracks.mapToGlobal(p), Qt::NoButton, Qt::LeftButton, {});
            QApplication::sendEvent(&tracks, &move);
        }
        QTest::mouseRelease(&tracks, Qt::LeftButton, {}, to);
    }
};

}  // namespace vt::test
