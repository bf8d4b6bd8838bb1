#include "ui/inspector/NumberField.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QRegularExpression>

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

QString NumberField::text(double x, const Format& format)
{
    const bool plus = format.signedDisplay && std::round(x) != 0;
    const QString pattern = QStringLiteral("%") + (plus ? "+" : "") + "." + QString::number(format.decimals) + "f";
    return QString::asprintf(pattern.toLatin1().constData(), x) + format.suffix;
}

std::optional<double> NumberField::parse(const QString& typed)
{
    QString kept;
    for (QChar c : QString(typed).replace(',', '.'))
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
    shown_ = text(value_.get(), format_);
    setText(shown_);
}

void NumberField::nudge(int direction, bool bigger)
{
    const double start = parse(QLineEdit::text()).value_or(value_.get());
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
        if (auto typed = parse(QLineEdit::text())) commit(*typed);
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
    if (QLineEdit::text() != shown_)
        if (auto typed = parse(QLineEdit::text())) commit(*typed);
    showValue();
    QLineEdit::focusOutEvent(event);
}

}  // namespace vt::ui
