#pragma once
// A small bordered text button with an optional leading glyph; prominent
// ones are tinted with the accent colour.

#include <QPushButton>

#include <functional>

namespace vt::ui {

class InlineButton : public QPushButton {
    Q_OBJECT
public:
    InlineButton(const QString& title, const QString& icon, bool prominent, std::function<void()> action,
                 QWidget* parent = nullptr);
};

}  // namespace vt::ui
