#pragma once
// A small icon button: no padding, a tint only while pressed (ink at 0.14) or
// hovered and enabled (0.08); a disabled one draws its label in the
// secondary colour at half opacity.

#include <QToolButton>

namespace vt::ui {

class ToolbarIconButton : public QToolButton {
    Q_OBJECT
public:
    explicit ToolbarIconButton(const QString& glyph, QWidget* parent = nullptr);
    static QColor background(bool enabled, bool hover, bool pressed);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace vt::ui
