#include "ui/editor/WordList.h"

#include "editor/EditorModel.h"
#include "ui/editor/ScrollFollow.h"
#include "ui/editor/InlineWordField.h"
#include "ui/theme/OpenPanel.h"
#include "ui/theme/Motion.h"

#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>
#include <QVariantAnimation>

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace vt::ui {

WordList::WordList(EditorModel& editor, std::function<void()> focusPanel, QWidget* parent)
    : QAbstractScrollArea(parent), editor_(editor), focusPanel_(std::move(focusPanel)),
      chooseFile_([this](const std::string& message, const std::vector<std::string>& patterns) -> std::optional<std::string> {
          QStringList globs;
          for (const std::string& pattern : patterns) globs << QString::fromStdString(pattern);
          const QString path = OpenPanel::chooseFile(this, QString::fromStdString(message),
                                                     tr("Videos and photos (%1)").arg(globs.join(' ')), OpenPanel::Kind::video);
          if (path.isEmpty()) return std::nullopt;
          return path.toStdString();
      })
{
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::NoFocus);
    viewport()->setAutoFillBackground(false);
    setAttribute(Qt::WA_TranslucentBackground);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto refresh = [this] {
        followStrikes();
        relayout();
        viewport()->update();
    };

    for (auto signal : {&EditorModel::paragraphsChanged, &EditorModel::selectionChanged, &EditorModel::groupOfWordChanged,
                        &EditorModel::trimmedWordIDsChanged, &EditorModel::brollWordIDsChanged,
                        &EditorModel::editingWordIDChanged, &EditorModel::editDraftChanged, &EditorModel::projectChanged})
        connect(&editor, signal, this, refresh);
    connect(&editor, &EditorModel::activeWordIDChanged, this, [this, refresh] {
        refresh();
        if (editor_.isPlaying()) followActiveWord(true);
    });
    followStrikes();
    relayout();
}

// Runs after every change the list hears of, so it costs a pass over the
// words: positions are compared while no word came or went, and only an
// edit that moved them looks the old states up by id.
void WordList::followStrikes()
{
    const auto& words = editor_.transcript();
    const auto& trimmed = editor_.trimmedWordIDs();
    std::vector<char> now(words.size());
    for (std::size_t i = 0; i < words.size(); ++i)
        now[i] = words[i].deleted || (!trimmed.empty() && trimmed.contains(words[i].id));
    const bool samePlaces = struckIDs_.size() == words.size()
                         && std::equal(words.begin(), words.end(), struckIDs_.begin(),
                                       [](const Word& w, const Uuid& id) { return w.id == id; });
    StrikeBatch batch{nullptr, {}};
    const auto follow = [&](const Uuid& id, bool before, bool struck) {
        if (before == struck || Motion::reduced()) return;
        const double from = strikeProgress(id).value_or(before ? 1 : 0);
        for (StrikeBatch& older : striking_) older.words.erase(id);
        batch.words[id] = {from, struck ? 1 : 0};
    };
    if (strikesKnown_ && samePlaces) {
        for (std::size_t i = 0; i < words.size(); ++i) follow(words[i].id, struck_[i], now[i]);
    } else if (strikesKnown_) {
        std::unordered_map<Uuid, bool> before;
        before.reserve(struckIDs_.size());
        for (std::size_t i = 0; i < struckIDs_.size(); ++i) before.emplace(struckIDs_[i], struck_[i]);
        for (std::size_t i = 0; i < words.size(); ++i)
            if (const auto it = before.find(words[i].id); it != before.end()) follow(words[i].id, it->second, now[i]);
    }
    if (!samePlaces) {
        struckIDs_.clear();
        struckIDs_.reserve(words.size());
        for (const Word& w : words) struckIDs_.push_back(w.id);
    }
    strikesKnown_ = true;
    struck_ = std::move(now);
    if (batch.words.empty()) return;
    batch.run = new QVariantAnimation(this);
    batch.run->setStartValue(0.0);
    batch.run->setEndValue(1.0);
    batch.run->setDuration(strikeMs);
    batch.run->setEasingCurve(QEasingCurve::OutQuad);
    connect(batch.run, &QVariantAnimation::valueChanged, viewport(), [this] { viewport()->update(); });
    QVariantAnimation* run = batch.run;
    connect(run, &QVariantAnimation::finished, this, [this, run] {
        std::erase_if(striking_, [run](const StrikeBatch& b) { return b.run == run; });
        run->deleteLater();
        viewport()->update();
    });
    striking_.push_back(std::move(batch));
    run->start();
}

