#include "ui/inspector/KitText.h"

namespace vt::ui::kit {

namespace {

template <class Colour>
QLabel* makeLabel(const QString& text, double points, QFont::Weight weight, const Colour& colour, QWidget* parent)
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

}  // namespace

QLabel* label(const QString& text, double points, QFont::Weight weight, const DynamicColor& colour, QWidget* parent)
{
    return makeLabel(text, points, weight, colour, parent);
}

QLabel* label(const QString& text, double points, QFont::Weight weight, const QColor& colour, QWidget* parent)
{
    return makeLabel(text, points, weight, colour, parent);
}

ElidedLabel* elidedLabel(Qt::TextElideMode mode, double points, const DynamicColor& colour, QWidget* parent)
{
    auto* label = new ElidedLabel(mode, parent);
    QFont f = label->font();
    f.setPointSizeF(points);
    label->setFont(f);
    setTextColour(label, colour);
    return label;
}

WrapLabel* wrapLabel(const QString& text, double points, QFont::Weight weight, const DynamicColor& colour, QWidget* parent)
{
    auto* label = new WrapLabel(text, parent);
    QFont f = label->font();
    f.setPointSizeF(points);
    f.setWeight(weight);
    label->setFont(f);
    setTextColour(label, colour);
    return label;
}

void setTextColour(QWidget* widget, const DynamicColor& colour)
{
    Appearances::setColor(widget, QPalette::WindowText, colour);
    Appearances::setColor(widget, QPalette::Text, colour);
}

void setTextColour(QWidget* widget, const QColor& colour)
{
    Appearances::setColor(widget, QPalette::WindowText, colour);
    Appearances::setColor(widget, QPalette::Text, colour);
}

}  // namespace vt::ui::kit
