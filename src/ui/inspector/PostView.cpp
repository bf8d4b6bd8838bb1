#include "ui/inspector/PostView.h"

#include "editor/EditorModel.h"
#include "editor/QtEditorClock.h"
#include "platform/TextRules.h"
#include "text/PostCopyWriter.h"
#include "ui/inspector/CompactButton.h"
#include "ui/inspector/FeatureColumn.h"
#include "ui/inspector/InlineButton.h"
#include "ui/inspector/InspectorGroup.h"
#include "ui/inspector/InspectorPanel.h"
#include "ui/inspector/InspectorRow.h"
#include "ui/inspector/KitColors.h"
#include "ui/inspector/KitText.h"
#include "ui/inspector/RowDivider.h"
#include "ui/inspector/RowNote.h"

#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QResizeEvent>
#include <QTextLayout>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace vt::ui {

namespace {

using Slot = PostTextBlock::Slot;

constexpr double kCopiedSeconds = 1.5;
const QColor kRed(255, 59, 48);

std::string PostCopy::*field(Slot slot)
{
    switch (slot) {
    case Slot::youtubeTitle: return &PostCopy::youtubeTitle;
    case Slot::youtubeDescription: return &PostCopy::youtubeDescription;
    case Slot::instagram: return &PostCopy::instagram;
    case Slot::tiktok: return &PostCopy::tiktok;
    case Slot::x: return &PostCopy::x;
    }
    return &PostCopy::x;
}

QString qt(const std::string& s) { return QString::fromStdString(s); }

QHBoxLayout* hrow(QWidget* w, QMargins margins, int spacing)
{
    auto* row = new QHBoxLayout(w);
    row->setContentsMargins(margins);
    row->setSpacing(spacing);
    return row;
}

QVBoxLayout* vcolumn(QWidget* w, QMargins margins, int spacing)
{
    auto* column = new QVBoxLayout(w);
    column->setContentsMargins(margins);
    column->setSpacing(spacing);
    return column;
}

QToolButton* segment(const QString& title, QWidget* parent)
{
    auto* b = new QToolButton(parent);
    b->setText(title);
    b->setCheckable(true);
    b->setAutoExclusive(true);
    QFont f = b->font();
    f.setPointSizeF(11);
    b->setFont(f);
    return b;
}

}  // namespace

// ---- one text ---------------------------------------------------------------

PostTextBlock::PostTextBlock(Slot slot, const QString& title, int limit, bool singleLine,
                             std::optional<int> hashtagLimit, QWidget* parent)
    : QWidget(parent), slot_(slot), limit_(limit), hashtagLimit_(hashtagLimit), singleLine_(singleLine)
{
    auto* column = vcolumn(this, {12, 8, 12, 8}, 4);
    editor_ = new QPlainTextEdit(this);
    QFont f = editor_->font();
    f.setPointSizeF(13);
    editor_->setFont(f);
    editor_->setFrameShape(QFrame::NoFrame);
    editor_->setStyleSheet(QStringLiteral("QPlainTextEdit { background: transparent; }"));
    editor_->setTabChangesFocus(true);
    editor_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    if (singleLine_) {
        editor_->setPlaceholderText(title);
    }
    editor_->installEventFilter(this);
    // The text lines up with the footer under it.
    editor_->document()->setDocumentMargin(0);
    editor_->setAccessibleName(title.isEmpty() ? QStringLiteral("Post") : title);
    column->addWidget(editor_);

    auto* footer = new QWidget(this);
    auto* row = hrow(footer, {}, 8);
    if (!title.isEmpty()) row->addWidget(kit::label(title, 11, QFont::Normal, kit::secondaryText(), footer));
    row->addStretch(1);
    hashtags_ = kit::label({}, 11, QFont::Normal, kit::secondaryText(), footer);
    row->addWidget(hashtags_);
    counter_ = kit::label({}, 11, QFont::Normal, kit::secondaryText(), footer);
    QFont digits = counter_->font();
    digits.setFamily(QStringLiteral("monospace"));
    digits.setStyleHint(QFont::Monospace);
    counter_->setFont(digits);
    row->addWidget(counter_);
    copy_ = new InlineButton(QStringLiteral("Copy"), QStringLiteral("⧉"), false, [this] { emit copyRequested(); }, footer);
    row->addWidget(copy_);
    column->addWidget(footer);

    connect(editor_, &QPlainTextEdit::textChanged, this, [this] {
        recount();
        fitHeight();
        if (!showing_) emit edited(text());
    });
    recount();
    fitHeight();
}

