#pragma once
// The lane-header column at the left of the timeline: each lane's icon and
// title, and at the row's right end its small buttons: add or edit at the
// playhead, show or hide a visual layer, mute or unmute a sound layer. The
// rows line up with the tracks' lanes. Hiding and muting are project
// settings that record no undo step. Main thread.

#include "editor/EditorModel.h"

#include <QAbstractButton>
#include <QWidget>

#include <functional>

namespace vt {

// A 19 × 18 icon button: grey while its layer is on, red while off.
class TrackButton : public QAbstractButton {
    Q_OBJECT
public:
    TrackButton(QString symbol, bool on, QString help, QWidget* parent = nullptr);
    bool isOn() const { return on_; }
    const QString& symbol() const { return symbol_; }
    QSize sizeHint() const override { return QSize(19, 18); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QString symbol_;
    bool on_;
    bool hover_ = false;
};

class LaneHeaders : public QWidget {
    Q_OBJECT
public:
    LaneHeaders(EditorModel& editor, std::function<void()> editLine, QWidget* parent = nullptr);
    void setLanes(std::vector<TimelineLane> lanes);
    void setFileChooser(EditorModel::FileChooser choose) { choose_ = std::move(choose); }
    // The buttons of one lane's row, left to right.
    std::vector<TrackButton*> buttons(const TimelineLane& lane) const;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void rebuild();
    void addButtons(const TimelineLane& lane, double top);
    TrackButton* button(const TimelineLane& lane, QString symbol, bool on, QString help, std::function<void()> action);
    void flip(bool TrackSettings::*flag);
    void flipCaptions();
    void showEffects(QWidget* anchor);

    EditorModel& editor_;
    std::function<void()> editLine_;
    EditorModel::FileChooser choose_;
    std::vector<TimelineLane> lanes_;
    std::vector<std::pair<TimelineLane, TrackButton*>> buttons_;
    // The lane settings the buttons show, so other project changes keep them.
    std::optional<std::pair<TrackSettings, bool>> shown_;
};

}  // namespace vt
