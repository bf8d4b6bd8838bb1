#include "ui/inspector/LineStyleMenu.h"

#include "captions/StyleLibrary.h"
#include "editor/EditorModel.h"
#include "ui/theme/MenuText.h"

#include <QMenu>

namespace vt::ui {

LineStyleMenu::LineStyleMenu(EditorModel& editor, std::set<Uuid> ids, QWidget* parent)
    : QToolButton(parent), editor_(editor), ids_(std::move(ids))
{
    setPopupMode(QToolButton::InstantPopup);
    setAutoRaise(true);
    setToolButtonStyle(Qt::ToolButtonTextOnly);
    setStyleSheet(QStringLiteral("QToolButton::menu-indicator { image: none; width: 0; }"));
    setToolTip(QStringLiteral("Give just these words a caption style of their own"));
    QFont f = font();
    f.setPointSizeF(11.5);
    setFont(f);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setMenu(new QMenu(this));
    rebuildMenu();
    connect(&editor_, &EditorModel::projectChanged, this, &LineStyleMenu::refresh);
    refresh();
}

void LineStyleMenu::setIDs(std::set<Uuid> ids)
{
    ids_ = std::move(ids);
    refresh();
}

QString LineStyleMenu::label() const
{
    const auto shared = editor_.sharedStyle(ids_);
    return shared ? QString::fromStdString(shared->name) : QStringLiteral("Style");
}

void LineStyleMenu::refresh() { setText(QStringLiteral("Aa ") + menuText(label())); }

// The popular list is fixed: saved looks are reached through "More Styles…".
void LineStyleMenu::rebuildMenu()
{
    QMenu* items = menu();
    items->clear();
    items->addAction(QStringLiteral("Same as the Video"), this, [this] { editor_.applyStyle(std::nullopt, ids_); });
    items->addSeparator();
    for (const CaptionStyle& look : StyleLibrary::shared().styles(StyleCategory::popular, ""))
        items->addAction(menuText(QString::fromStdString(look.name)), this, [this, look] { editor_.applyStyle(look, ids_); });
    items->addSeparator();
    items->addAction(QStringLiteral("More Styles…"), this, [this] { editor_.setInspectorTab(InspectorTab::styles); });
}

}  // namespace vt::ui
