#pragma once
// Where a video can be dropped or chosen: an arrow, the resting title (or
// "Release to open" while a drag is over it), "or", and a "Choose Video"
// button, on a dashed rounded outline that turns to the accent while
// targeted. The screen that places it accepts the drop and sets `targeted`.

#include <QWidget>

#include <functional>

class QLabel;

namespace vt {

class PrimaryActionButton;

class VideoDropZone : public QWidget {
    Q_OBJECT

public:
    VideoDropZone(const QString& title, int verticalPadding, std::function<void()> choose, QWidget* parent = nullptr);

    bool targeted() const { return targeted_; }
    void setTargeted(bool targeted);
    QString shownText() const;
    PrimaryActionButton* chooseButton() const { return button_; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QString title_;
    bool targeted_ = false;
    QLabel* text_;
    QLabel* or_;
    PrimaryActionButton* button_;
};

}  // namespace vt
