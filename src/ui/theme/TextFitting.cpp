#include "ui/theme/TextFitting.h"

#include <QEvent>
#include <QLayout>

#include <cmath>

namespace vt {

ElidedLabel::ElidedLabel(Qt::TextElideMode mode, QWidget* parent) : QLabel(parent), mode_(mode)
{
    setTextFormat(Qt::PlainText);
    setWordWrap(false);
}

void ElidedLabel::setFullText(const QString& text)
{
    full_ = text;
    setToolTip(text);
    elide();
    updateGeometry();
}

QSize ElidedLabel::sizeHint() const
{
    const QMargins m = contentsMargins();
    return {fullWidth() + m.left() + m.right() + 2 * margin(), QLabel::sizeHint().height()};
}

QSize ElidedLabel::minimumSizeHint() const
{
    // Room for an ellipsis and a letter or two.
    return {fontMetrics().horizontalAdvance(QStringLiteral("M\u2026M")), QLabel::minimumSizeHint().height()};
}

int ElidedLabel::fullWidth() const { return int(std::ceil(QFontMetricsF(font()).horizontalAdvance(full_))); }

void ElidedLabel::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    elide();
}

void ElidedLabel::showEvent(QShowEvent* event)
{
    QLabel::showEvent(event);
    elide();
}

void ElidedLabel::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange) elide();
}

// Hidden, the label has no room of its own yet: it holds the whole text.
void ElidedLabel::elide()
{
    if (!isVisible()) {
        if (text() != full_) setText(full_);
        return;
    }
    const int room = contentsRect().width() - 2 * margin();
    // Whole when it has its own width: the elider measures in fractions of
    // a pixel and would shorten a text it was given whole pixels for.
    const QString shown = room >= fullWidth() ? full_ : fontMetrics().elidedText(full_, mode_, std::max(room, 0));
    if (shown != text()) setText(shown);
}

WrapLabel::WrapLabel(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
}

QSize WrapLabel::sizeHint() const
{
    const QMargins m = contentsMargins();
    const QSize line = fontMetrics().size(0, text());
    return {line.width() + m.left() + m.right() + 2 * margin(), line.height() + m.top() + m.bottom() + 2 * margin()};
}

void fitHeightToWidth(QWidget& window)
{
    QLayout* layout = window.layout();
    if (!layout || !layout->hasHeightForWidth()) return;
    layout->activate();
    const int height = layout->totalHeightForWidth(window.width());
    window.setMinimumHeight(height);
    if (window.height() < height) window.resize(window.width(), height);
}

}  // namespace vt
