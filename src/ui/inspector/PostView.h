#pragma once
// The Post tab: ready-to-paste texts for YouTube Shorts (title and
// description), Instagram, TikTok and X, written in one go by the editor's
// post-text action and edited in place. Each text shows live counters
// against its platform's limit (user-perceived characters, and Instagram's
// hashtags) and copies on its own to the clipboard. The counters are worked
// out when a text changes, never on a redraw, and the on-device model's
// status is asked once, when the panel is made. Writes the project's post
// texts through the editor model; records no undo step. Main thread only.

#include "text/HookGenerator.h"

#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <string>

class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QToolButton;

namespace vt {
class EditorClock;
class EditorModel;
struct PostCopy;
}

namespace vt::ui {

class CompactButton;
class InlineButton;
class RowNote;

// One post text: its editor, then a footer with the optional title, the
// hashtag count (where the platform limits hashtags), the character counter
// and Copy.
class PostTextBlock : public QWidget {
    Q_OBJECT
public:
    enum class Slot { youtubeTitle, youtubeDescription, instagram, tiktok, x };

    PostTextBlock(Slot slot, const QString& title, int limit, bool singleLine, std::optional<int> hashtagLimit,
                  QWidget* parent = nullptr);

    Slot slot() const { return slot_; }
    // Shows `text` unless it is shown already; counts again when it changed.
    void show(const QString& text);
    QString text() const;
    void setCopied(bool copied);

    // Counts made so far: one for the first text and one per change of it.
    int recounts() const { return recounts_; }
    QPlainTextEdit* editor() const { return editor_; }
    QLabel* counter() const { return counter_; }
    QLabel* hashtags() const { return hashtags_; }
    InlineButton* copyButton() const { return copy_; }

    // User-perceived characters; pieces between white space that start
    // with "#" and hold more than that.
    static int characterCount(const QString& text);
    static int hashtagCount(const QString& text);

signals:
    void edited(const QString& text);
    void copyRequested();

private:
    Slot slot_;
    int limit_;
    std::optional<int> hashtagLimit_;
    bool singleLine_;
    bool showing_ = false;  // the text comes from the model, not from typing
    int recounts_ = 0;
    QPlainTextEdit* editor_;
    QLabel* hashtags_;
    QLabel* counter_;
    InlineButton* copy_;

    void recount();
    void fitHeight();
    bool eventFilter(QObject* watched, QEvent* event) override;
};

class PostView : public QWidget {
    Q_OBJECT
public:
    // `clock` times the "Copied" feedback; without one, the system's.
    explicit PostView(EditorModel& editor, HookGenerator::Status ai = HookGenerator::aiStatus(),
                      QWidget* parent = nullptr, std::shared_ptr<EditorClock> clock = nullptr);
    ~PostView() override;

    // The Write button's action: writes the five texts in the chosen language.
    void write();
    // Puts one text on the clipboard and shows "Copied" on it for 1.5 s.
    void copy(PostTextBlock::Slot slot);

    struct Parts;  // the widgets the panel updates, for tests
    const Parts& parts() const { return *parts_; }

private:
    EditorModel& editor_;
    HookGenerator::Status ai_;
    std::shared_ptr<EditorClock> clock_;
    std::set<std::uint64_t> copyTimers_;  // the clock's tickets, cancelled when the panel goes
    bool english_ = false;
    std::optional<PostTextBlock::Slot> copied_;
    std::unique_ptr<Parts> parts_;

    QWidget* buildWriteGroup();
    QWidget* buildBusyRow();
    QWidget* buildNoteRow();
    QWidget* buildTexts();
    QWidget* buildEmptyState();
    void refreshTexts();
    void refreshWrite();
    void refreshBusy();
    void edit(PostTextBlock::Slot slot, const QString& text);
    void showCopied(std::optional<PostTextBlock::Slot> slot);
};

struct PostView::Parts {
    CompactButton* writeButton = nullptr;
    QToolButton* original = nullptr;
    QToolButton* english = nullptr;
    RowNote* writeNote = nullptr;
    QWidget* busyRow = nullptr;
    QLabel* busyText = nullptr;
    QWidget* noteRow = nullptr;
    QLabel* noteText = nullptr;
    QWidget* texts = nullptr;
    QLabel* footnote = nullptr;
    QWidget* emptyState = nullptr;
    std::vector<PostTextBlock*> blocks;  // in display order
};

}  // namespace vt::ui
