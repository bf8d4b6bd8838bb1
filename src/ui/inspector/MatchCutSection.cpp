#include "ui/inspector/MatchCutSection.h"
#include "ui/theme/MenuText.h"

#include "editor/EditorModel.h"
#include "model/TimeFormat.h"
#include "platform/TextRules.h"
#include "text/PostCopyWriter.h"
#include "ui/inspector/DragTile.h"
#include "ui/inspector/FeaturePanel.h"
#include "ui/inspector/FlowLayout.h"
#include "ui/inspector/InlineButton.h"
#include "ui/inspector/InspectorGroup.h"
#include "ui/inspector/InspectorRow.h"
#include "ui/inspector/KitColors.h"
#include "ui/inspector/KitText.h"
#include "ui/inspector/RowDivider.h"
#include "ui/inspector/RowNote.h"
#include "ui/inspector/SwitchRow.h"
#include "ui/inspector/TimelinePayload.h"
#include "ui/inspector/ValueRow.h"
#include "video/effects/MatchCutRenderer.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QSlider>
#include <QTextBoundaryFinder>
#include <QThreadPool>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

namespace vt::ui {

namespace {

QString text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

constexpr std::array<std::pair<const char*, double>, 3> speeds{{{"Calm", 5}, {"Snappy", 7}, {"Frantic", 11}}};

QString blurb(MatchCut::Style style)
{
    using S = MatchCut::Style;
    switch (style) {
    case S::editorial: return QStringLiteral("Magazine layouts, one highlighted word");
    case S::fonts: return QStringLiteral("A new typeface every cut");
    case S::newspaper: return QStringLiteral("Headlines on newsprint");
    case S::neon: return QStringLiteral("Glowing signs at night");
    case S::signs: return QStringLiteral("Street and road signs");
    case S::notes: return QStringLiteral("Sticky notes, chalk, marker");
    case S::retro: return QStringLiteral("Chrome, arcade, 70s");
    }
    return {};
}

// Up to `count` words the video is about: the post writer's hashtags of the
// kept words, without their "#".
std::vector<std::string> suggestedWords(const std::vector<Word>& words, int count)
{
    return MatchCutRenderer::suggestionsFromHashtags(PostCopyWriter::hashtags(MatchCutRenderer::suggestionText(words), count),
                                                     count);
}

// Rendered preview frames, shared by every section on the main thread, so
// showing a word again (or another section) does not draw it again.
class PreviewCache {
public:
    static PreviewCache& shared()
    {
        static PreviewCache cache;
        return cache;
    }
    static std::string key(const MatchCut& cut, QSize size)
    {
        // Unit separators cannot be typed into the word, so no two cards share a key.
        std::string k = cut.word + '\x1f' + std::string(json::enumText(cut.style)) + '\x1f' + std::to_string(cut.seed) +
                        '\x1f' + std::to_string(size.width()) + 'x' + std::to_string(size.height());
        for (const auto* list : {&cut.keywords, &cut.lines})
            if (*list)
                for (const std::string& entry : **list) k += '\x1e' + entry;
        return k;
    }
    const std::vector<QImage>* find(const std::string& key) const
    {
        const auto it = entries_.find(key);
        return it == entries_.end() ? nullptr : &it->second;
    }
    void store(const std::string& key, std::vector<QImage> frames)
    {
        if (entries_.size() >= limit) entries_.clear();  // a few words' worth; simply start over
        entries_[key] = std::move(frames);
    }

private:
    static constexpr std::size_t limit = 70;
    std::map<std::string, std::vector<QImage>> entries_;
};

// The previews' own workers. The program waits for them as it quits, since
// drawing needs the application's fonts.
QThreadPool& previewPool()
{
    static QThreadPool* pool = [] {
        auto* p = new QThreadPool;
        QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, [p] { p->waitForDone(); });
        return p;
    }();
    return *pool;
}

// The frame every card shows now: six a second from a shared clock, so the
// cards step together and a late card joins the common sequence.
std::size_t frameIndexNow(std::size_t count)
{
    constexpr qint64 referenceDate = 978307200000;  // 1 January 2001, UTC, in ms since 1970
    const double t = double(QDateTime::currentMSecsSinceEpoch() - referenceDate) / 1000.0;
    return count ? static_cast<std::size_t>(std::floor(t * 6)) % count : 0;
}

QToolButton* chip(const QString& title, QWidget* parent)
{
    auto* b = new QToolButton(parent);
    b->setText(title);
    b->setAutoRaise(true);
    QFont f = b->font();
    f.setPointSizeF(11.5);
    f.setWeight(QFont::Medium);
    b->setFont(f);
    return b;
}

void paintChip(QToolButton* b, bool filled, const QColor& fill)
{
    b->setStyleSheet(QStringLiteral("QToolButton { border-radius: 10px; padding: 3px 8px; background: %1; color: %2; }")
                         .arg(filled ? fill.name(QColor::HexArgb) : kit::faded(kit::ink(), 0.07).name(QColor::HexArgb),
                              filled ? kit::onInk().name() : kit::ink().name()));
}

}  // namespace

