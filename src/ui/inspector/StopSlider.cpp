#include "ui/inspector/StopSlider.h"

#include "ui/inspector/KitColors.h"
#include "ui/inspector/KitText.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>

namespace vt::ui {

StopSlider::StopSlider(const QString& title, QStringList labels, Binding<int> index, QWidget* parent)
    : QWidget(parent), labels_(std::move(labels)), index_(std::move(index))
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(12, 8, 12, 8);
    column->setSpacing(4);
    column->addWidget(kit::label(title, 13, QFont::Normal, kit::ink(), this));
    slider_ = new QSlider(Qt::Horizontal, this);
    slider_->setRange(0, static_cast<int>(labels_.size()) - 1);
    slider_->setSingleStep(1);
    slider_->setPageStep(1);
    slider_->setAccessibleName(title);
    connect(slider_, &QSlider::valueChanged, this, [this](int v) {
        index_.set(v);
        refresh();
    });
    column->addWidget(slider_);
    auto* stopsRow = new QHBoxLayout;
    stopsRow->setSpacing(0);
    for (qsizetype i = 0; i < labels_.size(); ++i) {
        auto* stop = kit::label(labels_[i], 11, QFont::Normal, kit::secondaryText(), this);
        const bool first = i == 0, last = i == labels_.size() - 1;
        stop->setAlignment((first ? Qt::AlignLeft : last ? Qt::AlignRight : Qt::AlignHCenter) | Qt::AlignVCenter);
        stop->setCursor(Qt::PointingHandCursor);
        stop->installEventFilter(this);
        stopsRow->addWidget(stop, 1);
        stops_.push_back(stop);
    }
    column->addLayout(stopsRow);
    refresh();
}

void StopSlider::refresh()
{
    const int index = index_.get();
    {
        QSignalBlocker quiet(slider_);
        slider_->setValue(index);
    }
    const int last = static_cast<int>(labels_.size()) - 1;
    slider_->setAccessibleDescription(labels_[std::clamp(index, 0, last)]);
    for (int i = 0; i <= last; ++i) {
        QFont f = stops_[i]->font();
        f.setWeight(i == index ? QFont::DemiBold : QFont::Normal);
        stops_[i]->setFont(f);
        kit::setTextColour(stops_[i], i == index ? kit::ink() : kit::secondaryText());
    }
}

bool StopSlider::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::MouseButtonRelease) return false;
    auto it = std::find(stops_.begin(), stops_.end(), watched);
    if (it == stops_.end()) return false;
    index_.set(static_cast<int>(it - stops_.begin()));
    refresh();
    return true;
}

}  // namespace vt::ui
