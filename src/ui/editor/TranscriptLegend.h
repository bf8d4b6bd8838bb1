#pragma once
// The question-mark button of the transcript header that opens a small
// popup explaining the looks of the word chips, each shown on a sample word.

#include "ui/editor/SymbolButton.h"

class QFrame;

namespace vt::ui {

class TranscriptLegend : public SymbolButton {
    Q_OBJECT
public:
    explicit TranscriptLegend(QWidget* parent = nullptr);
    bool isOpen() const;
    QFrame* popup() const { return popup_; }

private:
    QFrame* popup_ = nullptr;
    void toggle();
};

// One sample word of the legend, drawn the way a chip in that state is.
class LegendSample : public QWidget {
    Q_OBJECT
public:
    enum class Kind { line, spoken, cut, picked, broll, style };
    LegendSample(Kind kind, const QString& text, QWidget* parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Kind kind_;
    QString text_;
};

}  // namespace vt::ui
