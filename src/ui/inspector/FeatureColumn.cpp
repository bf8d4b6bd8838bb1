#include "ui/inspector/FeatureColumn.h"

#include "ui/inspector/KitColors.h"
#include "ui/inspector/KitText.h"

#include <QEvent>
#include <QLabel>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

namespace vt::ui {

ColumnScrollArea::ColumnScrollArea(QWidget* parent) : QScrollArea(parent) {}

QSize ColumnScrollArea::minimumSizeHint() const
{
    QSize size = QScrollArea::minimumSizeHint();
    if (const QWidget* content = widget()) {
        int needed = content->minimumSizeHint().expandedTo(content->minimumSize()).width() + 2 * frameWidth();
        if (verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff) needed += verticalScrollBar()->sizeHint().width();
        size.setWidth(std::max(size.width(), needed));
    }
    return size;
}

bool ColumnScrollArea::eventFilter(QObject* watched, QEvent* event)
{
    // The content's rows changed: what it cannot do without may have too.
    if (watched == widget() && event->type() == QEvent::LayoutRequest) updateGeometry();
    return QScrollArea::eventFilter(watched, event);
}

QVBoxLayout* featureColumn(QWidget* panel, const QString& intro)
{
    auto* outer = new QVBoxLayout(panel);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* scroll = new ColumnScrollArea(panel);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    outer->addWidget(scroll);
    auto* content = new QWidget(scroll);
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 0, 16);
    column->setSpacing(18);
    if (!intro.isEmpty()) {
        auto* introLabel = kit::label(intro, 12, QFont::Normal, kit::secondaryText(), content);
        introLabel->setWordWrap(true);
        introLabel->setContentsMargins(4, 0, 4, 0);
        column->addWidget(introLabel);
    }
    scroll->setWidget(content);
    return column;
}

QVBoxLayout* rowStack(QWidget* block)
{
    auto* rows = new QVBoxLayout(block);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(0);
    return rows;
}

}  // namespace vt::ui
