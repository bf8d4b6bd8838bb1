#pragma once
// The right column of the Shorts picker, 400 points wide: the preview
// player (a click plays or pauses the current clip), and for a current
// clip the play button (Space), the progress through the clip, the time
// text, the quoted title and what a Short becomes.

#include <QAbstractButton>
#include <QImage>
#include <QWidget>

#include <functional>

class QLabel;
class QProgressBar;

namespace vt {
class ShortsPicker;
}

namespace vt::ui {

class PlayerPicture;

class PlayButton final : public QAbstractButton {
    Q_OBJECT
public:
    explicit PlayButton(QWidget* parent = nullptr);
    void setPlaying(bool playing);
    bool isPlaying() const { return playing_; }
    QSize sizeHint() const override { return {30, 30}; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    bool playing_ = false;
};

class PreviewPane final : public QWidget {
    Q_OBJECT

public:
    static constexpr int width = 400;

    PreviewPane(ShortsPicker& picker, std::function<QImage()> frame, QWidget* parent = nullptr);

    PlayerPicture* picture() const { return picture_; }
    PlayButton* playButton() const { return play_; }
    QProgressBar* progress() const { return progress_; }
    QLabel* timeText() const { return time_; }

    // The fraction through the clip and the elapsed / length text.
    static double fraction(double time, double start, double end);
    static QString timeText(double time, double start, double end);

private:
    void showClip();
    void showTime();

    ShortsPicker& picker_;
    PlayerPicture* picture_;
    QWidget* controls_;
    PlayButton* play_;
    QProgressBar* progress_;
    QLabel* time_;
    QLabel* title_;
};

}  // namespace vt::ui
