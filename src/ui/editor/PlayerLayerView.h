#pragma once
// The editor's one player on screen. PlayerFrames takes the picture the
// player shows for its clock on every display tick and hands that same
// image (implicitly shared, never copied) to every PlayerLayerView that
// shows it: the preview and the full-screen window both show the one
// player through it. A view draws the picture aspect-fit on black, scaled
// at paint time, and knows nothing else of the player.
//
// Main thread only.

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace vt::ui {

class PlayerFrames : public QObject {
    Q_OBJECT
public:
    // `current` gives the picture for the player's clock (null before the
    // first is composed); it is asked about 60 times a second.
    explicit PlayerFrames(std::function<QImage()> current, QObject* parent = nullptr);
    // The last picture handed over; a null picture from the player (right
    // after a seek) keeps the previous one up, so a seek never blanks it.
    const QImage& frame() const { return frame_; }
    // Asks the player now, as a display tick does.
    void poll();

signals:
    void frameChanged();

private:
    std::function<QImage()> current_;
    QImage frame_;
    QTimer tick_;
};

class PlayerLayerView : public QWidget {
    Q_OBJECT
public:
    explicit PlayerLayerView(PlayerFrames* frames, QWidget* parent = nullptr);
    // Attaches only when `frames` is not the one already shown, so a redraw
    // with the same player never re-attaches it.
    void setFrames(PlayerFrames* frames);
    PlayerFrames* frames() const { return frames_; }
    // Where the picture lands inside the view (aspect fit); empty without one.
    QRectF pictureRect() const;
    // Corners rounded while drawing (the preview's surface is rounded).
    void setCornerRadius(double radius);
    int attachments() const { return attachments_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPointer<PlayerFrames> frames_;
    QMetaObject::Connection connection_;
    double radius_ = 0;
    int attachments_ = 0;
};

}  // namespace vt::ui
