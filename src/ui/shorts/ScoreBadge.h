#pragma once
// The round gauge of a clip's score (0 to 100) on each clip card: a faint
// track, an arc from the top clockwise in the score's band colour (green
// from 80, amber from 60, else the secondary text colour) and the number.

#include <QWidget>

namespace vt::ui {

class ScoreBadge final : public QWidget {
    Q_OBJECT

public:
    explicit ScoreBadge(int score, QWidget* parent = nullptr);
    int score() const { return score_; }
    static QColor bandColor(int score);
    QSize sizeHint() const override { return {40, 40}; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    int score_;
};

}  // namespace vt::ui
