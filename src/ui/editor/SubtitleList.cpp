#include "ui/editor/SubtitleList.h"

#include "editor/EditorModel.h"
#include "ui/editor/ScrollFollow.h"
#include "ui/inspector/TimeFormat.h"
#include "ui/theme/Theme.h"

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace vt::ui {
namespace {

QFont lineFont(bool active)
{
    QFont f;
    f.setPointSizeF(15);
    f.setWeight(active ? QFont::Medium : QFont::Normal);
    return f;
}

QString lineText(const CaptionGroup& group)
{
    QStringList texts;
    for (const TimedWord& w : group.words) texts << QString::fromStdString(w.text);
    return texts.join(' ');
}

}  // namespace

SubtitleList::SubtitleList(EditorModel& editor, QWidget* parent) : QAbstractScrollArea(parent), editor_(editor)
{
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TranslucentBackground);
    viewport()->setAutoFillBackground(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    connect(&editor, &EditorModel::groupsChanged, this, [this] {
        updateRange();
        viewport()->update();
    });
    connect(&editor, &EditorModel::activeWordIDChanged, this, [this] {
        viewport()->update();
        const auto active = editor_.activeGroupIndex();
        if (editor_.isPlaying() && active) scrollToRow(*active, true);
    });
    updateRange();
}

double SubtitleList::rowHeight() { return QFontMetricsF(lineFont(true)).height() + 12; }

QRectF SubtitleList::rowRect(int index) const
{
    return {padX, padY + index * (rowHeight() + rowSpacing), viewport()->width() - 2 * padX, rowHeight()};
}

std::optional<int> SubtitleList::rowAt(QPoint viewportPoint) const
{
    const double y = viewportPoint.y() + verticalScrollBar()->value() - padY;
    if (y < 0) return std::nullopt;
    const int index = static_cast<int>(y / (rowHeight() + rowSpacing));
    if (index >= static_cast<int>(editor_.groups().size()) || !rowRect(index).contains(viewportPoint.x(), y + padY))
        return std::nullopt;
    return index;
}

void SubtitleList::updateRange()
{
    const double height = 2 * padY + editor_.groups().size() * (rowHeight() + rowSpacing);
    verticalScrollBar()->setPageStep(viewport()->height());
    verticalScrollBar()->setRange(0, std::max(0, static_cast<int>(std::ceil(height)) - viewport()->height()));
}

void SubtitleList::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    painter.setRenderHint(QPainter::Antialiasing);
    const int top = verticalScrollBar()->value();
    painter.translate(0, -top);
    const auto& groups = editor_.groups();
    const auto active = editor_.activeGroupIndex();
    const int first = std::max(0, static_cast<int>((top - padY) / (rowHeight() + rowSpacing)));
    QFont timeFont;
    timeFont.setPointSizeF(11);
    timeFont.setWeight(QFont::Medium);
    for (int i = first; i < static_cast<int>(groups.size()); ++i) {
        const QRectF row = rowRect(i);
        if (row.top() > top + viewport()->height()) break;
        const bool isActive = active && *active == i;
        if (isActive) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(QColor(Theme::highlight));
            painter.drawRoundedRect(row, 7, 7);
        }
        const QRectF inner = row.adjusted(10, 6, -10, -6);
        painter.setFont(timeFont);
        painter.setPen(QColor(Theme::secondaryText));
        painter.drawText(QRectF(inner.left(), inner.top(), 40, inner.height()), Qt::AlignLeft | Qt::AlignVCenter,
                         formatTime(groups[static_cast<std::size_t>(i)].start));
        const QFont f = lineFont(isActive);
        painter.setFont(f);
        painter.setPen(!active || i <= *active ? QColor(Theme::ink) : QColor(Theme::secondaryText));
        const QRectF textRect(inner.left() + 52, inner.top(), inner.width() - 52, inner.height());
        painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter,
                         QFontMetricsF(f).elidedText(lineText(groups[static_cast<std::size_t>(i)]), Qt::ElideRight,
                                                     textRect.width()));
    }
}

void SubtitleList::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateRange();
}

void SubtitleList::mousePressEvent(QMouseEvent* event)
{
    const auto row = rowAt(event->position().toPoint());
    if (!row || event->button() != Qt::LeftButton) return;
    editor_.seekExactly(editor_.groups()[static_cast<std::size_t>(*row)].start + 0.01);
}

void SubtitleList::showEvent(QShowEvent* event)
{
    QAbstractScrollArea::showEvent(event);
    updateRange();
    if (const auto active = editor_.activeGroupIndex()) scrollToRow(*active, false);
}

void SubtitleList::scrollToRow(int index, bool animated)
{
    scrollToCentre(verticalScrollBar(), rowRect(index).center().y(), viewport()->height(), animated, scroll_);
}

}  // namespace vt::ui
