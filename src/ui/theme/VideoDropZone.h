#pragma once
// Where a video can be dropped or chosen: an arrow, the resting title (or
// "Release to open" while a drag is over it), "or", and a "Choose Video"
// button, on a dashed rounded outline that turns to the accent while
// targeted, its colours and line easing over 0.15 s. The screen that places
// it accepts the drop and sets `targeted`.

#include <QWidget>

#include <functional>

class QLabel;

namespace vt {

class PrimaryActionButton;
class Tween;

class VideoDropZone : public QWidget {
    Q_OBJECT

public:
    VideoDropZone(const QString& title, int verticalPadding, std::function<void()> choose, QWidget* parent = nullptr);

    bool targeted() const { return targeted_; }
    void setTargeted(bool targeted);
    QString shownText() const;
    // How far the targeted look has come, 0 to 1.
    double targetedAmount() const;
    PrimaryActionButton* chooseButton() const { return button_; }

protected:
    void paintEvent(QPaintEvent*) override;

private slots:
    void restyle();

private:
    QString title_;
    bool targeted_ = false;
    QLabel* text_;
    QLabel* or_;
    PrimaryActionButton* button_;
    Tween* look_;
};

}  // namespace vt
