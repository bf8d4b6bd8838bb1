#include "ui/inspector/BitrateRow.h"
#include "ui/theme/NumberText.h"

#include "ui/inspector/KitColors.h"
#include "ui/inspector/KitText.h"
#include "ui/inspector/NumberField.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include <cmath>

namespace vt::ui {

namespace {
constexpr int kSteps = 1000;
}

double BitrateRow::position(double mbps, double lower, double upper)
{
    return std::log(mbps / lower) / std::log(upper / lower);
}

double BitrateRow::mbpsAt(double t, double lower, double upper)
{
    return std::round(lower * std::exp(t * std::log(upper / lower)) * 10) / 10;
}

BitrateRow::BitrateRow(Binding<double> mbps, double lower, double upper, QWidget* parent)
    : QWidget(parent), mbps_(std::move(mbps)), lower_(lower), upper_(upper)
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(12, 8, 12, 8);
    column->setSpacing(4);
    auto* top = new QHBoxLayout;
    top->addWidget(kit::label(QStringLiteral("Average Bitrate (Mbps)"), 13, QFont::Normal, kit::ink(), this));
    top->addStretch(1);
    Binding<double> typed{mbps_.get, [this](const double& v) {
                              mbps_.set(v);
                              refresh();
                          }};
    field_ = new NumberField(typed, {lower, upper, 0.5, 1, {}, false}, 64,
                             QStringLiteral("Average bitrate in megabits per second"), {}, this);
    top->addWidget(field_);
    column->addLayout(top);

    slider_ = new QSlider(Qt::Horizontal, this);
    slider_->setRange(0, kSteps);
    slider_->setAccessibleName(QStringLiteral("Average bitrate"));
    connect(slider_, &QSlider::valueChanged, this, [this](int v) {
        mbps_.set(mbpsAt(static_cast<double>(v) / kSteps, lower_, upper_));
        field_->refresh();
    });
    column->addWidget(slider_);

    auto* ends = new QHBoxLayout;
    ends->addWidget(kit::label(fixedText(lower, 1) + QStringLiteral(" Mbps"), 11, QFont::Normal, kit::secondaryText(), this));
    ends->addStretch(1);
    ends->addWidget(kit::label(fixedText(upper, 1) + QStringLiteral(" Mbps"), 11, QFont::Normal, kit::secondaryText(), this));
    column->addLayout(ends);
    refresh();
}

void BitrateRow::refresh()
{
    {
        QSignalBlocker quiet(slider_);
        // Below the lower bound the position is negative: the slider shows its start.
        slider_->setValue(static_cast<int>(std::lround(std::clamp(position(mbps_.get(), lower_, upper_), 0.0, 1.0) * kSteps)));
    }
    field_->refresh();
}

}  // namespace vt::ui