QString PostTextBlock::text() const { return editor_->toPlainText(); }

void PostTextBlock::show(const QString& text)
{
    if (text == this->text()) return;
    showing_ = true;
    editor_->setPlainText(text);
    showing_ = false;
}

void PostTextBlock::setCopied(bool copied)
{
    copy_->setText(copied ? QStringLiteral("✓ Copied") : QStringLiteral("⧉ Copy"));
    copy_->setAccessibleName(copied ? QStringLiteral("Copied") : QStringLiteral("Copy"));
}

int PostTextBlock::characterCount(const QString& text)
{
    return static_cast<int>(vt::text::characterCount(text.toStdString()));
}

int PostTextBlock::hashtagCount(const QString& text)
{
    int count = 0;
    qsizetype start = -1;
    auto piece = [&](qsizetype end) {
        if (start >= 0 && text[start] == u'#' && end - start > 1) ++count;
        start = -1;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isSpace()) piece(i);
        else if (start < 0) start = i;
    }
    piece(text.size());
    return count;
}

void PostTextBlock::recount()
{
    ++recounts_;
    const QString t = text();
    const int characters = characterCount(t);
    counter_->setText(QStringLiteral("%1 / %2").arg(characters).arg(limit_));
    kit::setTextColour(counter_, characters > limit_ ? kRed : kit::secondaryText());
    const int tags = hashtagLimit_ ? hashtagCount(t) : 0;
    hashtags_->setVisible(tags > 0);
    if (tags > 0) {
        hashtags_->setText(QString::number(tags) + (tags == 1 ? QStringLiteral(" hashtag") : QStringLiteral(" hashtags")));
        kit::setTextColour(hashtags_, tags > *hashtagLimit_ ? kRed : kit::secondaryText());
    }
    copy_->setEnabled(!t.isEmpty());
}

void PostTextBlock::fitHeight()
{
    // The title grows from one line to three; the other texts from 84 to 300.
    // The editor lays out only what it shows, so its wrapped lines are counted
    // here, line by line as it would break them.
    const QFontMetricsF metrics(editor_->font());
    const double width = std::max(editor_->viewport()->width(), 40);
    int lines = 0;
    for (const QString& paragraph : text().split(u'\n')) {
        QTextLayout layout(paragraph, editor_->font());
        layout.setTextOption(editor_->document()->defaultTextOption());
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            ++lines;
        }
        layout.endLayout();
    }
    const int frame = 2 * editor_->frameWidth() + 6;  // room for the last line's descenders
    const double lineHeight = metrics.lineSpacing();
    if (singleLine_)
        editor_->setFixedHeight(static_cast<int>(std::ceil(std::clamp(lines, 1, 3) * lineHeight)) + frame);
    else
        editor_->setFixedHeight(std::clamp(static_cast<int>(std::ceil(lines * lineHeight)) + frame, 84, 300));
}

bool PostTextBlock::eventFilter(QObject* watched, QEvent* event)
{
    // The title is one line of text: Return does not break it. A new width
    // wraps the text anew, so the height follows.
    if (watched == editor_ && singleLine_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) return true;
    }
    if (watched == editor_ && event->type() == QEvent::Resize) {
        const auto* resize = static_cast<QResizeEvent*>(event);
        if (resize->oldSize().width() != resize->size().width()) fitHeight();
    }
    return QWidget::eventFilter(watched, event);
}

// ---- the panel ----------------------------------------------------------------

PostView::PostView(EditorModel& editor, HookGenerator::Status ai, QWidget* parent, std::shared_ptr<EditorClock> clock)
    : QWidget(parent), editor_(editor), ai_(std::move(ai)),
      clock_(clock ? std::move(clock) : std::make_shared<QtEditorClock>()), parts_(std::make_unique<Parts>())
{
    // An older project kept one caption: it becomes the Instagram text.
    const Project& project = editor_.project();
    if (!project.postCopy && !project.postCaption.empty()) {
        PostCopy post;
        post.instagram = project.postCaption;
        editor_.updateProject([&](Project& p) { p.postCopy = post; });
    }
    english_ = editor_.project().postCopy && editor_.project().postCopy->language == "english";

    QVBoxLayout* column =
        featureColumn(this, QStringLiteral("Ready-to-paste posts for each platform, written from what you say."));
    column->addWidget(buildWriteGroup());
    column->addWidget(buildBusyRow());
    column->addWidget(buildNoteRow());
    column->addWidget(buildTexts());
    column->addWidget(buildEmptyState());
    column->addStretch(1);

    connect(&editor_, &EditorModel::projectChanged, this, [this] {
        refreshTexts();
        refreshWrite();
    });
    connect(&editor_, &EditorModel::postBusyChanged, this, [this] {
        refreshWrite();
        refreshBusy();
    });
    connect(&editor_, &EditorModel::postNoteChanged, this, &PostView::refreshBusy);
    refreshTexts();
    refreshWrite();
    refreshBusy();
}

