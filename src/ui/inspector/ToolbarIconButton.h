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
    // What its glyph's ink needs around it, drawn centred; give it a
    // minimum size for the usual look (large text makes it grow).
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace vt::ui
