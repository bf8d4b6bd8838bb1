#pragma once
// Three coach cards over the editor, one at a time on a dimmed backdrop,
// each placed near what it talks about. "Skip" and, on the last card,
// "Start Editing" run `done`; "Next" (also Return) moves on. Clicks on the
// backdrop are swallowed. The presenter removes the overlay from `done`.

#include <QWidget>

#include <functional>
#include <string_view>
#include <vector>

class QLabel;
class QPushButton;

namespace vt {

class EditorTips : public QWidget {
    Q_OBJECT

public:
    struct Tip {
        std::string_view title;
        std::string_view text;
        Qt::Alignment place;
    };
    static const std::vector<Tip>& tips();

    EditorTips(std::function<void()> done, QWidget* parent);

    int step() const { return step_; }
    QWidget* card() const { return card_; }
    QString counterText() const;
    QPushButton* forwardButton() const { return forward_; }
    QPushButton* skipButton() const { return skip_; }

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent*) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void forward();
    void showStep(int step);
    void place();

    std::function<void()> done_;
    int step_ = 0;
    QWidget* card_;
    QLabel* counter_;
    QLabel* title_;
    QLabel* text_;
    QWidget* dots_;
    QPushButton* skip_;
    QPushButton* forward_;
};

}  // namespace vt