// One style's card: its frames animated in a 9:16 picture, name and blurb.
class MatchCutCard : public DragTile {
public:
    MatchCutCard(MatchCut::Style style, std::function<void()> pick, QWidget* parent)
        : DragTile({}, std::move(pick), parent), style_(style)
    {
        setToolTip(QStringLiteral("Click to use it, or drag it onto the timeline"));
        setAccessibleName(text(json::enumText(style)) + QStringLiteral(" match cut"));
        setMinimumWidth(10);
        auto* column = new QVBoxLayout(this);
        column->setContentsMargins(0, 0, 0, 0);
        column->setSpacing(5);
        picture_ = new QWidget(this);
        picture_->setAttribute(Qt::WA_TransparentForMouseEvents);
        column->addWidget(picture_);
        column->addWidget(kit::label(text(json::enumText(style)), 11.5, QFont::DemiBold, kit::ink(), this));
        auto* about = kit::label(blurb(style), 10, QFont::Normal, kit::secondaryText(), this);
        about->setWordWrap(true);
        column->addWidget(about);
        for (auto* child : findChildren<QWidget*>()) child->setAttribute(Qt::WA_TransparentForMouseEvents);
        picture_->installEventFilter(this);
        timer_.setInterval(1000 / 6);
        connect(&timer_, &QTimer::timeout, picture_, qOverload<>(&QWidget::update));
    }
    MatchCut::Style style() const { return style_; }
    bool selected() const { return selected_; }
    std::size_t frameCount() const { return frames_.size(); }
    void setFrames(std::vector<QImage> frames)
    {
        frames_ = std::move(frames);
        // The animation pauses while there is nothing to show.
        if (frames_.empty()) timer_.stop();
        else if (!timer_.isActive()) timer_.start();
        picture_->update();
    }
    void setSelected(bool on)
    {
        selected_ = on;
        picture_->update();
    }
    int heightForWidth(int width) const override { return width * 16 / 9 + 40; }
    bool hasHeightForWidth() const override { return true; }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        picture_->setFixedHeight(std::lround(picture_->width() / 0.5625));
        DragTile::resizeEvent(event);
    }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == picture_ && event->type() == QEvent::Paint) {
            paintPicture();
            return true;
        }
        if (watched == picture_ && event->type() == QEvent::Resize)
            picture_->setFixedHeight(std::lround(picture_->width() / 0.5625));
        return false;
    }

private:
    MatchCut::Style style_;
    QWidget* picture_;
    std::vector<QImage> frames_;
    bool selected_ = false;
    QTimer timer_;

    void paintPicture()
    {
        QPainter p(picture_);
        const QRectF box(picture_->rect());
        if (frames_.empty()) {
            // Still rendering: a muted card with a mark in place of a spinner.
            p.setRenderHint(QPainter::Antialiasing);
            QPainterPath shape;
            shape.addRoundedRect(box, 8, 8);
            p.fillPath(shape, kit::muted());
            p.setPen(kit::secondaryText());
            p.drawText(box, Qt::AlignCenter, QStringLiteral("…"));
        }
        paintPictureTile(p, box, frames_.empty() ? nullptr : &frames_[frameIndexNow(frames_.size())], selected_);
    }
};

