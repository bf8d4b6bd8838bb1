#pragma once
// Finds text on screen that does not fit where it is drawn: a label or
// button whose text is wider or taller than its own rectangle, or that an
// enclosing widget cuts off at the side. A label that shortens its text
// with an ellipsis to the room it has fits by this measure, so elision on
// purpose passes and only cut-off or overprinted text is reported.

#include <QString>
#include <QStringList>

class QWidget;

namespace vt::test {

// One line per text that does not fit, naming the text, its widget's class
// and what is cut: every visible label and button inside every visible
// window of the application.
QStringList textMisfits();

}  // namespace vt::test
