#include "ui/inspector/ValueRow.h"

#include "ui/inspector/KitColors.h"
#include "ui/inspector/KitText.h"
#include "ui/inspector/NumberField.h"
#include "ui/inspector/SettingIcons.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>

#include <algorithm>
#include <cmath>

namespace vt::ui {

namespace {
constexpr int kSliderSteps = 1000;  // a continuous slider over the range
}

ValueRow::ValueRow(const QString& title, Binding<double> value, Options options, std::function<void()> onCommit,
                   QWidget* parent)
    : QWidget(parent), value_(std::move(value)), options_(std::move(options)), onCommit_(std::move(onCommit))
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(12, 3, 12, 3);
    row->setSpacing(8);
    setMinimumHeight(28 + 6);
    setAccessibleName(title);
    const auto hint = SettingIcons::hint(title);

    title_ = kit::label(title, 13, QFont::Normal, kit::ink(), this);
    title_->setToolTip(options_.resetTo ? QStringLiteral("Double-click to reset") : hint.value_or(QString()));
    title_->installEventFilter(this);
    row->addWidget(title_, 1);
    row->addSpacing(0);

    if (options_.slider) {
        slider_ = new QSlider(Qt::Horizontal, this);
        slider_->setRange(0, kSliderSteps);
        slider_->setFixedWidth(92);
        slider_->setAccessibleName(title);
        slider_->setToolTip(hint.value_or(QString()));
        connect(slider_, &QSlider::valueChanged, this, [this](int position) {
            const double value = sliderValue(double(position) / kSliderSteps);
            if (snaps_ && value == value_.get()) return;
            value_.set(value);
            field_->refresh();
            // A key, the wheel or a click on the groove is a whole change;
            // a drag commits when it is let go.
            if (!slider_->isSliderDown() && onCommit_) onCommit_();
        });
        connect(slider_, &QSlider::sliderReleased, this, [this] {
            if (snaps_) refresh();  // the knob settles on the step it wrote
            if (onCommit_) onCommit_();
        });
        row->addWidget(slider_);
    }

    const double scale = options_.scale;
    Binding<double> shown{[this, scale] { return value_.get() * scale; },
                          [this, scale](const double& v) {
                              value_.set(v / scale);
                              refresh();
                          }};
    NumberField::Format format{options_.lower * scale, options_.upper * scale, options_.step, options_.decimals,
                               options_.suffix, options_.signedDisplay};
    field_ = new NumberField(shown, format, 56, title, onCommit_, this);
    row->addWidget(field_);
    refresh();
}

double ValueRow::sliderValue(double fraction) const
{
    const double value = options_.lower + (options_.upper - options_.lower) * fraction;
    if (!snaps_ || options_.step <= 0) return value;
    // Whole steps from the lower end in shown units, rounded to the shown
    // decimals so that 0.2 + 6 × 0.1 reads 0.8 and not a hair above it.
    const double scale = options_.scale;
    const double lower = options_.lower * scale;
    double shown = lower + std::round((value * scale - lower) / options_.step) * options_.step;
    const double places = std::pow(10.0, options_.decimals);
    shown = std::round(shown * places) / places;
    return std::clamp(shown / scale, options_.lower, options_.upper);
}

void ValueRow::refresh()
{
    if (slider_ && !slider_->isSliderDown()) {
        const double span = options_.upper - options_.lower;
        const double fraction = span > 0 ? (value_.get() - options_.lower) / span : 0;
        QSignalBlocker quiet(slider_);
        slider_->setValue(static_cast<int>(std::lround(std::clamp(fraction, 0.0, 1.0) * kSliderSteps)));
    }
    field_->refresh();
}

bool ValueRow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == title_ && event->type() == QEvent::MouseButtonDblClick && options_.resetTo) {
        value_.set(*options_.resetTo);
        refresh();
        if (onCommit_) onCommit_();
        return true;
    }
    return false;
}

}  // namespace vt::ui
