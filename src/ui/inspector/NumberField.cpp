#include "ui/inspector/NumberField.h"

#include "ui/theme/NumberText.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace vt::ui {

NumberField::NumberField(Binding<double> value, Format format, double width, const QString& label,
                         std::function<void()> onCommit, QWidget* parent)
    : QLineEdit(parent), value_(std::move(value)), format_(std::move(format)), onCommit_(std::move(onCommit))
{
    setAlignment(Qt::AlignCenter);
    QFont f = font();
    f.setPointSizeF(12);
    f.setWeight(QFont::Medium);
    f.setStyleHint(QFont::Monospace);
    setFont(f);
    setAccessibleName(label);
    setToolTip(QStringLiteral("Type a value, or use ↑ ↓ (Shift for bigger steps)"));
    setFixedSize(static_cast<int>(std::lround(width)), 22);
    showValue();
}

QString NumberField::displayText(double x, const Format& format)
{
    QString out = fixedText(x, std::max(format.decimals, 0));
    if (format.signedDisplay && std::round(x) != 0 && x > 0) out.prepend('+');
    return out + format.suffix;
}

std::optional<double> NumberField::parse(const QString& typed)
{
    QString withPoints = typed;
    withPoints.replace(',', '.');
    QString kept;
    for (QChar c : withPoints)
        if (c.isDigit() && c.unicode() < 128) kept += c;
        else if (c == '.' || c == '-') kept += c;
    static const QRegularExpression number(QStringLiteral("^-?(\\d+\\.?\\d*|\\.\\d+)$"));
    if (!number.match(kept).hasMatch()) return std::nullopt;
    return kept.toDouble();
}

void NumberField::refresh()
{
    if (!hasFocus()) showValue();
}

void NumberField::setFormat(Format format)
{
    format_ = std::move(format);
    refresh();
}

void NumberField::commit(double x)
{
    double v = x > format_.lower ? x : format_.lower;
    if (format_.upper < v) v = format_.upper;
    if (v == value_.get()) return;
    value_.set(v);
    if (onCommit_) onCommit_();
}

void NumberField::showValue()
{
    shown_ = displayText(value_.get(), format_);
    setText(shown_);
}

void NumberField::nudge(int direction, bool bigger)
{
    const double start = parse(text()).value_or(value_.get());
    commit(start + format_.step * direction * (bigger ? 10 : 1));
    showValue();
    selectAll();
}

void NumberField::keyPressEvent(QKeyEvent* event)
{
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    switch (event->key()) {
    case Qt::Key_Up: nudge(+1, shift); return;
    case Qt::Key_Down: nudge(-1, shift); return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (auto typed = parse(text())) commit(*typed);
        showValue();
        selectAll();
        return;
    case Qt::Key_Escape:
        // Restore first, so the end of editing finds nothing typed to commit.
        showValue();
        clearFocus();
        return;
    default: QLineEdit::keyPressEvent(event);
    }
}

void NumberField::focusOutEvent(QFocusEvent* event)
{
    if (text() != shown_)
        if (auto typed = parse(text())) commit(*typed);
    showValue();
    QLineEdit::focusOutEvent(event);
}

}  // namespace vt::ui