MatchCutSection::MatchCutSection(EditorModel& editor, QWidget* parent) : QWidget(parent), editor_(editor)
{
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    parts_.count = kit::label({}, 11, QFont::Medium, kit::secondaryText());
    parts_.group = new InspectorGroup(QStringLiteral("MATCH CUT"), parts_.count, this);
    outer->addWidget(parts_.group);
    parts_.group->addRow(buildSearch());
    parts_.group->addRow(buildSuggestions());
    parts_.group->addRow(buildPlacedRow());
    parts_.group->addRow(buildStyles());
    parts_.group->addRow(buildEditor());
    parts_.group->addRow(buildShowTimeline());

    // Coming on screen picks the match cut at the playhead; done once the
    // section is in place, as selecting can make the inspector look again.
    QTimer::singleShot(0, this, [this] { appear(); });

    connect(&editor_, &EditorModel::timelineSelectionChanged, this, &MatchCutSection::selectionChanged);
    // The playhead moves twenty times a second while playing: it changes only the note.
    connect(&editor_, &EditorModel::currentTimeChanged, this, [this] { refreshPickNote(); });
    for (auto signal : {&EditorModel::placedMatchCutsChanged, &EditorModel::projectChanged,
                        &EditorModel::transcriptModeChanged, &EditorModel::timelineSelectionChanged})
        connect(&editor_, signal, this, &MatchCutSection::refresh);
    refresh();
}

void MatchCutSection::appear()
{
    // Read once each time the section comes on screen; later transcript
    // edits leave them as they are.
    const auto& words = editor_.project().words;
    suggestions_ = suggestedWords(words, 6);
    context_ = {suggestedWords(words, 10), MatchCutRenderer::contextLines(PostCopyWriter::sentences(words))};
    clearLayout(suggestionFlow_);
    parts_.suggestionChips.clear();
    auto* holder = suggestionFlow_->parentWidget();
    suggestionFlow_->addWidget(kit::label(QStringLiteral("From your video"), 11, QFont::Normal, kit::secondaryText(), holder));
    for (const std::string& suggestion : suggestions_) {
        const QString word = QString::fromStdString(suggestion);
        auto* b = chip(word, holder);
        paintChip(b, false, kit::ink());
        connect(b, &QToolButton::clicked, this, [this, word] {
            parts_.search->setText(word);
            show(word);
        });
        suggestionFlow_->addWidget(b);
        parts_.suggestionChips.push_back(b);
    }
    parts_.suggestions->setVisible(!suggestions_.empty());

    if (!editor_.selectedMatchCut()) {
        const auto& placed = editor_.placedMatchCuts();
        const PlacedMatchCut* pickable = nullptr;
        for (const PlacedMatchCut& p : placed)
            if (p.start <= editor_.currentTime() + 0.05) pickable = &p;
        if (!pickable && !placed.empty()) pickable = &placed.front();
        if (pickable && pickable->cut.id)
            editor_.setTimelineSelection(TimelineItem{TimelineItem::Kind::matchCut, *pickable->cut.id});
    }
    selectionChanged();
    refresh();
}

QWidget* MatchCutSection::buildSearch()
{
    auto* holder = new QWidget(this);
    auto* outer = new QHBoxLayout(holder);
    outer->setContentsMargins(12, 8, 12, 8);
    auto* field = new QWidget(holder);
    field->setObjectName(QStringLiteral("matchCutSearch"));
    field->setStyleSheet(QStringLiteral("#matchCutSearch { border-radius: 8px; background: %1; }")
                             .arg(kit::faded(kit::ink(), 0.05).name(QColor::HexArgb)));
    auto* row = new QHBoxLayout(field);
    row->setContentsMargins(10, 7, 10, 7);
    row->setSpacing(8);
    row->addWidget(kit::label(QStringLiteral("🔍"), 13, QFont::Normal, kit::secondaryText(), field));
    parts_.search = new QLineEdit(field);
    parts_.search->setFrame(false);
    parts_.search->setPlaceholderText(QStringLiteral("Type a word to match cut"));
    parts_.search->setStyleSheet(QStringLiteral("background: transparent;"));
    row->addWidget(parts_.search, 1);
    parts_.clear = new QToolButton(field);
    parts_.clear->setText(QStringLiteral("✕"));
    parts_.clear->setAutoRaise(true);
    parts_.clear->setToolTip(QStringLiteral("Clear"));
    parts_.clear->setAccessibleName(QStringLiteral("Clear"));
    row->addWidget(parts_.clear);
    outer->addWidget(field);
    connect(parts_.search, &QLineEdit::returnPressed, this, [this] { show(parts_.search->text()); });
    connect(parts_.search, &QLineEdit::textChanged, this, [this] { parts_.clear->setVisible(!parts_.search->text().isEmpty()); });
    connect(parts_.clear, &QToolButton::clicked, this, [this] {
        parts_.search->clear();
        shownWord_.clear();  // the cards go; the previews stay
        refresh();
    });
    parts_.clear->setVisible(false);
    return holder;
}

