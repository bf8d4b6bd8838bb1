#include "ui/inspector/KitText.h"

#include <algorithm>

namespace vt::ui::kit {

namespace {

// `label` in the system font at `points` and `weight`, drawn in `colour`.
template <class Label, class Colour>
Label* styled(Label* label, double points, QFont::Weight weight, const Colour& colour)
{
    QFont f = label->font();
    f.setPointSizeF(points);
    f.setWeight(weight);
    label->setFont(f);
    setTextColour(label, colour);
    return label;
}

template <class Colour>
QLabel* makeLabel(const QString& text, double points, QFont::Weight weight, const Colour& colour, QWidget* parent)
{
    QLabel* l = styled(new QLabel(text, parent), points, weight, colour);
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
    return styled(new ElidedLabel(mode, parent), points, QFont::Normal, colour);
}

WrapLabel* wrapLabel(const QString& text, double points, QFont::Weight weight, const DynamicColor& colour, QWidget* parent)
{
    return styled(new WrapLabel(text, parent), points, weight, colour);
}

void reserveGlyph(QLabel& label, int least)
{
    const QFontMetrics m = label.fontMetrics();
    const QRect ink = m.boundingRect(label.text());
    const int advance = m.horizontalAdvance(label.text());
    label.setMinimumWidth(std::max({least, advance - 2 * ink.left(), 2 * (ink.right() + 1) - advance}));
}

int badgeSide(const QLabel& label, int least)
{
    return std::max(least, label.fontMetrics().boundingRect(label.text()).width() + 8);
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
