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
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override { return width * 9 / 16; }

signals:
    void clicked();

protected:
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