std::optional<double> WordList::strikeProgress(const Uuid& id) const
{
    for (const StrikeBatch& batch : striking_) {
        const auto it = batch.words.find(id);
        if (it == batch.words.end()) continue;
        const double t = batch.run->currentValue().toDouble();
        return it->second.first + (it->second.second - it->second.first) * t;
    }
    return std::nullopt;
}

double WordList::strikeOf(std::size_t index) const
{
    const auto& words = editor_.transcript();
    if (index >= words.size()) return 0;
    const Word& w = words[index];
    return strikeProgress(w.id).value_or(w.deleted || editor_.trimmedWordIDs().contains(w.id) ? 1 : 0);
}

void WordList::relayout()
{
    const auto& paragraphs = editor_.paragraphs();
    const double width = std::max(1.0, viewport()->width() - 2 * padX);
    views_.resize(paragraphs.size());
    tops_.resize(paragraphs.size());
    lastRelayouts_ = 0;
    double y = padY;
    for (std::size_t i = 0; i < paragraphs.size(); ++i) {
        if (views_[i].layout(editor_, paragraphs[i].range(), width)) ++lastRelayouts_;
        tops_[i] = y;
        y += views_[i].height() + (i + 1 < paragraphs.size() ? spacing : 0);
    }
    contentHeight_ = y + padY;
    verticalScrollBar()->setPageStep(viewport()->height());
    verticalScrollBar()->setRange(0, std::max(0, static_cast<int>(std::ceil(contentHeight_)) - viewport()->height()));
    syncField();
}

std::optional<std::size_t> WordList::paragraphOf(std::size_t wordIndex) const
{
    const auto& paragraphs = editor_.paragraphs();
    for (std::size_t i = 0; i < paragraphs.size(); ++i)
        if (paragraphs[i].range().contains(wordIndex)) return i;
    return std::nullopt;
}

std::optional<QRectF> WordList::wordRect(std::size_t index) const
{
    const auto p = paragraphOf(index);
    if (!p || *p >= views_.size()) return std::nullopt;
    const ParagraphView& view = views_[*p];
    if (index < view.range().lower || index >= view.range().upper) return std::nullopt;
    return view.rects()[index - view.range().lower].translated(padX, tops_[*p]);
}

std::optional<QPoint> WordList::wordCenter(std::size_t index) const
{
    const auto r = wordRect(index);
    if (!r) return std::nullopt;
    return r->center().toPoint() - QPoint(0, verticalScrollBar()->value());
}

std::optional<std::size_t> WordList::wordAt(QPoint viewportPoint) const
{
    const QPointF p(viewportPoint.x() - padX, viewportPoint.y() + verticalScrollBar()->value());
    auto it = std::upper_bound(tops_.begin(), tops_.end(), p.y());
    if (it == tops_.begin()) return std::nullopt;
    const auto i = static_cast<std::size_t>(std::prev(it) - tops_.begin());
    return views_[i].indexAt(p - QPointF(0, tops_[i]));
}

void WordList::syncField()
{
    const auto& editing = editor_.editingWordID();
    std::optional<QRectF> at;
    if (editing) {
        const auto& words = editor_.transcript();
        for (std::size_t i = 0; i < words.size() && !at; ++i)
            if (words[i].id == *editing) at = wordRect(i);
    }
    if (field_ && (!at || field_->wordID() != *editing)) {
        field_->hide();
        field_->deleteLater();
        field_ = nullptr;
    }
    if (!at) return;
    if (!field_) {
        field_ = new InlineWordField(editor_, *editing, viewport());
        field_->show();
    }
    field_->setGeometry(at->translated(0, -verticalScrollBar()->value()).toRect());
}

void WordList::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    painter.setRenderHint(QPainter::Antialiasing);
    const double top = verticalScrollBar()->value();
    const double bottom = top + viewport()->height();
    painter.translate(padX, -top);
    auto first = std::upper_bound(tops_.begin(), tops_.end(), top);
    std::size_t i = first == tops_.begin() ? 0 : static_cast<std::size_t>(std::prev(first) - tops_.begin());
    const auto& editing = editor_.editingWordID();
    const auto& words = editor_.transcript();
    for (; i < views_.size() && tops_[i] < bottom; ++i) {
        const ParagraphView& view = views_[i];
        for (std::size_t k = 0; k < view.rects().size(); ++k) {
            const std::size_t index = view.range().lower + k;
            const QRectF r = view.rects()[k].translated(0, tops_[i]);
            if (r.bottom() + 4 < top || r.top() > bottom || (editing && words[index].id == *editing)) continue;
            WordChip chip = ParagraphView::chip(editor_, view.range(), index);
            chip.struckAmount = strikeProgress(words[index].id);
            chip.paint(painter, r);
        }
    }
}

