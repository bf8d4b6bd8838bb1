#include "ui/editor/TranscriptDock.h"

#include "editor/EditorModel.h"
#include "editor/WordIndex.h"
#include "ui/editor/EditorIcons.h"
#include "ui/editor/SubtitleList.h"
#include "ui/editor/BusySpinner.h"
#include "ui/editor/SymbolTextButton.h"
#include "ui/editor/TranscribeAgainSheet.h"
#include "ui/inspector/KitColors.h"
#include "ui/editor/TranscriptDockHeader.h"
#include "ui/editor/TransportBar.h"
#include "ui/editor/WordList.h"
#include "ui/inspector/KitText.h"
#include "ui/theme/Theme.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace vt::ui {
namespace {

// "No speech in this video", with the way to record a voiceover.
QWidget* makeEmptyState(EditorModel& editor, QWidget* parent)
{
    auto* box = new QWidget(parent);
    auto* column = new QVBoxLayout(box);
    column->setAlignment(Qt::AlignCenter);
    column->setSpacing(8);
    auto* icon = new QLabel(box);
    EditorIcons::show(icon, "waveform.slash", Theme::secondaryText, 28);
    icon->setAlignment(Qt::AlignCenter);
    auto* title = kit::label(QObject::tr("No speech in this video"), 15, QFont::DemiBold, Theme::ink, box);
    auto* note = kit::label(QObject::tr("Record a voiceover and your words become the captions."), 12, QFont::Normal,
                            Theme::secondaryText, box);
    title->setAlignment(Qt::AlignCenter);
    note->setAlignment(Qt::AlignCenter);
    auto* record = new SymbolTextButton("mic.fill", QObject::tr("Record a Voiceover"), CompactButton::Kind::primary, box);
    QObject::connect(record, &QPushButton::clicked, box, [&editor] { editor.setInspectorTab(InspectorTab::voice); });
    column->addWidget(icon);
    column->addWidget(title);
    column->addWidget(note);
    column->addWidget(record, 0, Qt::AlignCenter);
    return box;
}

bool isLetterOrNumber(const QString& text)
{
    if (text.isEmpty()) return false;
    const char32_t c = text.toUcs4().value(0);
    return QChar::isLetterOrNumber(c);
}

}  // namespace

TranscriptDock::TranscriptDock(EditorModel& editor, AppModel* app, QWidget* parent)
    : QWidget(parent), editor_(editor), app_(app)
{
    setFocusPolicy(Qt::StrongFocus);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    header_ = new TranscriptDockHeader(editor, app,
                                       {[this] { editWholeTranscript(); }, [this] { cancelText(); }, [this] { applyText(); },
                                        [this] { transcribeAgain(); }},
                                       this);
    stack_ = new QStackedWidget(this);
    words_ = new WordList(editor, [this] { focusPanel(); }, stack_);
    subtitles_ = new SubtitleList(editor, stack_);
    text_ = new QPlainTextEdit(stack_);
    QFont f;
    f.setPointSizeF(15);
    text_->setFont(f);
    text_->setFrameShape(QFrame::NoFrame);
    text_->document()->setDocumentMargin(12);
    text_->viewport()->setAutoFillBackground(false);
    text_->setStyleSheet("QPlainTextEdit { background: transparent; }");
    text_->installEventFilter(this);
    empty_ = makeEmptyState(editor, stack_);
    // The timeline panel's place; it fills the dock in the Timeline view.
    timeline_ = new QWidget(stack_);
    for (QWidget* w : {static_cast<QWidget*>(words_), static_cast<QWidget*>(subtitles_), static_cast<QWidget*>(text_),
                       empty_, timeline_})
        stack_->addWidget(w);
    transport_ = new TransportBar(editor, this);
    // The pages scroll: a short dock takes its room from them, never from
    // the header or the transport bar.
    stack_->setMinimumHeight(1);
    column->addWidget(header_);
    column->addWidget(stack_, 1);
    column->addWidget(transport_);

    connect(&editor, &EditorModel::transcriptModeChanged, this, &TranscriptDock::refresh);
    connect(&editor, &EditorModel::paragraphsChanged, this, &TranscriptDock::refresh);
    connect(&editor, &EditorModel::editingWordIDChanged, this, [this] {
        // Ending an inline edit gives the keyboard back to the dock.
        if (!editor_.editingWordID() && !textMode_) focusPanel();
    });
    makeOverlay();
    connect(&editor, &EditorModel::retranscribingChanged, this, &TranscriptDock::refreshRetranscription);
    connect(&editor, &EditorModel::retranscribeErrorChanged, this, &TranscriptDock::showRetranscribeError);
    refresh();
    refreshRetranscription();
}