QWidget* MatchCutSection::buildSuggestions()
{
    parts_.suggestions = new QWidget(this);
    auto* padding = new QVBoxLayout(parts_.suggestions);
    padding->setContentsMargins(12, 0, 12, 8);
    auto* flowHolder = new QWidget(parts_.suggestions);
    suggestionFlow_ = new FlowLayout(6, 6, flowHolder);
    suggestionFlow_->setContentsMargins(0, 0, 0, 0);
    padding->addWidget(flowHolder);
    parts_.suggestions->setVisible(false);
    return parts_.suggestions;
}

QWidget* MatchCutSection::buildPlacedRow()
{
    parts_.placedRow = new QWidget(this);
    auto* column = columnUnderDivider(parts_.placedRow);
    // The flow places its chips edge to edge; the padding is the holder's.
    auto* padded = new QWidget(parts_.placedRow);
    auto* padding = new QVBoxLayout(padded);
    padding->setContentsMargins(12, 8, 12, 8);
    auto* flowHolder = new QWidget(padded);
    placedFlow_ = new FlowLayout(6, 6, flowHolder);
    placedFlow_->setContentsMargins(0, 0, 0, 0);
    padding->addWidget(flowHolder);
    column->addWidget(padded);
    return parts_.placedRow;
}

QWidget* MatchCutSection::buildStyles()
{
    auto* holder = new QWidget(this);
    auto* column = rowStack(holder);
    parts_.introNote = new RowNote(QStringLiteral("The word stays locked in place while its typeface, color and setting "
                                                  "change on every cut. Open the video with it, or drop it in the middle "
                                                  "to start a new part."),
                                   holder);
    parts_.introNote->setContentsMargins(parts_.introNote->contentsMargins() + QMargins(0, 2, 0, 0));
    column->addWidget(parts_.introNote);

    parts_.styles = new QWidget(holder);
    auto* inner = columnUnderDivider(parts_.styles);
    parts_.pickNote = new RowNote({}, parts_.styles);
    parts_.pickNote->setContentsMargins(parts_.pickNote->contentsMargins() + QMargins(0, 6, 0, 0));
    inner->addWidget(parts_.pickNote);
    auto* gridHolder = new QWidget(parts_.styles);
    auto* grid = new QGridLayout(gridHolder);
    grid->setContentsMargins(12, 10, 12, 10);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(10);
    int i = 0;
    for (const auto& [style, name] : enumCases(MatchCut::Style{})) {
        auto* card = new MatchCutCard(style, [this, style = style] { pick(style, editor_.selectedMatchCut()); }, gridHolder);
        grid->addWidget(card, i / 3, i % 3, Qt::AlignTop);
        styleCards_.push_back(card);
        parts_.cards.push_back(card);
        ++i;
    }
    for (int c = 0; c < 3; ++c) grid->setColumnStretch(c, 1);
    inner->addWidget(gridHolder);
    column->addWidget(parts_.styles);
    return holder;
}

