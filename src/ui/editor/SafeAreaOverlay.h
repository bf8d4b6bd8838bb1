#pragma once
// The places where short-video platforms lay their own controls over a
// video, marked over the preview picture as three red dashed zones: the top
// bar, the caption-and-audio band at the bottom and the buttons column at
// the right. A drawing aid only; it lets every press through to the caption
// words underneath.

#include <QRectF>
#include <QString>
#include <QWidget>

#include <vector>

namespace vt::ui {

class SafeAreaOverlay : public QWidget {
    Q_OBJECT
public:
    struct Zone {
        QString label;
        QRectF rect;  // points of the surface, origin top-left
    };
    explicit SafeAreaOverlay(QWidget* parent = nullptr);
    // The three zones over a surface of this size, in drawing order.
    static std::vector<Zone> zones(QSizeF surface);
    // The surface's rounded corners, which the zones stay inside.
    void setCornerRadius(double radius);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double radius_ = 0;
};

}  // namespace vt::ui
