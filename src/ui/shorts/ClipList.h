#pragma once
// The left column of the Shorts picker: while a find runs, its progress;
// with nothing found, an empty state naming the length; otherwise the
// count line and one card per clip, best first, in a scrolling column.

#include <QStackedWidget>

#include <vector>

class QLabel;
class QVBoxLayout;

namespace vt {
class ShortsPicker;
}

namespace vt::ui {

class ClipCard;

class ClipList final : public QStackedWidget {
    Q_OBJECT

public:
    explicit ClipList(ShortsPicker& picker, QWidget* parent = nullptr);
    const std::vector<ClipCard*>& cards() const { return cards_; }
    QLabel* emptyTitle() const { return emptyTitle_; }
    QLabel* countLine() const { return count_; }

private:
    void showState();
    void rebuild();

    ShortsPicker& picker_;
    QWidget* finding_;
    QWidget* empty_;
    QWidget* list_;
    QLabel* emptyTitle_;
    QLabel* count_;
    QVBoxLayout* column_;
    std::vector<ClipCard*> cards_;
};

}  // namespace vt::ui
