#pragma once
// Shows a player's current picture fitted on black, redrawn at the frame
// rate while visible, with an optional note in its centre. A click reports
// itself.

#include <QImage>
#include <QWidget>

#include <functional>

class QTimer;

namespace vt::ui {

class PlayerPicture final : public QWidget {
    Q_OBJECT

public:
    explicit PlayerPicture(std::function<QImage()> frame, QWidget* parent = nullptr);
    void setNote(const QString& note);
    QString note() const { return note_; }

signals:
    void clicked();

protected:
    // 16:9 at the width it is given.
    void resizeEvent(QResizeEvent*) override;
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void showEvent(QShowEvent*) override;
    void hideEvent(QHideEvent*) override;

private:
    std::function<QImage()> frame_;
    QString note_;
    QTimer* redraw_;
};

}  // namespace vt::ui
