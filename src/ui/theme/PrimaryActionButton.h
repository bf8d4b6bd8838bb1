#pragma once
// The large call-to-action button of the welcome, onboarding and home
// screens: title and arrow in white on the accent, 40 points high at least,
// the whole rounded rectangle clickable; hovering shifts the arrow and
// lightens the fill, pressing dims the whole button, each easing over 0.15 s.

#include "ui/theme/Tween.h"

#include <QAbstractButton>

#include <functional>

namespace vt {

class PrimaryActionButton : public QAbstractButton {
    Q_OBJECT

public:
    PrimaryActionButton(const QString& title, int minWidth, std::function<void()> action, QWidget* parent = nullptr);

    bool isHovered() const { return hover_; }
    // How far the hover and the press looks have come, 0 to 1.
    double hoverAmount() const;
    double pressAmount() const;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent*) override;
    void enterEvent(QEnterEvent*) override;
    void leaveEvent(QEvent*) override;

private:
    int minWidth_;
    bool hover_ = false;
    Tween* hoverLook_;
    Tween* pressLook_;
};

}  // namespace vt
