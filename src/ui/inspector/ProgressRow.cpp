#include "ui/inspector/ProgressRow.h"

#include "ui/inspector/KitColors.h"
#include "ui/inspector/KitText.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include <cmath>

namespace vt::ui {

namespace {
constexpr int kBarSteps = 1000;
}

ProgressRow::ProgressRow(const QString& title, std::optional<double> value, QWidget* parent) : QWidget(parent)
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(12, 6, 12, 6);
    column->setSpacing(5);
    auto* line = new QHBoxLayout;
    line->addWidget(kit::label(title, 12, QFont::Normal, kit::secondaryText(), this));
    line->addStretch(1);
    percent_ = kit::label({}, 11, QFont::Normal, kit::secondaryText(), this);
    line->addWidget(percent_);
    column->addLayout(line);
    bar_ = new QProgressBar(this);
    bar_->setTextVisible(false);
    bar_->setMaximumHeight(6);
    column->addWidget(bar_);
    setValue(value);
}

QString ProgressRow::percentText(double value)
{
    return QString::number(static_cast<long long>(std::trunc(value * 100))) + "%";
}

void ProgressRow::setValue(std::optional<double> value)
{
    percent_->setVisible(value.has_value());
    if (value) {
        percent_->setText(percentText(*value));
        bar_->setRange(0, kBarSteps);
        bar_->setValue(static_cast<int>(std::clamp(*value, 0.0, 1.0) * kBarSteps));
    } else {
        bar_->setRange(0, 0);  // indeterminate
    }
}

}  // namespace vt::ui
