#pragma once
// Lies exactly over the preview picture and lets the user act on the
// captions in it. While paused, pressing a caption word selects that word
// in the whole editor, and dragging moves it away from its place in the
// line by storing an offset in the word's look (in pixels of the
// 1080-pixel output frame); selected words on screen get a dashed mark. A
// click that holds no word toggles playback. The moved word itself is drawn
// by the caption renderer when the frame is composed.
//
// One undo step per drag that moves a word, recorded at its first move; a
// click that only selects records none, so the redo history survives it.

#include "editor/EditorModel.h"

#include <QPointF>
#include <QWidget>

#include <optional>

namespace vt::ui {

class WordDragLayer : public QWidget {
    Q_OBJECT
public:
    explicit WordDragLayer(EditorModel& editor, QWidget* parent = nullptr);

    // Output pixels per point of a layer this wide.
    static double scale(OutputAspect aspect, double layerWidth);
    // The measured word frames (empty while playing).
    std::vector<EditorModel::WordFrame> wordFrames() const;
    // The dashed marks of the selected words on screen, in the layer's points.
    std::vector<QRectF> marks() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    struct Held {
        Uuid id;
        WordLook start;
        bool moved = false;  // the undo step is recorded
    };
    EditorModel& editor_;
    std::optional<Held> held_;
    std::optional<QPointF> pressAt_;
    void grab(QPointF at);
    void follow(QPointF at);
};

}  // namespace vt::ui
