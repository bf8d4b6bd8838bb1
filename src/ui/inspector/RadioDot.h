#pragma once
// An 18 by 18 radio indicator: a filled accent circle with a small centre
// dot when on, an outlined circle when off. Takes no clicks of its own.

#include <QWidget>

namespace vt::ui {

class RadioDot : public QWidget {
    Q_OBJECT
public:
    explicit RadioDot(bool on, QWidget* parent = nullptr);
    void setOn(bool on);
    bool isOn() const { return on_; }
    // Draws the dot scaled about its centre; its size stays 18 by 18.
    void setScale(double scale);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool on_;
    double scale_ = 1;
};

}  // namespace vt::ui
