#pragma once
// The kit's small numeric entry box: shows a number in a fixed format
// (digits after the point, optional plus sign, optional unit suffix), takes a
// typed number, and steps it with ↑ and ↓ (ten steps with Shift). Every
// committed number is clamped into the range and written only when it
// changes, followed by the commit action, so the owner hears of each
// finished change once.
//
// Return commits and keeps the focus with the text selected; Escape throws
// the typing away, restores the shown value and leaves the field without
// committing; focus leaving the field commits what was typed, but only when
// it differs from what the field showed, so merely visiting the field never
// rewrites a value with more digits than are shown. Main thread only.

#include "ui/inspector/Binding.h"

#include <QLineEdit>

#include <functional>
#include <optional>

namespace vt::ui {

class NumberField : public QLineEdit {
    Q_OBJECT
public:
    struct Format {
        double lower = 0;
        double upper = 1;
        double step = 1;
        int decimals = 0;
        QString suffix;
        bool signedDisplay = false;  // "+" in front of numbers that round to a positive whole number
    };

    NumberField(Binding<double> value, Format format, double width, const QString& label,
                std::function<void()> onCommit = {}, QWidget* parent = nullptr);

    // The display text of a number under the format.
    static QString displayText(double x, const Format& format);
    // A number from typed text: "," counts as ".", everything but digits, "."
    // and "-" is dropped; absent when what is left is no number.
    static std::optional<double> parse(const QString& typed);

    // Shows the bound value again unless the user is typing.
    void refresh();
    void setFormat(Format format);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    Binding<double> value_;
    Format format_;
    std::function<void()> onCommit_;
    QString shown_;  // the display text set last

    void commit(double x);
    void showValue();
    void nudge(int direction, bool bigger);
};

}  // namespace vt::ui
