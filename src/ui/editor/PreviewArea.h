#pragma once
// The preview's place in the editor window until the player shows its
// frames here: the composed frame at the playhead (captions, framing and
// grade from the editor's render snapshot over a still of the source read
// at that moment), fitted into the area on the stage colour. A new
// playhead position is read 60 ms after the last move, on a worker thread;
// only the newest request is drawn.

#include <QImage>
#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <memory>

namespace vt {
class EditorModel;
}

namespace vt::ui {

class PreviewArea : public QWidget {
    Q_OBJECT
public:
    explicit PreviewArea(EditorModel& editor, QWidget* parent = nullptr);
    ~PreviewArea() override;
    const QImage& frame() const { return frame_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    EditorModel& editor_;
    QTimer debounce_;
    QImage still_;  // the source picture the frame was composed over
    QImage frame_;
    std::shared_ptr<std::uint64_t> generation_;
    void request();
    void compose();
};

}  // namespace vt::ui