QWidget* MatchCutSection::buildEditor()
{
    parts_.editor = new QWidget(this);
    auto* column = columnUnderDivider(parts_.editor);

    auto* start = new QWidget(parts_.editor);
    auto* startRow = new QHBoxLayout(start);
    startRow->setContentsMargins(0, 0, 0, 0);
    startRow->setSpacing(6);
    parts_.startsAt = kit::label({}, 12, QFont::Medium, kit::ink(), start);
    startRow->addWidget(parts_.startsAt);
    parts_.move = new QToolButton(start);
    parts_.move->setText(QStringLiteral("↔"));
    parts_.move->setAutoRaise(true);
    parts_.move->setAccessibleName(QStringLiteral("Move the match cut"));
    parts_.move->setToolTip(QStringLiteral("Move it: the start, the playhead, or when the word is said. Or drag it on the timeline."));
    parts_.move->setPopupMode(QToolButton::InstantPopup);
    moveMenu_ = new QMenu(parts_.move);
    parts_.move->setMenu(moveMenu_);
    connect(moveMenu_, &QMenu::aboutToShow, this, &MatchCutSection::fillMoveMenu);
    startRow->addWidget(parts_.move);
    column->addWidget(new InspectorRow(QStringLiteral("Starts at"), {}, start, parts_.editor));

    auto* speedBox = new QWidget(parts_.editor);
    auto* speedRow = new QHBoxLayout(speedBox);
    speedRow->setContentsMargins(0, 0, 0, 0);
    speedRow->setSpacing(0);
    for (const auto& [label, rate] : speeds) {
        auto* b = new QToolButton(speedBox);
        b->setText(QString::fromUtf8(label));
        b->setCheckable(true);
        connect(b, &QToolButton::clicked, this, [this, rate = rate] {
            // Picking the speed it already has changes nothing, so it must not
            // record an undo step (that would drop the redo history).
            const auto cut = editor_.selectedMatchCut();
            if (cut && cut->cutsPerSecond == rate) refreshEditor();
            else update([rate](MatchCut& c) { c.cutsPerSecond = rate; });
        });
        speedRow->addWidget(b);
        parts_.speeds.push_back(b);
    }
    column->addWidget(new InspectorRow(QStringLiteral("Speed"), {}, speedBox, parts_.editor));

    ValueRow::Options lengthOptions{0.5, 6, 0.5, 1, QStringLiteral(" s"), 1, true, false, 2.0};
    Binding<double> length{[this] {
                               const auto cut = editor_.selectedMatchCut();
                               return cut ? cut->duration : 2.0;
                           },
                           [this](const double& value) {
                               // One undo step per finished edit: a slider drag
                               // records its step when it starts.
                               update([value](MatchCut& c) { c.duration = value; }, !lengthDrag_);
                               if (parts_.length->slider() && parts_.length->slider()->isSliderDown()) lengthDrag_ = true;
                           }};
    parts_.length = new ValueRow(QStringLiteral("Length"), length, lengthOptions, [this] { lengthDrag_ = false; }, parts_.editor);
    parts_.length->setSliderSnaps(true);
    column->addWidget(parts_.length);

    Binding<bool> ticks{[this] {
                            const auto cut = editor_.selectedMatchCut();
                            return cut && cut->ticks;
                        },
                        [this](const bool& on) { update([on](MatchCut& c) { c.ticks = on; }); }};
    parts_.ticks = new SwitchRow(QStringLiteral("Tick on every cut"), ticks, {}, parts_.editor);
    column->addWidget(parts_.ticks);

    auto* footer = new QWidget(parts_.editor);
    auto* footerRow = new QHBoxLayout(footer);
    footerRow->setContentsMargins(12, 8, 12, 8);
    footerRow->setSpacing(8);
    parts_.summary = kit::label({}, 12, QFont::Normal, kit::secondaryText(), footer);
    footerRow->addWidget(parts_.summary);
    footerRow->addStretch(1);
    auto* shuffleButton = new InlineButton(QStringLiteral("Shuffle"), QStringLiteral("⤮"), false, [this] { shuffle(); }, footer);
    shuffleButton->setToolTip(QStringLiteral("New typefaces, colors and materials"));
    footerRow->addWidget(shuffleButton);
    footerRow->addWidget(new InlineButton(QStringLiteral("Remove"), QStringLiteral("🗑"), false, [this] {
        const auto cut = editor_.selectedMatchCut();
        if (cut && cut->id) editor_.remove(TimelineItem{TimelineItem::Kind::matchCut, *cut->id});
    }, footer));
    column->addWidget(footer);
    return parts_.editor;
}