PostView::~PostView()
{
    for (const auto ticket : copyTimers_) clock_->cancel(ticket);
}

QWidget* PostView::buildWriteGroup()
{
    auto& p = *parts_;
    p.writeButton = new CompactButton({}, CompactButton::Kind::primary);
    connect(p.writeButton, &QPushButton::clicked, this, &PostView::write);
    auto* group = new InspectorGroup(QStringLiteral("WRITE"), p.writeButton);

    auto* picker = new QWidget(group);
    auto* row = hrow(picker, {}, 0);
    p.original = segment(QStringLiteral("Original"), picker);
    p.english = segment(QStringLiteral("English"), picker);
    row->addWidget(p.original);
    row->addWidget(p.english);
    (english_ ? p.english : p.original)->setChecked(true);
    connect(p.original, &QToolButton::clicked, this, [this] { english_ = false; });
    connect(p.english, &QToolButton::clicked, this, [this] { english_ = true; });
    group->addRow(new InspectorRow(QStringLiteral("Language"), {}, picker));
    group->addRow(new RowDivider);
    p.writeNote = new RowNote(ai_.available
                                  ? QStringLiteral("The on-device language model writes them on this computer, from what you say.")
                                  : QStringLiteral("Made from your transcript and hook. Turn on the on-device language model for fuller rewrites."));
    p.writeNote->setContentsMargins(p.writeNote->contentsMargins() + QMargins(0, 6, 0, 0));
    group->addRow(p.writeNote);
    return group;
}

QWidget* PostView::buildBusyRow()
{
    auto& p = *parts_;
    p.busyRow = new QWidget;
    auto* row = hrow(p.busyRow, {4, 0, 4, 0}, 8);
    auto* spinner = new QProgressBar(p.busyRow);
    spinner->setRange(0, 0);
    spinner->setTextVisible(false);
    spinner->setFixedSize(40, 6);
    row->addWidget(spinner);
    p.busyText = kit::label(ai_.available ? QStringLiteral("Writing on this computer…") : QStringLiteral("Writing…"), 12,
                            QFont::Normal, kit::secondaryText(), p.busyRow);
    row->addWidget(p.busyText);
    row->addStretch(1);
    return p.busyRow;
}

QWidget* PostView::buildNoteRow()
{
    auto& p = *parts_;
    p.noteRow = new QWidget;
    auto* row = hrow(p.noteRow, {4, 0, 4, 0}, 6);
    auto* icon = kit::label(QStringLiteral("ⓘ"), 12, QFont::Normal, kit::secondaryText(), p.noteRow);
    row->addWidget(icon, 0, Qt::AlignTop);
    p.noteText = kit::label({}, 12, QFont::Normal, kit::secondaryText(), p.noteRow);
    p.noteText->setWordWrap(true);
    row->addWidget(p.noteText, 1);
    return p.noteRow;
}

QWidget* PostView::buildTexts()
{
    auto& p = *parts_;
    p.texts = new QWidget;
    auto* column = vcolumn(p.texts, {}, 18);
    auto block = [&](InspectorGroup* group, Slot slot, const QString& title, int limit, bool singleLine,
                     std::optional<int> hashtagLimit) {
        auto* b = new PostTextBlock(slot, title, limit, singleLine, hashtagLimit, group);
        connect(b, &PostTextBlock::edited, this, [this, slot](const QString& text) { edit(slot, text); });
        connect(b, &PostTextBlock::copyRequested, this, [this, slot] { copy(slot); });
        group->addRow(b);
        p.blocks.push_back(b);
    };
    auto* youtube = new InspectorGroup(QStringLiteral("YOUTUBE SHORTS"), nullptr, p.texts);
    block(youtube, Slot::youtubeTitle, QStringLiteral("Title"), PostCopyWriter::titleLimit, true, std::nullopt);
    youtube->addRow(new RowDivider);
    block(youtube, Slot::youtubeDescription, QStringLiteral("Description"), PostCopyWriter::descriptionLimit, false, std::nullopt);
    auto* instagram = new InspectorGroup(QStringLiteral("INSTAGRAM REELS"), nullptr, p.texts);
    block(instagram, Slot::instagram, {}, PostCopyWriter::instagramLimit, false, 30);
    auto* tiktok = new InspectorGroup(QStringLiteral("TIKTOK"), nullptr, p.texts);
    block(tiktok, Slot::tiktok, {}, PostCopyWriter::tiktokLimit, false, std::nullopt);
    auto* x = new InspectorGroup(QStringLiteral("X"), nullptr, p.texts);
    block(x, Slot::x, {}, PostCopyWriter::xLimit, false, std::nullopt);
    for (auto* g : {youtube, instagram, tiktok, x}) column->addWidget(g);
    p.footnote = kit::label({}, 11, QFont::Normal, kit::secondaryText(), p.texts);
    p.footnote->setWordWrap(true);
    p.footnote->setContentsMargins(4, 0, 4, 0);
    column->addWidget(p.footnote);
    return p.texts;
}

