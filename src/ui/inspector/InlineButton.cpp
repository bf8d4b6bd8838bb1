#include "ui/inspector/InlineButton.h"

#include "ui/inspector/KitColors.h"

namespace vt::ui {

InlineButton::InlineButton(const QString& title, const QString& icon, bool prominent, std::function<void()> action,
                           QWidget* parent)
    : QPushButton(icon.isEmpty() ? title : icon + QStringLiteral(" ") + title, parent)
{
    QFont f = font();
    f.setPointSizeF(12);
    f.setWeight(QFont::Medium);
    setFont(f);
    setAccessibleName(title);
    if (prominent) {
        Appearances::setColor(this, QPalette::Button, kit::accent());
        Appearances::setColor(this, QPalette::ButtonText, kit::onAccent());
    }
    connect(this, &QPushButton::clicked, this, [action = std::move(action)] {
        if (action) action();
    });
}

}  // namespace vt::ui
