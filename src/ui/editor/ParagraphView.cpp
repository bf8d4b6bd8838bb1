#include "ui/editor/ParagraphView.h"

#include "editor/EditorModel.h"
#include "ui/inspector/FlowLayout.h"
#include "ui/theme/Motion.h"

#include <QFont>
#include <QFontMetricsF>

#include <algorithm>
#include <functional>

namespace vt::ui {
namespace {

void mix(std::size_t& seed, std::size_t value) { seed ^= value + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2); }

}  // namespace

Paragraph::Range ParagraphView::clamped(Paragraph::Range range, std::size_t count)
{
    return {std::min(range.lower, count), std::min(range.upper, count)};
}

WordChip ParagraphView::chip(const EditorModel& editor, Paragraph::Range range, std::size_t i)
{
    const auto& words = editor.transcript();
    const Word& word = words[i];
    WordChip c = WordChip::of(word);
    const auto group = editor.groupOfWordAt(i);
    const auto active = editor.activeGroupIndex();
    c.inPlayingLine = group && active && *group == *active;
    c.joinsLeft = c.inPlayingLine && i > range.lower && editor.groupOfWordAt(i - 1) == group;
    c.joinsRight = c.inPlayingLine && i + 1 < range.upper && editor.groupOfWordAt(i + 1) == group;
    c.isActive = editor.activeWordID() == word.id;
    c.isSelected = editor.selection().contains(word.id);
    c.trimmed = editor.trimmedWordIDs().contains(word.id);
    c.reduceMotion = Motion::reduced();
    if (editor.brollWordIDs().contains(word.id)) {
        c.marker = WordChip::Marker::broll;
    } else if (word.styleID && editor.project().styleOverrides) {
        const auto& looks = *editor.project().styleOverrides;
        const auto look = looks.find(*word.styleID);
        if (look != looks.end()) {
            c.marker = WordChip::Marker::style;
            c.styleName = QString::fromStdString(look->second.name);
        }
    }
    return c;
}

QSizeF ParagraphView::fieldSize(const QString& draft)
{
    QFont font;
    font.setPointSizeF(15);
    const QFontMetricsF metrics(font);
    return {std::max(metrics.horizontalAdvance(draft) + 22, 44.0) + 8, metrics.height() + 4 + 6};
}

bool ParagraphView::layout(const EditorModel& editor, Paragraph::Range range, double width)
{
    const auto& words = editor.transcript();
    range = clamped(range, words.size());
    const auto& active = editor.activeWordID();
    const auto& editing = editor.editingWordID();
    std::size_t sig = std::hash<double>{}(width);
    mix(sig, range.lower);
    mix(sig, range.upper);
    for (std::size_t i = range.lower; i < range.upper; ++i) {
        const Word& w = words[i];
        mix(sig, std::hash<std::string>{}(w.text));
        mix(sig, (w.emphasized ? 1 : 0) | (w.breakAfter ? 2 : 0) | (active == w.id ? 4 : 0));
        if (editing == w.id) mix(sig, std::hash<std::string>{}(editor.editDraft()) + 7);
    }
    if (laidOut_ && sig == signature_) return false;
    std::vector<QSizeF> sizes;
    sizes.reserve(range.count());
    for (std::size_t i = range.lower; i < range.upper; ++i) {
        if (editing == words[i].id) {
            sizes.push_back(fieldSize(QString::fromStdString(editor.editDraft())));
        } else {
            WordChip c = WordChip::of(words[i]);
            c.isActive = active == words[i].id;
            sizes.push_back(c.size());
        }
    }
    const auto rows = FlowLayout::arrange(width, sizes, 0, lineSpacing);
    rects_.assign(sizes.size(), QRectF());
    height_ = 0;
    for (const auto& row : rows) {
        double x = 0;
        for (int k : row.indices) {
            rects_[static_cast<std::size_t>(k)] = QRectF(QPointF(x, row.y), sizes[static_cast<std::size_t>(k)]);
            x += sizes[static_cast<std::size_t>(k)].width();
        }
        if (!row.indices.empty()) height_ = std::max(height_, row.y + row.height);
    }
    range_ = range;
    signature_ = sig;
    laidOut_ = true;
    return true;
}

std::optional<std::size_t> ParagraphView::indexAt(QPointF point) const
{
    for (std::size_t k = 0; k < rects_.size(); ++k)
        if (rects_[k].contains(point)) return range_.lower + k;
    return std::nullopt;
}

}  // namespace vt::ui