QWidget* MatchCutSection::buildShowTimeline()
{
    parts_.showTimelineRow = new QWidget(this);
    auto* column = columnUnderDivider(parts_.showTimelineRow);
    auto* line = new QWidget(parts_.showTimelineRow);
    auto* row = new QHBoxLayout(line);
    row->setContentsMargins(12, 8, 12, 8);
    row->setSpacing(8);
    auto* note = kit::label(QStringLiteral("Move it and see it in time on the timeline."), 11.5, QFont::Normal,
                            kit::secondaryText(), line);
    note->setWordWrap(true);
    row->addWidget(note, 1);
    row->addSpacing(4);
    row->addWidget(new InlineButton(QStringLiteral("Show Timeline"), QStringLiteral("▭"), false,
                                    [this] { editor_.setTranscriptMode(TranscriptMode::timeline); }, line));
    column->addWidget(line);
    return parts_.showTimelineRow;
}

void MatchCutSection::waitForPreviews() { previewPool().waitForDone(); }

QSize MatchCutSection::previewSize(OutputAspect aspect)
{
    const Size canvas = renderSize(aspect);
    const double r = canvas.width / canvas.height;
    const int width = r < 1 ? static_cast<int>(std::lround(r * 240)) : 240;
    const int height = static_cast<int>(std::lround(240 / std::max(r, 1.0)));
    return {width, height};
}

QString MatchCutSection::countText(std::size_t placed)
{
    if (placed == 0) return {};
    if (placed == 1) return QStringLiteral("✓ On");
    return QStringLiteral("✓ %1 on timeline").arg(placed);
}

MatchCut MatchCutSection::templateCut(MatchCut::Style style) const
{
    MatchCut cut;
    cut.word = shownWord_.toStdString();
    cut.style = style;
    cut.seed = seed_;
    cut.duration = 2;
    cut.cutsPerSecond = 7;
    cut.ticks = true;
    cut.keywords = context_.first;
    cut.lines = context_.second;
    return cut;
}

void MatchCutSection::show(const QString& word)
{
    // Spaces, tabs and line breaks at both ends go.
    const std::string trimmed = word.trimmed().toStdString();
    if (trimmed.empty()) return;
    // At most 24 user-perceived characters.
    const QString whole = QString::fromStdString(trimmed);
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, whole);
    QString kept = whole;
    for (int count = 0; graphemes.toNextBoundary() >= 0;)
        if (++count == 24) {
            kept = whole.left(graphemes.position());
            break;
        }
    shownWord_ = kept;
    renderPreviews();
    refresh();
}

void MatchCutSection::load(const std::optional<MatchCut>& cut)
{
    if (!cut) return;
    parts_.search->setText(QString::fromStdString(cut->word));
    seed_ = cut->seed;
    show(QString::fromStdString(cut->word));
}

void MatchCutSection::renderPreviews()
{
    previews_.clear();
    const QSize size = previewSize(editor_.project().aspect);
    for (const auto& [style, name] : enumCases(MatchCut::Style{})) {
        const MatchCut cut = templateCut(style);
        const std::string key = PreviewCache::key(cut, size);
        if (const auto* cached = PreviewCache::shared().find(key)) {
            previews_[style] = *cached;
            continue;
        }
        QPointer<MatchCutSection> self(this);
        previewPool().start([self, cut, size, key, word = shownWord_, seed = seed_] {
            auto frames = MatchCutRenderer::previewFrames(cut, size);
            QMetaObject::invokeMethod(
                QCoreApplication::instance(),
                [self, frames = std::move(frames), key, word, seed, style = cut.style]() mutable {
                    PreviewCache::shared().store(key, frames);
                    // A result for a word or seed no longer shown is dropped.
                    if (!self || self->shownWord_ != word || self->seed_ != seed) return;
                    self->previews_[style] = std::move(frames);
                    self->refresh();
                },
                Qt::QueuedConnection);
        });
    }
}

