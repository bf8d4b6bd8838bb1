#pragma once
// The progress of a long job: a title, the percentage when the amount done
// is known (truncated: 0.999 reads 99%), and a bar, or an indeterminate bar.

#include <QWidget>

#include <optional>

class QLabel;
class QProgressBar;

namespace vt::ui {

class ProgressRow : public QWidget {
    Q_OBJECT
public:
    ProgressRow(const QString& title, std::optional<double> value, QWidget* parent = nullptr);
    void setValue(std::optional<double> value);
    // "42%" for 0.427.
    static QString percentText(double value);

    QLabel* percentLabel() const { return percent_; }
    QProgressBar* bar() const { return bar_; }

private:
    QLabel* percent_;
    QProgressBar* bar_;
};

}  // namespace vt::ui
