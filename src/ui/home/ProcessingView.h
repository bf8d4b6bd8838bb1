#pragma once
// The screen of a running import: the poster frame (a placeholder with a
// spinner until there is one), "Captioning your video" and the file name,
// four weighted steps with the current step's percentage and one overall
// bar, the spoken-language note once decided, Cancel (Escape) and the
// privacy line. It reads the application model and writes nothing but the
// cancel of the running import.

#include "app/ProcessingState.h"

#include <QWidget>

#include <array>
#include <optional>

class QLabel;
class QProgressBar;
class QPushButton;

namespace vt {

class AppModel;

class ProcessingView : public QWidget {
    Q_OBJECT

public:
    // How much of the whole import each step stands for.
    static constexpr std::array<double, 4> weights{0.05, 0.10, 0.65, 0.20};
    // The whole import's progress for a step and its fraction, at most 1.
    static double overall(int step, double fraction);
    // The drawn size of a poster: within 420 × 240 keeping its aspect, grown
    // when smaller; none for a poster without width or height.
    static std::optional<QSize> posterSize(QSize pixels);
    // "42%" for the current step's fraction, empty at 0.
    static QString percentText(double fraction);

    explicit ProcessingView(AppModel& app, QWidget* parent = nullptr);

    enum class RowState { done, current, waiting };
    RowState rowState(int row) const;
    QLabel* percentLabel(int row) const { return percents_[row]; }
    QLabel* posterLabel() const { return poster_; }
    QLabel* fileLabel() const { return file_; }
    QLabel* noteLabel() const { return note_; }
    QProgressBar* overallBar() const { return bar_; }
    QPushButton* cancelButton() const { return cancel_; }

private:
    void refresh();

    AppModel& app_;
    QLabel* poster_;
    QWidget* posterSpinner_;
    std::array<QWidget*, 4> spinners_{};
    QLabel* file_;
    std::array<QLabel*, 4> icons_{};
    std::array<QLabel*, 4> labels_{};
    std::array<QLabel*, 4> percents_{};
    QLabel* note_;
    QProgressBar* bar_;
    QPushButton* cancel_;
};

}  // namespace vt
