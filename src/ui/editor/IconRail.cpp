#include "ui/editor/IconRail.h"

#include "app/AppModel.h"
#include "editor/EditorModel.h"
#include "ui/editor/EditorIcons.h"
#include "ui/theme/TextFitting.h"
#include "ui/theme/Theme.h"

#include <QAccessible>
#include <QFontMetricsF>
#include <QPainter>
#include <QVBoxLayout>

namespace vt::ui {

RailItem::RailItem(const QString& title, const QString& symbol, double iconPoints, QWidget* parent)
    : QAbstractButton(parent), symbol_(symbol), iconPoints_(iconPoints)
{
    setText(title);
    setToolTip(title);
    setAccessibleName(title);
    setProperty(fitsOwnTextProperty, true);  // painted smaller, then elided, to the rail's width
    setFixedHeight(44);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
}

void RailItem::setSelected(bool selected)
{
    if (selected == selected_) return;
    selected_ = selected;
    setAccessibleDescription(selected ? tr("selected") : QString());
    update();
}

QColor RailItem::background(bool selected, bool hover)
{
    if (selected) return Theme::selected;
    if (!hover) return Qt::transparent;
    QColor faint = Theme::ink;
    faint.setAlphaF(0.05f);
    return faint;
}

void RailItem::enterEvent(QEnterEvent*)
{
    hover_ = true;
    update();
}

void RailItem::leaveEvent(QEvent*)
{
    hover_ = false;
    update();
}

void RailItem::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (isDown()) painter.setOpacity(0.75);
    painter.setPen(Qt::NoPen);
    painter.setBrush(background(selected_, hover_));
    painter.drawRoundedRect(QRectF(rect()), 8, 8);
    const QColor colour = selected_ ? QColor(Theme::accent) : QColor(Theme::secondaryText);
    // Icon framed 18 high, 3 above the title; the pair is centred.
    QFont f = font();
    f.setPointSizeF(9.5);
    f.setWeight(selected_ ? QFont::DemiBold : QFont::Medium);
    QFontMetricsF metrics(f);
    const double contentWidth = width() - 8;
    // Shrinks to 85 % before it is cut.
    if (metrics.horizontalAdvance(text()) > contentWidth) {
        f.setPointSizeF(9.5 * std::max(0.85, contentWidth / metrics.horizontalAdvance(text())));
        metrics = QFontMetricsF(f);
    }
    const double total = 18 + 3 + metrics.height();
    const double top = (height() - total) / 2;
    EditorIcons::draw(painter, symbol_, QRectF(width() / 2.0 - iconPoints_ / 2, top + 9 - iconPoints_ / 2, iconPoints_, iconPoints_),
                      colour);
    painter.setFont(f);
    painter.setPen(colour);
    painter.drawText(QRectF(4, top + 21, contentWidth, metrics.height()), Qt::AlignHCenter | Qt::AlignVCenter,
                     metrics.elidedText(text(), Qt::ElideRight, contentWidth));
}

IconRail::IconRail(EditorModel& editor, AppModel* app, QWidget* parent) : QWidget(parent), editor_(editor)
{
    setFixedWidth(66);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(4, 6, 4, 6);
    column->setSpacing(2);
    for (const auto& [tab, id] : enumCases(InspectorTab{})) {
        if (tab == InspectorTab::exportTab) continue;
        auto* item = new RailItem(QString::fromUtf8(id.data(), static_cast<int>(id.size())),
                                  QString::fromUtf8(icon(tab).data(), static_cast<int>(icon(tab).size())), 14, this);
        connect(item, &QAbstractButton::clicked, this, [this, t = tab] {
            editor_.setItemInspectorOpen(false);
            editor_.setInspectorTab(t);
        });
        items_.push_back(item);
        column->addWidget(item);
    }
    column->addStretch(1);
    column->addSpacing(8);
    keys_ = new RailItem(tr("Keys"), "keyboard", 13, this);
    keys_->setToolTip(tr("Keyboard shortcuts (Ctrl+/)"));
    connect(keys_, &QAbstractButton::clicked, this, [app] {
        if (app) app->setShowShortcuts(true);
    });
    column->addWidget(keys_);
    connect(&editor, &EditorModel::inspectorTabChanged, this, &IconRail::refresh);
    connect(&editor, &EditorModel::itemInspectorOpenChanged, this, &IconRail::refresh);
    refresh();
}

void IconRail::refresh()
{
    int index = 0;
    for (const auto& [tab, id] : enumCases(InspectorTab{})) {
        if (tab == InspectorTab::exportTab) continue;
        items_[static_cast<std::size_t>(index++)]->setSelected(editor_.inspectorTab() == tab && !editor_.itemInspectorOpen());
    }
}

void IconRail::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(Theme::surface));
    painter.drawRoundedRect(QRectF(rect()), 12, 12);
}

}  // namespace vt::ui
