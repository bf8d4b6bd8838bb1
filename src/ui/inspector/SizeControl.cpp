#include "ui/inspector/SizeControl.h"

#include "ui/inspector/KitColors.h"
#include "ui/inspector/NumberField.h"
#include "ui/inspector/PressableButton.h"

#include <QHBoxLayout>
#include <QTimer>

#include <algorithm>

namespace vt::ui {

namespace {

constexpr int kFirstRepeatMs = 400;
constexpr int kRepeatMs = 80;

}  // namespace

SizeControl::SizeControl(Binding<double> value, double lower, double upper, QWidget* parent)
    : QWidget(parent), value_(std::move(value)), lower_(lower), upper_(upper), repeat_(new QTimer(this))
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(4);
    smaller_ = stepButton(QStringLiteral("−"), QStringLiteral("Smaller"), -2);
    field_ = new NumberField(value_, {lower, upper, 2, 0, {}, false}, 52, QStringLiteral("Size"), {}, this);
    bigger_ = stepButton(QStringLiteral("+"), QStringLiteral("Bigger"), 2);
    row->addWidget(smaller_);
    row->addWidget(field_);
    row->addWidget(bigger_);
    connect(repeat_, &QTimer::timeout, this, [this] {
        repeat_->setInterval(kRepeatMs);
        step(heldStep_);
    });
}

double SizeControl::stepped(double value, double step, double lower, double upper)
{
    return std::min(std::max(lower, value + step), upper);
}

PressableButton* SizeControl::stepButton(const QString& glyph, const QString& text, double by)
{
    auto* button = new PressableButton(glyph, this);
    button->setFixedSize(22, 22);
    button->setFill(kit::muted(), 6);
    button->setTextColour(kit::ink());
    QFont f = button->font();
    f.setPointSizeF(10);
    f.setBold(true);
    button->setFont(f);
    button->setToolTip(text);
    button->setAccessibleName(text);
    // One step on press, more while held.
    connect(button, &QAbstractButton::pressed, this, [this, by] {
        heldStep_ = by;
        step(by);
        repeat_->start(kFirstRepeatMs);
    });
    connect(button, &QAbstractButton::released, repeat_, &QTimer::stop);
    return button;
}

void SizeControl::step(double by)
{
    value_.set(stepped(value_.get(), by, lower_, upper_));
    field_->refresh();
}

void SizeControl::refresh() { field_->refresh(); }

}  // namespace vt::ui
