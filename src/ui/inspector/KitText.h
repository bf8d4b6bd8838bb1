#pragma once
// Labels in the kit's fonts and colours. A palette colour keeps following
// the appearance; a fixed colour stays as given.

#include "ui/theme/TextFitting.h"
#include "ui/theme/Theme.h"

#include <QColor>
#include <QFont>
#include <QLabel>

namespace vt::ui::kit {

// A label of the system font at `points` and `weight`, drawn in `colour`.
QLabel* label(const QString& text, double points, QFont::Weight weight, const DynamicColor& colour, QWidget* parent = nullptr);
QLabel* label(const QString& text, double points, QFont::Weight weight, const QColor& colour, QWidget* parent = nullptr);
// One line of the system font at `points`, shortened with an ellipsis
// (where `mode` says) to the room it is given; set it with setFullText.
ElidedLabel* elidedLabel(Qt::TextElideMode mode, double points, const DynamicColor& colour, QWidget* parent = nullptr);
// Text of the system font on one line where it has the room, wrapped
// where it has not.
WrapLabel* wrapLabel(const QString& text, double points, QFont::Weight weight, const DynamicColor& colour, QWidget* parent = nullptr);
// Keeps at least `least` across for a centred glyph, more where its ink
// reaches past its advance (symbol and emoji fallbacks often do).
void reserveGlyph(QLabel& label, int least);
// The side of a round badge holding `label`'s text with room around it:
// `least`, or more where large text makes the text wider.
int badgeSide(const QLabel& label, int least);
void setTextColour(QWidget* widget, const DynamicColor& colour);
void setTextColour(QWidget* widget, const QColor& colour);

}  // namespace vt::ui::kit
