#pragma once
// The large call-to-action button of the welcome, onboarding and home
// screens: title and arrow in white on the accent, 40 points high at least,
// the whole rounded rectangle clickable; hovering shifts the arrow and
// lightens the fill.

#include <QAbstractButton>

#include <functional>

namespace vt {

class PrimaryActionButton : public QAbstractButton {
    Q_OBJECT

public:
    PrimaryActionButton(const QString& title, int minWidth, std::function<void()> action, QWidget* parent = nullptr);

    bool isHovered() const { return hover_; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent*) override;
    void enterEvent(QEnterEvent*) override;
    void leaveEvent(QEvent*) override;

private:
    int minWidth_;
    bool hover_ = false;
};

}  // namespace vt