void MatchCutSection::selectionChanged()
{
    const auto cut = editor_.selectedMatchCut();
    if (cut && (QString::fromStdString(cut->word) != shownWord_ || cut->seed != seed_)) load(cut);
}

void MatchCutSection::refresh()
{
    const auto& placed = editor_.placedMatchCuts();
    const auto selected = editor_.selectedMatchCut();
    parts_.count->setText(countText(placed.size()));
    parts_.clear->setVisible(!parts_.search->text().isEmpty());
    refreshPlaced();

    const bool showingWord = !shownWord_.isEmpty();
    parts_.styles->setVisible(showingWord);
    parts_.introNote->setVisible(!showingWord && placed.empty());
    if (showingWord) {
        refreshPickNote();
        for (MatchCutCard* card : styleCards_) {
            const auto it = previews_.find(card->style());
            card->setFrames(it == previews_.end() ? std::vector<QImage>{} : it->second);
            card->setSelected(selected && selected->style == card->style() &&
                              QString::fromStdString(selected->word) == shownWord_ && selected->seed == seed_);
            card->setPayload(matchCutPayload(card->style(), seed_, shownWord_));
        }
    }
    refreshEditor();
    parts_.showTimelineRow->setVisible(editor_.transcriptMode() != TranscriptMode::timeline);
}

void MatchCutSection::refreshPickNote()
{
    const double now = editor_.currentTime();
    parts_.pickNote->setVisible(!editor_.selectedMatchCut());
    parts_.pickNote->setText(
        now < 0.3 ? QStringLiteral("Pick a style to open the video with it, or drag one onto the timeline to place it anywhere.")
                  : QStringLiteral("Pick a style to add a match cut at the playhead (%1), or drag one onto the timeline.")
                        .arg(QString::fromStdString(formatTimecode(now))));
}

void MatchCutSection::refreshPlaced()
{
    const auto& placed = editor_.placedMatchCuts();
    parts_.placedRow->setVisible(!placed.empty());
    clearLayout(placedFlow_);
    parts_.chips.clear();
    auto* holder = placedFlow_->parentWidget();
    placedFlow_->addWidget(kit::label(QStringLiteral("On the timeline"), 11, QFont::Normal, kit::secondaryText(), holder));
    const auto selected = editor_.selectedMatchCut();
    const std::optional<Uuid> selectedID = selected ? selected->id : std::nullopt;
    for (const PlacedMatchCut& p : placed) {
        const bool isSelected = p.cut.id && selectedID && *p.cut.id == *selectedID;
        auto* b = chip(QString::fromStdString(formatTimecode(p.start)) + QStringLiteral("  ") + QString::fromStdString(p.cut.word),
                       holder);
        b->setToolTip(QStringLiteral("Edit this match cut"));
        paintChip(b, isSelected, kit::accent());
        connect(b, &QToolButton::clicked, this, [this, id = p.cut.id, start = p.start] {
            if (id) editor_.setTimelineSelection(TimelineItem{TimelineItem::Kind::matchCut, *id});
            editor_.seekExactly(start);
        });
        placedFlow_->addWidget(b);
        parts_.chips.push_back(b);
    }
    parts_.newChip = chip(QStringLiteral("+ New"), holder);
    parts_.newChip->setToolTip(QStringLiteral("Add another match cut at the playhead"));
    paintChip(parts_.newChip, !selected, kit::ink());
    connect(parts_.newChip, &QToolButton::clicked, this, [this] {
        editor_.setTimelineSelection(std::nullopt);
        const auto& all = editor_.placedMatchCuts();
        if (shownWord_.isEmpty() && !all.empty()) {
            const QString word = QString::fromStdString(all.back().cut.word);
            parts_.search->setText(word);
            show(word);
        }
    });
    placedFlow_->addWidget(parts_.newChip);
}

