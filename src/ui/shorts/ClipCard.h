#pragma once
// One found clip in the Shorts picker's list: the choice circle, the
// thumbnail with the clip's length, the quoted title, its number and times,
// the reasons as chips, and the score badge. Current clips are tinted and
// outlined in the accent. A click on the card makes the clip current and
// plays it; a click on the circle only changes the choice.

#include "text/ClipFinder.h"

#include <QAbstractButton>
#include <QWidget>

class QLabel;

namespace vt {
class ShortsPicker;
}

namespace vt::ui {

class ChoiceCircle final : public QAbstractButton {
    Q_OBJECT
public:
    explicit ChoiceCircle(QWidget* parent = nullptr);
    void setChosen(bool chosen);
    QSize sizeHint() const override { return {22, 22}; }

protected:
    void paintEvent(QPaintEvent*) override;
};

class ClipThumbnail final : public QWidget {
    Q_OBJECT
public:
    ClipThumbnail(QString duration, QWidget* parent = nullptr);
    void setPicture(const QImage& picture);
    bool hasPicture() const { return !picture_.isNull(); }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QString duration_;
    QImage picture_;
};

class ClipCard final : public QWidget {
    Q_OBJECT

public:
    ClipCard(ShortsPicker& picker, ClipFinder::Clip clip, int rank, QWidget* parent = nullptr);
    const ClipFinder::Clip& clip() const { return clip_; }
    ChoiceCircle* circle() const { return circle_; }
    ClipThumbnail* thumbnail() const { return thumbnail_; }
    bool isCurrent() const;

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;

private:
    void showChoice();
    void showThumbnail();

    ShortsPicker& picker_;
    ClipFinder::Clip clip_;
    ChoiceCircle* circle_;
    ClipThumbnail* thumbnail_;
};

}  // namespace vt::ui
