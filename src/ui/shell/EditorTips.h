#pragma once
// Three coach cards over the editor, one at a time on a dimmed backdrop,
// each placed near what it talks about. "Skip" and, on the last card,
// "Start Editing" run `done`; "Next" (also Return) moves on. Clicks on the
// backdrop are swallowed. The presenter removes the overlay from `done`.
//
// Each step gets a card of its own: the new one fades in growing from 96 %
// while the old one fades out shrinking, with a quick spring-like ease;
// with motion reduced the cards only cross-fade.

#include <QPointer>
#include <QWidget>

#include <functional>
#include <string_view>
#include <vector>

class QLabel;
class QPushButton;
class QVariantAnimation;

namespace vt {

class EditorTips : public QWidget {
    Q_OBJECT

public:
    struct Tip {
        std::string_view icon;  // symbol name
        std::string_view title;
        std::string_view text;
        Qt::Alignment place;
    };
    static const std::vector<Tip>& tips();
    static constexpr int changeMs = 300;

    EditorTips(std::function<void()> done, QWidget* parent);

    int step() const { return step_; }
    // The card of the current step, and the one still leaving (null once gone).
    QWidget* card() const { return card_; }
    QWidget* leavingCard() const { return leaving_; }
    // True while a step change is being drawn.
    bool isChanging() const;
    // How a card is drawn now: its opacity and its scale about its centre.
    static qreal drawnOpacity(const QWidget* card);
    static qreal drawnScale(const QWidget* card);
    QString counterText() const;
    QPushButton* forwardButton() const { return forward_; }
    QPushButton* skipButton() const { return skip_; }

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent*) override;

private:
    void forward();
    void showStep(int step);
    QWidget* makeCard(int step);
    void place(QWidget* card, int step);

    std::function<void()> done_;
    int step_ = 0;
    QWidget* card_ = nullptr;
    QPointer<QWidget> leaving_;
    int leavingStep_ = 0;
    QPointer<QVariantAnimation> change_;
    QLabel* counter_ = nullptr;
    QPushButton* skip_ = nullptr;
    QPushButton* forward_ = nullptr;
};

}  // namespace vt
