#pragma once
// A plain button that answers a press by drawing itself at 0.7 opacity. It
// may carry a rounded fill of its own behind the label. A title written
// with menuText() shows its ampersands and grabs no mnemonic key.

#include <QColor>
#include <QPushButton>

#include <optional>

namespace vt::ui {

class PressableButton : public QPushButton {
    Q_OBJECT
public:
    explicit PressableButton(const QString& title, QWidget* parent = nullptr);
    void setFill(std::optional<QColor> fill, double radius);
    void setTextColour(const QColor& colour);
    static double opacity(bool pressed) { return pressed ? 0.7 : 1.0; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<QColor> fill_;
    double radius_ = 0;
    std::optional<QColor> textColour_;
};

}  // namespace vt::ui
