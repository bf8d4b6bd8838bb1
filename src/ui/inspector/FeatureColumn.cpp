#include "ui/inspector/FeatureColumn.h"

#include "ui/inspector/KitColors.h"
#include "ui/inspector/KitText.h"

#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

namespace vt::ui {

QVBoxLayout* featureColumn(QWidget* panel, const QString& intro)
{
    auto* outer = new QVBoxLayout(panel);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* scroll = new QScrollArea(panel);
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
