#include "ui/inspector/EffectsView.h"

#include "captions/look/CaptionStyle.h"
#include "editor/EditorModel.h"
#include "ui/inspector/FeatureColumn.h"
#include "ui/inspector/InspectorGroup.h"
#include "ui/inspector/InspectorRow.h"
#include "ui/inspector/KitColors.h"
#include "ui/inspector/KitText.h"
#include "ui/inspector/OptionalColorRow.h"
#include "ui/inspector/RowDivider.h"
#include "ui/inspector/RowNote.h"
#include "ui/inspector/SwitchRow.h"
#include "ui/inspector/TimeFormat.h"
#include "ui/inspector/ValueRow.h"

#include <QButtonGroup>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

namespace vt::ui {

namespace {

QString text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QWidget* segments(std::initializer_list<std::pair<QString, QToolButton**>> items, QWidget* parent)
{
    auto* box = new QWidget(parent);
    auto* line = new QHBoxLayout(box);
    line->setContentsMargins(0, 0, 0, 0);
    line->setSpacing(0);
    auto* group = new QButtonGroup(box);
    for (const auto& [title, out] : items) {
        auto* b = new QToolButton(box);
        b->setText(title);
        b->setCheckable(true);
        group->addButton(b);
        line->addWidget(b);
        *out = b;
    }
    return box;
}

// The fullwidth plus where a font on this machine has it, else the plain one
// (the boxes of a missing glyph would tell the user nothing).
QString plusSign()
{
    static const QString sign = QFontMetrics(QFont()).inFontUcs4(0xFF0B) ? QStringLiteral("\uFF0B") : QStringLiteral("+");
    return sign;
}

RowNote* spacedNote(const QString& note, QWidget* parent)
{
    auto* n = new RowNote(note, parent);
    n->setContentsMargins(n->contentsMargins() + QMargins(0, 6, 0, 0));
    return n;
}

}  // namespace

const std::array<std::string_view, 16>& EffectsView::suggestions()
{
    static const std::array<std::string_view, 16> list{
        "\U0001F525", "\U0001F4B0", "\U0001F602", "\U0001F92F", "\u2764\uFE0F", "\U0001F4A1", "\U0001F680", "\U0001F440",
        "\u2705",     "\u274C",     "\u26A0\uFE0F", "\U0001F3C6", "\U0001F4C8", "\U0001F914", "\U0001F389", "\u2728",
    };
    return list;
}

RGBA EffectsView::defaultBarColor(const CaptionStyle& look)
{
    if (look.highlightColor) return *look.highlightColor;
    if (look.activeColor) return *look.activeColor;
    if (look.emphasisColor) return *look.emphasisColor;
    return RGBA::fromHex("A64DFF");
}

QString EffectsView::moreLinesNote(std::size_t lines)
{
    if (lines <= shownLines) return {};
    return QStringLiteral("…and %1 more lines.").arg(lines - shownLines);
}

EffectsView::EffectsView(EditorModel& editor, QWidget* motion, QWidget* parent) : QWidget(parent), editor_(editor)
{
    auto* col = featureColumn(this, QStringLiteral("Small touches that keep people watching to the end."));
    QWidget* content = col->parentWidget();
    if (motion) col->addWidget(motion);
    for (auto [title, body] : {std::pair{QStringLiteral("EMOJIS"), buildEmojis()},
                               std::pair{QStringLiteral("SOUND EFFECTS"), buildSoundEffects()},
                               std::pair{QStringLiteral("PROGRESS BAR"), buildProgressBar()}}) {
        auto* group = new InspectorGroup(title, nullptr, content);
        group->addRow(body);
        col->addWidget(group);
    }
    col->addStretch(1);

    connect(&editor_, &EditorModel::projectChanged, this, &EffectsView::refresh);
    connect(&editor_, &EditorModel::groupsChanged, this, &EffectsView::rebuildLines);
    connect(&editor_, &EditorModel::emojiPicksChanged, this, &EffectsView::rebuildLines);
    refresh();
    rebuildLines();
}

// ---- emojis ---------------------------------------------------------------------------------

QWidget* EffectsView::buildEmojis()
{
    auto* box = new QWidget;
    auto* c = rowStack(box);
    parts_.emojis = new SwitchRow(QStringLiteral("Emojis on caption lines"),
                                  {[this] { return editor_.project().emojis.has_value(); },
                                   [this](const bool& on) { editor_.setEmojis(on ? std::optional(EmojiSettings{}) : std::nullopt); }},
                                  {}, box);
    c->addWidget(parts_.emojis);
    emojiRows_ = new QWidget(box);
    auto* rows = rowStack(emojiRows_);
    rows->addWidget(new RowDivider(emojiRows_));
    auto* amount = segments({{QStringLiteral("Some"), &parts_.some}, {QStringLiteral("Lots"), &parts_.lots}}, emojiRows_);
    for (const auto& choice : {std::pair{parts_.some, EmojiSettings::Amount::some}, std::pair{parts_.lots, EmojiSettings::Amount::lots}})
        connect(choice.first, &QToolButton::clicked, this, [this, value = choice.second] {
            EmojiSettings s = editor_.project().emojis.value_or(EmojiSettings{});
            s.amount = value;
            editor_.setEmojis(s);
        });
    rows->addWidget(new InspectorRow(QStringLiteral("How many"), {}, amount, emojiRows_));
    rows->addWidget(new RowDivider(emojiRows_));
    parts_.emojiNote = spacedNote({}, emojiRows_);
    rows->addWidget(parts_.emojiNote);
    auto* list = new QWidget(emojiRows_);
    lineList_ = rowStack(list);
    rows->addWidget(list);
    parts_.moreLines = spacedNote({}, emojiRows_);
    rows->addWidget(parts_.moreLines);
    c->addWidget(emojiRows_);
    return box;
}

QWidget* EffectsView::emojiLine(const CaptionGroup& line)
{
    auto* row = new QWidget;
    auto* h = new QHBoxLayout(row);
    h->setContentsMargins(12, 4, 12, 4);
    h->setSpacing(10);
    const auto& picks = editor_.emojiPicks();
    const auto pick = picks.find(line.index);
    auto* emoji = new QToolButton(row);
    emoji->setAutoRaise(true);
    emoji->setFixedSize(36, 28);
    emoji->setPopupMode(QToolButton::InstantPopup);
    emoji->setStyleSheet(QStringLiteral("QToolButton::menu-indicator { image: none; width: 0; }"));
    QFont f = emoji->font();
    if (pick != picks.end()) {
        emoji->setText(QString::fromStdString(pick->second.emoji));
        f.setPointSizeF(18);
        kit::setTextColour(emoji, kit::ink());
    } else {
        emoji->setText(plusSign());
        f.setPointSizeF(14);
        kit::setTextColour(emoji, kit::secondaryText());
    }
    emoji->setFont(f);
    emoji->setToolTip(QStringLiteral("Change this line's emoji"));
    auto* menu = new QMenu(emoji);
    const int index = line.index;
    for (std::string_view e : suggestions())
        connect(menu->addAction(text(e)), &QAction::triggered, this, [this, e, index] { editor_.setEmoji(std::string(e), index); });
    menu->addSeparator();
    connect(menu->addAction(QStringLiteral("Let Vellumtide Choose")), &QAction::triggered, this,
            [this, index] { editor_.setEmoji(std::string("auto"), index); });
    connect(menu->addAction(QStringLiteral("No Emoji on This Line")), &QAction::triggered, this,
            [this, index] { editor_.setEmoji(std::nullopt, index); });
    emoji->setMenu(menu);
    h->addWidget(emoji);
    QStringList words;
    for (const auto& w : line.words) words << QString::fromStdString(w.text);
    auto* lineText = kit::label(words.join(QLatin1Char(' ')), 12.5, QFont::Normal, kit::ink(), row);
    lineText->setTextFormat(Qt::PlainText);
    // One line, cut at the row's end rather than widening the panel.
    lineText->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    h->addWidget(lineText, 1);
    h->addSpacing(4);
    auto* time = kit::label(formatTime(line.start), 11, QFont::Normal, kit::secondaryText(), row);
    h->addWidget(time);
    row->setProperty("lineStart", line.start);
    row->installEventFilter(this);
    parts_.lines.push_back({line.index, row, emoji});
    return row;
}

bool EffectsView::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        const QVariant start = watched->property("lineStart");
        if (start.isValid()) {
            editor_.seekExactly(start.toDouble());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void EffectsView::rebuildLines()
{
    for (const Line& line : parts_.lines) line.row->deleteLater();
    while (QLayoutItem* item = lineList_->takeAt(0)) {
        if (item->widget()) item->widget()->hide();
        delete item;
    }
    parts_.lines.clear();
    const bool on = editor_.project().emojis.has_value();
    const auto& groups = editor_.groups();
    if (on) {
        for (std::size_t i = 0; i < groups.size() && i < shownLines; ++i) {
            lineList_->addWidget(new RowDivider);
            lineList_->addWidget(emojiLine(groups[i]));
        }
    }
    parts_.emojiNote->setText(editor_.emojiPicks().empty()
                                  ? QStringLiteral("No line names something with an obvious emoji yet: click %1 on a line to add one.").arg(plusSign())
                                  : QStringLiteral("Click an emoji to change it, or %1 to add one to a line.").arg(plusSign()));
    parts_.moreLines->setText(moreLinesNote(groups.size()));
    parts_.moreLines->setVisible(groups.size() > shownLines);
}

// ---- sound effects ------------------------------------------------------------------------

QWidget* EffectsView::buildSoundEffects()
{
    auto* box = new QWidget;
    auto* c = rowStack(box);
    parts_.soundEffects = new SwitchRow(QStringLiteral("Sound effects"),
                                        {[this] { return editor_.project().soundEffects.has_value(); },
                                         [this](const bool& on) { editor_.setSoundEffects(on ? std::optional(SoundEffects{}) : std::nullopt); }},
                                        {}, box);
    c->addWidget(parts_.soundEffects);
    effectRows_ = new QWidget(box);
    auto* rows = rowStack(effectRows_);
    static const std::pair<const char*, bool SoundEffects::*> kinds[] = {
        {"Pop on emphasized words", &SoundEffects::emphasisPops},
        {"Pop when an emoji appears", &SoundEffects::emojiPops},
        {"Whoosh into cuts", &SoundEffects::cutWhooshes},
        {"Hit when the hook appears", &SoundEffects::hookHit},
    };
    for (const auto& [title, field] : kinds) {
        rows->addWidget(new RowDivider(effectRows_));
        auto* row = new SwitchRow(QString::fromUtf8(title),
                                  {[this, f = field] { return editor_.project().soundEffects.value_or(SoundEffects{}).*f; },
                                   [this, f = field](const bool& on) {
                                       if (!editor_.project().soundEffects) return;
                                       SoundEffects s = *editor_.project().soundEffects;
                                       s.*f = on;
                                       editor_.updateProject([&](Project& p) { p.soundEffects = s; });
                                       editor_.timelineChanged();
                                   }},
                                  {}, effectRows_);
        rows->addWidget(row);
        parts_.kinds.push_back(row);
    }
    rows->addWidget(new RowDivider(effectRows_));
    // Dragging only rewrites the stored volume; letting go applies it.
    parts_.volume = new ValueRow(QStringLiteral("Volume"),
                                 {[this] { return editor_.project().soundEffects.value_or(SoundEffects{}).volume; },
                                  [this](const double& v) {
                                      if (editor_.project().soundEffects)
                                          editor_.updateProject([v](Project& p) { p.soundEffects->volume = v; });
                                  }},
                                 {-30, 0, 1, 0, QStringLiteral(" dB"), 1, true, true, -8.0},
                                 [this] { editor_.setSoundEffects(editor_.project().soundEffects); }, effectRows_);
    rows->addWidget(parts_.volume);
    parts_.effectsNote = spacedNote(
        QStringLiteral("Made on this computer: no samples, nothing to license. Emphasize a word in the transcript to give it a pop."),
        effectRows_);
    rows->addWidget(parts_.effectsNote);
    c->addWidget(effectRows_);
    return box;
}

// ---- progress bar -------------------------------------------------------------------------

QWidget* EffectsView::buildProgressBar()
{
    auto* box = new QWidget;
    auto* c = rowStack(box);
    const auto write = [this](std::optional<ProgressBar> bar) {
        editor_.updateProject([&](Project& p) { p.progressBar = std::move(bar); });
        editor_.visualChanged();
    };
    const auto edit = [this, write](auto change) {
        if (!editor_.project().progressBar) return;
        ProgressBar bar = *editor_.project().progressBar;
        change(bar);
        write(bar);
    };
    parts_.progressBar = new SwitchRow(QStringLiteral("Progress bar"),
                                       {[this] { return editor_.project().progressBar.has_value(); },
                                        [write](const bool& on) {
                                            write(on ? std::optional(ProgressBar{ProgressBar::Position::top, std::nullopt, 10}) : std::nullopt);
                                        }},
                                       {}, box);
    c->addWidget(parts_.progressBar);
    barRows_ = new QWidget(box);
    auto* rows = rowStack(barRows_);
    rows->addWidget(new RowDivider(barRows_));
    auto* position = segments({{QStringLiteral("Top"), &parts_.top}, {QStringLiteral("Bottom"), &parts_.bottom}}, barRows_);
    for (const auto& choice : {std::pair{parts_.top, ProgressBar::Position::top}, std::pair{parts_.bottom, ProgressBar::Position::bottom}})
        connect(choice.first, &QToolButton::clicked, this,
                [edit, value = choice.second] { edit([value](ProgressBar& b) { b.position = value; }); });
    rows->addWidget(new InspectorRow(QStringLiteral("Position"), {}, position, barRows_));
    rows->addWidget(new RowDivider(barRows_));
    parts_.barColor = new OptionalColorRow(
        QStringLiteral("Color"),
        {[this] { return editor_.project().progressBar ? editor_.project().progressBar->color : std::nullopt; },
         [edit](const std::optional<RGBA>& c) { edit([&](ProgressBar& b) { b.color = c; }); }},
        defaultBarColor(editor_.project().style), barRows_);
    rows->addWidget(parts_.barColor);
    rows->addWidget(new RowDivider(barRows_));
    parts_.thickness = new ValueRow(QStringLiteral("Thickness"),
                                    {[this] { return editor_.project().progressBar ? editor_.project().progressBar->thickness : 10.0; },
                                     [edit](const double& v) { edit([v](ProgressBar& b) { b.thickness = v; }); }},
                                    {4, 24, 1, 0, QStringLiteral(" pt"), 1, true, false, 10.0}, {}, barRows_);
    rows->addWidget(parts_.thickness);
    c->addWidget(barRows_);
    return box;
}

void EffectsView::refresh()
{
    const Project& p = editor_.project();
    const bool emojis = p.emojis.has_value();
    if (emojis != linesShown_) {
        linesShown_ = emojis;
        rebuildLines();
    }
    emojiRows_->setVisible(emojis);
    parts_.emojis->refresh();
    if (emojis) {
        parts_.some->setChecked(p.emojis->amount == EmojiSettings::Amount::some);
        parts_.lots->setChecked(p.emojis->amount == EmojiSettings::Amount::lots);
    }
    parts_.soundEffects->refresh();
    effectRows_->setVisible(p.soundEffects.has_value());
    for (SwitchRow* row : parts_.kinds) row->refresh();
    parts_.volume->refresh();
    parts_.progressBar->refresh();
    barRows_->setVisible(p.progressBar.has_value());
    if (p.progressBar) {
        parts_.top->setChecked(p.progressBar->position == ProgressBar::Position::top);
        parts_.bottom->setChecked(p.progressBar->position == ProgressBar::Position::bottom);
    }
    parts_.barColor->refresh();
    parts_.thickness->refresh();
}

}  // namespace vt::ui
