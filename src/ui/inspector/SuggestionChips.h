#pragma once
// "From your video" and one chip per word suggested from the transcript,
// in order, wrapping onto as many rows as they need; hidden while there is
// no word. A click on a chip hands its word on. Main thread only.

#include <QWidget>

#include <string>
#include <vector>

class QToolButton;

namespace vt::ui {

class FlowLayout;

class SuggestionChips : public QWidget {
    Q_OBJECT
public:
    explicit SuggestionChips(QWidget* parent = nullptr);

    void setWords(const std::vector<std::string>& words);
    const std::vector<QToolButton*>& chips() const { return chips_; }

signals:
    void chosen(const QString& word);

private:
    QWidget* flowHolder_;
    FlowLayout* flow_;
    std::vector<QToolButton*> chips_;
};

}  // namespace vt::ui