void TranscriptDock::makeOverlay()
{
    overlay_ = new QWidget(this);
    overlay_->setAutoFillBackground(true);
    Appearances::setColor(overlay_, QPalette::Window, kit::faded(Theme::surface, 0.94));
    auto* column = new QVBoxLayout(overlay_);
    column->setAlignment(Qt::AlignCenter);
    column->setSpacing(10);
    auto* spinner = new BusySpinner(22, Theme::secondaryText, overlay_);
    auto* title = kit::label(tr("Transcribing again"), 13, QFont::DemiBold, Theme::ink, overlay_);
    overlayStatus_ = kit::label({}, 12, QFont::Normal, Theme::secondaryText, overlay_);
    QFont digits = overlayStatus_->font();
    overlayStatus_->setFont(digits);
    title->setAlignment(Qt::AlignCenter);
    overlayStatus_->setAlignment(Qt::AlignCenter);
    column->addWidget(spinner, 0, Qt::AlignCenter);
    column->addWidget(title);
    column->addWidget(overlayStatus_);
    overlay_->hide();
}

void TranscriptDock::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    overlay_->setGeometry(rect());
}

TranscribeAgainSheet* TranscriptDock::transcribeAgainSheet() const { return sheet_.data(); }
QMessageBox* TranscriptDock::retranscribeAlert() const { return alert_.data(); }

void TranscriptDock::transcribeAgain()
{
    if (sheet_ || editor_.retranscribing()) return;
    sheet_ = new TranscribeAgainSheet(editor_, TranscribeAgainSheet::machine(app_), this);
    sheet_->setAttribute(Qt::WA_DeleteOnClose);
    sheet_->open();
}

void TranscriptDock::refreshRetranscription()
{
    // While it runs the cover hides the whole dock, header and transport bar included.
    const auto& status = editor_.retranscribing();
    overlay_->setVisible(status.has_value());
    if (!status) return;
    overlayStatus_->setText(QString::fromStdString(*status));
    overlay_->setGeometry(rect());
    overlay_->raise();
}

void TranscriptDock::showRetranscribeError()
{
    const auto& message = editor_.retranscribeError();
    if (!message) {
        if (alert_) alert_->close();
        return;
    }
    if (!alert_) {
        alert_ = new QMessageBox(QMessageBox::Warning, tr("Couldn't transcribe again"), {}, QMessageBox::NoButton, this);
        alert_->setAttribute(Qt::WA_DeleteOnClose);
        alert_->addButton(tr("OK"), QMessageBox::RejectRole);
        // However it is dismissed, the message goes.
        connect(alert_, &QDialog::finished, this, [this] { editor_.setRetranscribeError(std::nullopt); });
    }
    alert_->setText(tr("Couldn't transcribe again"));
    alert_->setInformativeText(QString::fromStdString(*message));
    alert_->setDetailedText(QString::fromStdString(editor_.retranscribeErrorDetail()));
    alert_->open();
}

QString TranscriptDock::draft() const { return text_->toPlainText(); }
QWidget* TranscriptDock::content() const { return stack_->currentWidget(); }

void TranscriptDock::focusPanel()
{
    if (!textMode_) setFocus(Qt::OtherFocusReason);
}

void TranscriptDock::refresh()
{
    const TranscriptMode mode = editor_.transcriptMode();
    const bool timelineLayout = mode == TranscriptMode::timeline && !textMode_;
    header_->setVisible(!timelineLayout);
    header_->setTextMode(textMode_);
    QWidget* shown = timelineLayout                        ? timeline_
                     : textMode_                           ? static_cast<QWidget*>(text_)
                     : editor_.transcript().empty()        ? empty_
                     : mode == TranscriptMode::subtitle    ? static_cast<QWidget*>(subtitles_)
                                                           : static_cast<QWidget*>(words_);
    stack_->setCurrentWidget(shown);
    setFocusPolicy(textMode_ ? Qt::NoFocus : Qt::StrongFocus);
    update();
}

