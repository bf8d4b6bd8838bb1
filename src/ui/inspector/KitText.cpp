#include "ui/inspector/KitText.h"

namespace vt::ui::kit {

QLabel* label(const QString& text, double points, QFont::Weight weight, const QColor& colour, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    QFont f = l->font();
    f.setPointSizeF(points);
    f.setWeight(weight);
    l->setFont(f);
    setTextColour(l, colour);
    l->setTextFormat(Qt::PlainText);
    return l;
}

void setTextColour(QWidget* widget, const QColor& colour)
{
    QPalette pal = widget->palette();
    pal.setColor(QPalette::WindowText, colour);
    pal.setColor(QPalette::Text, colour);
    widget->setPalette(pal);
}

}  // namespace vt::ui::kit
