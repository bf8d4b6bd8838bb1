#pragma once
// The caption lines as a timed list: each row shows the line's start time
// and its words; the line on screen now is set in medium weight on the
// highlight colour and the lines after it are dimmed. A click puts the
// playhead just inside the line. Rows are painted only while on screen;
// while playing, the active line is scrolled to the centre.

#include <QAbstractScrollArea>
#include <QPointer>

#include <optional>

#include "ui/editor/ScrollFollow.h"

namespace vt {
class EditorModel;
}

namespace vt::ui {

class SubtitleList : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr double padX = 10, padY = 6, rowSpacing = 2;

    explicit SubtitleList(EditorModel& editor, QWidget* parent = nullptr);

    static double rowHeight();
    QRectF rowRect(int index) const;  // content coordinates
    std::optional<int> rowAt(QPoint viewportPoint) const;
    void scrollToRow(int index, bool animated);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    EditorModel& editor_;
    QPointer<QPropertyAnimation> scroll_;
    void updateRange();
};

}  // namespace vt::ui