void MatchCutSection::refreshEditor()
{
    const auto cut = editor_.selectedMatchCut();
    parts_.editor->setVisible(cut && cut->id);
    if (!cut || !cut->id) return;
    const auto span = editor_.span(TimelineItem{TimelineItem::Kind::matchCut, *cut->id});
    parts_.startsAt->setText(QString::fromStdString(formatTimecode(span ? span->first : 0)));
    for (std::size_t i = 0; i < speeds.size(); ++i) parts_.speeds[i]->setChecked(cut->cutsPerSecond == speeds[i].second);
    parts_.length->refresh();
    parts_.ticks->refresh();
    parts_.summary->setText(QStringLiteral("“") + QString::fromStdString(cut->word) + QStringLiteral("” · ") +
                            text(json::enumText(cut->style)));
}

void MatchCutSection::fillMoveMenu()
{
    moveMenu_->clear();
    const auto cut = editor_.selectedMatchCut();
    if (!cut || !cut->id) return;
    const TimelineItem item{TimelineItem::Kind::matchCut, *cut->id};
    const auto span = editor_.span(item);
    const double start = span ? span->first : 0;
    const double duration = cut->duration;
    auto moveTo = [this, item, duration](double t, bool seek) {
        editor_.setSpan(item, t, duration, true);
        if (seek) editor_.seekExactly(t);
    };
    moveMenu_->addAction(QStringLiteral("Start of the Video"), this, [moveTo] { moveTo(0, true); });
    const double now = editor_.currentTime();
    moveMenu_->addAction(QStringLiteral("At the Playhead (%1)").arg(QString::fromStdString(formatTimecode(now))), this,
                         [moveTo, now] { moveTo(now, false); });
    if (const auto said = spokenTime(cut->word, start))
        moveMenu_->addAction(menuText(QStringLiteral("When “%1” Is Said (%2)")
                                          .arg(QString::fromStdString(cut->word), QString::fromStdString(formatTimecode(*said)))),
                             this, [moveTo, t = *said] { moveTo(t, true); });
}

std::optional<double> MatchCutSection::spokenTime(const std::string& word, double after) const
{
    const auto key = [](const std::string& s) { return text::lowercased(text::trimPunctuation(text::trimWhitespace(s))); };
    std::string first;
    for (const QString& piece : QString::fromStdString(word).split(' ', Qt::SkipEmptyParts)) {
        first = piece.toStdString();
        break;
    }
    if (first.empty()) return std::nullopt;
    const std::string wanted = key(first);
    std::vector<double> starts;
    for (const TimedWord& w : editor_.timedWords())
        if (key(w.text) == wanted) starts.push_back(w.start);
    if (starts.empty()) return std::nullopt;
    for (double s : starts)
        if (s > after + 0.05) return s;
    return starts.front();
}

void MatchCutSection::pick(MatchCut::Style style, const std::optional<MatchCut>& editing)
{
    double t = 0;
    if (editing && editing->id) {
        const std::string word = shownWord_.toStdString();
        const auto context = context_;
        const std::int64_t seed = seed_;
        editor_.updateMatchCut(*editing->id, true, [&](MatchCut& c) {
            c.word = word;
            c.style = style;
            c.seed = seed;
            c.keywords = context.first;
            c.lines = context.second;
        });
        const auto span = editor_.span(TimelineItem{TimelineItem::Kind::matchCut, *editing->id});
        t = span ? span->first : 0;
    } else {
        const double a = editor_.currentTime() < 0.3 ? 0 : editor_.currentTime();
        const Uuid id = editor_.addMatchCut(templateCut(style), a);
        const auto span = editor_.span(TimelineItem{TimelineItem::Kind::matchCut, id});
        t = span ? span->first : a;
    }
    editor_.seekExactly(t);
}

void MatchCutSection::update(const std::function<void(MatchCut&)>& edit, bool recordUndo)
{
    const auto cut = editor_.selectedMatchCut();
    if (cut && cut->id) editor_.updateMatchCut(*cut->id, recordUndo, edit);
}

void MatchCutSection::shuffle()
{
    const auto cut = editor_.selectedMatchCut();
    if (!cut || !cut->id) return;
    ++seed_;
    const std::int64_t seed = seed_;
    editor_.updateMatchCut(*cut->id, true, [seed](MatchCut& c) { c.seed = seed; });
    if (shownWord_.isEmpty()) shownWord_ = QString::fromStdString(cut->word);
    renderPreviews();
    refresh();
}

}  // namespace vt::ui
