#pragma once
// The card look: a rounded rectangle filled with the surface colour over a
// soft shadow, with a hairline border inside its edge. Lay rows into it.

#include <QWidget>

namespace vt::ui {

class PanelCard : public QWidget {
    Q_OBJECT
public:
    explicit PanelCard(double radius, QWidget* parent = nullptr);
    double radius() const { return radius_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double radius_;
};

}  // namespace vt::ui