QWidget* PostView::buildEmptyState()
{
    auto& p = *parts_;
    p.emptyState = new QWidget;
    auto* column = vcolumn(p.emptyState, {0, 8, 0, 0}, 6);
    auto* icon = kit::label(symbolGlyph(QStringLiteral("paperplane")), 28, QFont::Normal, kit::secondaryText(), p.emptyState);
    auto* title = kit::label(QStringLiteral("No posts yet"), 15, QFont::DemiBold, kit::ink(), p.emptyState);
    auto* text = kit::label(QStringLiteral("Write a title, description and captions for every platform in one go."), 12,
                            QFont::Normal, kit::secondaryText(), p.emptyState);
    text->setWordWrap(true);
    for (auto* l : {icon, title, text}) {
        l->setAlignment(Qt::AlignHCenter);
        column->addWidget(l);
    }
    return p.emptyState;
}

void PostView::refreshTexts()
{
    auto& p = *parts_;
    const auto& post = editor_.project().postCopy;
    p.texts->setVisible(post.has_value());
    p.emptyState->setVisible(!post);
    if (!post) return;
    for (PostTextBlock* b : p.blocks) b->show(qt((*post).*field(b->slot())));
    p.footnote->setText(post->byAI ? QStringLiteral("Written by the on-device language model. Read them over before you post.")
                                   : QStringLiteral("Edit anything before you post."));
}

void PostView::refreshWrite()
{
    auto& p = *parts_;
    const Project& project = editor_.project();
    p.writeButton->setText((ai_.available ? QStringLiteral("✨ ") : QStringLiteral("✚ ")) +
                           (project.postCopy ? QStringLiteral("Write Again") : QStringLiteral("Write Posts")));
    const bool anyWord = std::any_of(project.words.begin(), project.words.end(), [](const Word& w) { return !w.deleted; });
    p.writeButton->setEnabled(anyWord && !editor_.postBusy());
}

void PostView::refreshBusy()
{
    auto& p = *parts_;
    p.busyRow->setVisible(editor_.postBusy());
    const auto& note = editor_.postNote();
    p.noteRow->setVisible(note.has_value());
    p.noteText->setText(note ? qt(*note) : QString());
}

void PostView::write() { editor_.writePostCopy(english_); }

void PostView::edit(Slot slot, const QString& text)
{
    editor_.updateProject([&](Project& project) {
        PostCopy post = project.postCopy.value_or(PostCopy{});
        post.*field(slot) = text.toStdString();
        project.postCopy = std::move(post);
    });
}

void PostView::copy(Slot slot)
{
    const auto it = std::find_if(parts_->blocks.begin(), parts_->blocks.end(),
                                 [&](PostTextBlock* b) { return b->slot() == slot; });
    if (it == parts_->blocks.end() || (*it)->text().isEmpty()) return;
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->clear();
    clipboard->setText((*it)->text());
    showCopied(slot);
    // Each copy's feedback ends on its own timer, which leaves a newer
    // copy of another text alone.
    auto ticket = std::make_shared<EditorClock::Ticket>();
    *ticket = clock_->start(kCopiedSeconds, [this, slot, ticket] {
        copyTimers_.erase(*ticket);
        if (copied_ == slot) showCopied(std::nullopt);
    });
    copyTimers_.insert(*ticket);
}

void PostView::showCopied(std::optional<Slot> slot)
{
    copied_ = slot;
    for (PostTextBlock* b : parts_->blocks) b->setCopied(copied_ == b->slot());
}

}  // namespace vt::ui