void TranscriptDock::editWholeTranscript()
{
    if (editor_.isPlaying()) editor_.togglePlay();
    editor_.setEditingWordID(std::nullopt);
    text_->setPlainText(QString::fromStdString(editor_.editableText()));
    textMode_ = true;
    refresh();
    text_->setFocus();
}

void TranscriptDock::cancelText()
{
    textMode_ = false;
    refresh();
}

void TranscriptDock::applyText()
{
    editor_.applyTextEdit(text_->toPlainText().toStdString());
    textMode_ = false;
    refresh();
}

bool TranscriptDock::eventFilter(QObject* watched, QEvent* event)
{
    // Ctrl+Return is "Done" while the text editor has the keyboard.
    if (watched == text_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && (key->modifiers() & Qt::ControlModifier)) {
            applyText();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TranscriptDock::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(rect()).adjusted(0.75, 0.75, -0.75, -0.75);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(Theme::surface));
    painter.drawRoundedRect(box, 12, 12);
    if (hasFocus() && !textMode_) {
        QColor ring = Theme::accent;
        ring.setAlphaF(0.65f);
        painter.setPen(QPen(ring, 1.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(box, 12, 12);
    }
}

void TranscriptDock::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
}

void TranscriptDock::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}

void TranscriptDock::keyPressEvent(QKeyEvent* event)
{
    if (event->isAutoRepeat() || !handleKey(*event)) event->ignore();
}

bool TranscriptDock::handleKey(const QKeyEvent& event)
{
    if (textMode_ || editor_.editingWordID()) return false;
    if (editor_.transcriptMode() == TranscriptMode::timeline) return timelineKey(event);
    if (event.modifiers() & Qt::ControlModifier) {
        if (event.text().toLower() != "b" && event.key() != Qt::Key_B) return false;
        editor_.toggleEmphasis(editor_.selection());
        return true;
    }
    switch (event.key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete: editor_.toggleDelete(editor_.selection()); return true;
    case Qt::Key_Space: editor_.togglePlay(); return true;
    case Qt::Key_Left: stepWord(-1); return true;
    case Qt::Key_Right: stepWord(1); return true;
    case Qt::Key_Escape: editor_.setSelection({}); return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (const auto id = editor_.primarySelection()) {
            editor_.beginEdit(*id);
            return true;
        }
        return false;
    default: break;
    }
    if (!isLetterOrNumber(event.text())) return false;
    const auto id = editor_.primarySelection();
    if (!id) return false;
    editor_.beginEdit(*id, event.text().toStdString());
    return true;
}

void TranscriptDock::stepWord(int by)
{
    const auto& anchor = editor_.anchor();
    if (!anchor) return;
    const auto& words = editor_.transcript();
    const auto at = WordIndex::of(words, *anchor);
    if (!at || words.empty()) return;
    const auto j = static_cast<std::size_t>(
        std::clamp(static_cast<long>(*at) + by, 0L, static_cast<long>(words.size()) - 1));
    const Uuid id = words[j].id;
    editor_.setSelection({id});
    editor_.setAnchor(id);
    editor_.seekToWord(id);
}

bool TranscriptDock::timelineKey(const QKeyEvent& event)
{
    const auto& source = editor_.source();
    const double step = event.modifiers() & Qt::ShiftModifier ? 1.0 : source && source->fps > 0 ? 1.0 / source->fps : 1.0 / 30;
    // A copy: the commands change the selection it comes from.
    const std::optional<TimelineItem> item = editor_.timelineSelection();
    // Ctrl+D, which duplicates the item, belongs to the window's Timeline
    // menu: one owner for the key wherever the focus is.
    if (event.modifiers() & Qt::ControlModifier) return false;
    switch (event.key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        if (!item) return false;
        editor_.remove(*item);
        return true;
    case Qt::Key_Space: editor_.togglePlay(); return true;
    case Qt::Key_Left: editor_.seekExactly(std::max(editor_.currentTime() - step, 0.0)); return true;
    case Qt::Key_Right: {
        const double end = std::max(editor_.plan().outputLength() - 0.02, 0.0);
        editor_.seekExactly(std::min(editor_.currentTime() + step, end));
        return true;
    }
    case Qt::Key_Escape: editor_.setTimelineSelection(std::nullopt); return true;
    default: return false;
    }
}

}  // namespace vt::ui