void WordList::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    relayout();
}

void WordList::scrollContentsBy(int, int)
{
    syncField();
    viewport()->update();
}

void WordList::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return QAbstractScrollArea::mousePressEvent(event);
    const auto index = wordAt(event->position().toPoint());
    if (!index) return;
    if (focusPanel_) focusPanel_();
    editor_.select(editor_.transcript()[*index].id, event->modifiers());
}

void WordList::mouseDoubleClickEvent(QMouseEvent* event)
{
    const auto index = wordAt(event->position().toPoint());
    if (!index || event->button() != Qt::LeftButton) return;
    editor_.beginEdit(editor_.transcript()[*index].id);
}

QMenu* WordList::contextMenu(std::size_t index)
{
    const Word word = editor_.transcript()[index];
    const Uuid id = word.id;
    const std::set<Uuid> selection = editor_.selection();
    const std::set<Uuid> target = selection.contains(id) ? selection : std::set<Uuid>{id};
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addAction(tr("Edit Word"), this, [this, id] { editor_.beginEdit(id); });
    menu->addAction(word.emphasized ? tr("Remove Emphasis") : tr("Emphasize"), this,
                    [this, id] { editor_.toggleEmphasis({id}); });
    menu->addAction(word.deleted ? tr("Restore") : tr("Cut from Video"), this,
                    [this, target] { editor_.toggleDelete(target); });
    menu->addAction(word.breakAfter ? tr("Remove Caption Break") : tr("New Caption After This Word"), this,
                    [this, id] { editor_.toggleBreak(id); });
    const bool overSelection = selection.contains(id) && selection.size() >= 2;
    menu->addAction((overSelection ? tr("Add B-roll Over Selection") : tr("Add B-roll Over This Word")) + QStringLiteral("…"),
                    this, [this, target] {
                        if (const auto path = EditorModel::pickBRollFile(chooseFile_)) editor_.addBRoll(*path, target);
                    });
    menu->addSeparator();
    menu->addAction(tr("Play From Here"), this, [this, id] {
        editor_.seekToWord(id);
        editor_.togglePlay();
    });
    return menu;
}

void WordList::contextMenuEvent(QContextMenuEvent* event)
{
    const auto index = wordAt(event->pos());
    if (!index) return;
    contextMenu(*index)->popup(event->globalPos());
}

bool WordList::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const auto index = wordAt(help->pos());
        if (!index) {
            QToolTip::hideText();
            return true;
        }
        const auto p = paragraphOf(*index);
        const WordChip c = ParagraphView::chip(editor_, editor_.paragraphs()[*p].range(), *index);
        const auto r = wordRect(*index);
        // The marker line under the chip has its own help.
        const bool onMarker = r && help->pos().y() + verticalScrollBar()->value() > r->bottom() - 3;
        const QString text = onMarker && c.marker != WordChip::Marker::none ? c.markerHelp() : c.helpText();
        QToolTip::showText(help->globalPos(), text, viewport());
        return true;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

void WordList::showEvent(QShowEvent* event)
{
    QAbstractScrollArea::showEvent(event);
    relayout();
    followActiveWord(false);
}

void WordList::followActiveWord(bool animated)
{
    const auto& active = editor_.activeWordID();
    if (!active) return;
    const auto& words = editor_.transcript();
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (words[i].id != *active) continue;
        const auto p = paragraphOf(i);
        const auto line = wordRect(i);
        if (!p || *p >= views_.size() || !line) return;
        // A paragraph that fits is centred whole. In a taller one the spoken
        // word's line stays in view with a line's height to spare.
        const double view = viewport()->height(), height = views_[*p].height();
        const double centre = tops_[*p] + height / 2;
        scrollToCentre(verticalScrollBar(),
                       height <= view ? centre : centreKeeping(centre, line->top(), line->bottom(), line->height(), view),
                       view, animated, scroll_);
        return;
    }
}

}  // namespace vt::ui
