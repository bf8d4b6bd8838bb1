#pragma once
// A choice among a few labelled stops (resolutions, frame rates): a slider
// that moves in whole steps over the labels, each of which can be clicked.

#include "ui/inspector/Binding.h"

#include <QStringList>
#include <QWidget>

#include <vector>

class QLabel;
class QSlider;

namespace vt::ui {

class StopSlider : public QWidget {
    Q_OBJECT
public:
    // `labels` holds at least one stop.
    StopSlider(const QString& title, QStringList labels, Binding<int> index, QWidget* parent = nullptr);
    void refresh();

    QSlider* slider() const { return slider_; }
    const std::vector<QLabel*>& stopLabels() const { return stops_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QStringList labels_;
    Binding<int> index_;
    QSlider* slider_;
    std::vector<QLabel*> stops_;
};

}  // namespace vt::ui
