#pragma once
// The context bars under the lanes: the selected clip's bar, the selected
// sound's bar and the caption line bar. Each is one row with a hairline on
// top, rebuilt by the panel whenever what it shows changes. Main thread.

#include "editor/EditorModel.h"

#include <QWidget>

#include <functional>
#include <optional>

class QLineEdit;
class QSlider;

namespace vt::ui {
class LineStyleMenu;
}

namespace vt {

class ContextBar : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent* event) override;
};

class ClipBar : public ContextBar {
    Q_OBJECT
public:
    ClipBar(EditorModel& editor, const VideoClip& clip, QWidget* parent = nullptr);
};

class SoundBar : public ContextBar {
    Q_OBJECT
public:
    SoundBar(EditorModel& editor, const SoundClip& sound, QWidget* parent = nullptr);
    // The level text: "off" for silence, else a signed whole number of dB.
    static QString levelText(double db);
    // A fade menu's title: the length with one decimal, an en dash for none.
    static QString fadeTitle(const QString& title, double seconds);
    // Moves the sound's base level and every point by the same step.
    static void setLevel(EditorModel& editor, const Uuid& id, double db);
    static void setFade(EditorModel& editor, const Uuid& id, bool fadeIn, double seconds);
};

class CaptionLineBar : public ContextBar {
    Q_OBJECT
public:
    // `go` switches to the line of another word, or closes with none.
    CaptionLineBar(EditorModel& editor, Uuid wordID, std::function<void(std::optional<Uuid>)> go,
                   QWidget* parent = nullptr);
    QLineEdit* field() const { return field_; }
    // The style menu of the line's words; hidden while there is no line.
    ui::LineStyleMenu* styleMenu() const { return styleMenu_; }
    void save();
    void step(int delta);

private:
    std::optional<std::pair<int, CaptionGroup>> line() const;
    static QString text(const CaptionGroup& group);

    EditorModel& editor_;
    Uuid wordID_;
    std::function<void(std::optional<Uuid>)> go_;
    QLineEdit* field_;
    ui::LineStyleMenu* styleMenu_;

    void refreshStyleMenu();
};

}  // namespace vt
