#include "ui/inspector/DisclosureSection.h"

#include "ui/inspector/KitColors.h"
#include "ui/inspector/KitText.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

namespace vt::ui {

void DisclosureGroup::setExpanded(std::optional<QString> id)
{
    if (id == expanded_) return;
    expanded_ = std::move(id);
    emit expandedChanged();
}

DisclosureSection::DisclosureSection(QString id, const QString& title, const QString& icon, DisclosureGroup& group,
                                     QWidget* parent)
    : QWidget(parent), id_(std::move(id)), title_(title), group_(group)
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    header_ = new QWidget(this);
    header_->setObjectName("header");
    header_->setCursor(Qt::PointingHandCursor);
    header_->setAttribute(Qt::WA_Hover);
    header_->installEventFilter(this);
    auto* row = new QHBoxLayout(header_);
    row->setContentsMargins(12, 4, 12, 4);
    row->setSpacing(10);
    row->addStrut(28);  // at least 28 high inside its margins, taller when large text needs it
    icon_ = kit::label(icon, 12, QFont::Medium, kit::secondaryText(), header_);
    kit::reserveGlyph(*icon_, 18);
    icon_->setAlignment(Qt::AlignCenter);
    row->addWidget(icon_);
    row->addWidget(kit::label(title, 13, QFont::Medium, kit::ink(), header_));
    row->addStretch(1);
    row->addSpacing(8);
    // The summary gives way to the title: it shortens at its end.
    summary_ = kit::elidedLabel(Qt::ElideRight, 11.5, kit::secondaryText(), header_);
    row->addWidget(summary_);
    chevron_ = kit::label(QStringLiteral("›"), 10, QFont::DemiBold, kit::secondaryText(), header_);
    row->addWidget(chevron_);
    column->addWidget(header_);

    body_ = new QWidget(this);
    rows_ = new QVBoxLayout(body_);
    rows_->setContentsMargins(18, 0, 0, 4);
    rows_->setSpacing(0);
    column->addWidget(body_);

    connect(&group_, &DisclosureGroup::expandedChanged, this, &DisclosureSection::sync);
    sync();
}

bool DisclosureSection::isOpen() const { return group_.expanded() == id_; }

void DisclosureSection::setSummary(const QString& summary)
{
    summary_->setFullText(summary);
    sync();
}

void DisclosureSection::addRow(QWidget* row) { rows_->addWidget(row); }

void DisclosureSection::toggle()
{
    group_.setExpanded(isOpen() ? std::nullopt : std::optional(id_));
}

void DisclosureSection::sync()
{
    const bool open = isOpen();
    body_->setVisible(open);
    summary_->setVisible(!open);
    chevron_->setText(open ? QStringLiteral("⌄") : QStringLiteral("›"));
    kit::setTextColour(icon_, open ? kit::ink() : kit::secondaryText());
    header_->setToolTip((open ? QStringLiteral("Hide ") : QStringLiteral("Show ")) + title_.toLower() +
                        QStringLiteral(" settings"));
    header_->setAccessibleName(title_);
    header_->setAccessibleDescription(open ? QStringLiteral("Expanded")
                                           : QStringLiteral("Collapsed, ") + summary_->fullText());
}

bool DisclosureSection::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != header_) return false;
    switch (event->type()) {
    case QEvent::HoverEnter: hover_ = true; header_->update(); break;
    case QEvent::HoverLeave: hover_ = false; header_->update(); break;
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) toggle();
        return true;
    case QEvent::Paint:
        if (hover_) {
            QPainter p(header_);
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(kit::faded(kit::muted(), 0.7)));
            p.drawRoundedRect(QRectF(header_->rect()).adjusted(4, 0, -4, 0), 8, 8);
        }
        break;
    default: break;
    }
    return false;
}

}  // namespace vt::ui
