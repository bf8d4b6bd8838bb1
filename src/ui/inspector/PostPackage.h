#pragma once
// "BEFORE YOU POST", the checklist at the foot of the Export tab: a hook on
// screen, the filler words cut and thumbnail frames found, with how many of
// the three are done and the fix for each in place (pick a hook line, remove
// the fillers, pick a thumbnail look, which also turns on the thumbnail file
// beside the export). While an export runs it follows the export's progress.
// Keeps no state: it shows the editor model and the export action and calls
// their operations. Main thread only.

#include "video/effects/ThumbnailGenerator.h"

#include <QWidget>

#include <memory>
#include <string>
#include <utility>
#include <vector>

class QHBoxLayout;
class QLabel;
class QProgressBar;
class QPropertyAnimation;
class QVBoxLayout;

namespace vt {
class EditorModel;
class ElidedLabel;
class ExportAction;
struct Word;
}

namespace vt::ui {

class FlowLayout;
class InlineButton;
class RadioDot;
class RowNote;

// A pressable row of the checklist: a radio dot and its text; the whole
// padded row takes the click and draws at 0.7 opacity while pressed.
class ChecklistRow : public QWidget {
    Q_OBJECT
public:
    ChecklistRow(QWidget* content, bool topAligned, QWidget* parent = nullptr);
    void setChosen(bool chosen);
    bool isChosen() const;
    QWidget* content() const { return content_; }

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    RadioDot* dot_;
    QWidget* content_;
    void setPressed(bool pressed);
};

class PostPackage : public QWidget {
    Q_OBJECT
public:
    PostPackage(EditorModel& editor, ExportAction& action, QWidget* parent = nullptr);
    ~PostPackage() override;

    // The open tasks ("hook", "fillers", "thumbnail") and the share done.
    struct Readiness {
        double value = 0;
        std::vector<std::string> items;
    };
    static Readiness readiness(bool hasHook, int fillers, bool hasCandidates);
    // Up to three lines: the model's first, then the transcript's, each once.
    static std::vector<std::string> hookLines(const std::vector<std::string>& aiHooks,
                                              const std::vector<std::string>& hooks);
    // [first, last) of the seven words around the first cut or filler.
    static std::pair<std::size_t, std::size_t> snippet(const std::vector<Word>& words);

    // The thumbnail look row's action.
    void chooseTemplate(ThumbnailTemplate design);

    struct Parts;  // the widgets the checklist updates, for tests
    const Parts& parts() const { return *parts_; }

private:
    EditorModel& editor_;
    ExportAction& action_;
    std::unique_ptr<Parts> parts_;
    std::vector<std::string> shownHooks_;
    std::string shownChips_;

    QWidget* heading(const QString& title, QLabel** subtitle);
    QWidget* buildHookSection();
    QWidget* buildCleanupSection();
    QWidget* buildPackageSection();
    void refresh();
    void refreshHooks();
    void refreshCleanup();
    void refreshPackage();
};

struct PostPackage::Parts {
    QLabel* status = nullptr;
    QLabel* hookSubtitle = nullptr;
    RowNote* noHooks = nullptr;
    std::vector<ChecklistRow*> hookRows;
    QLabel* cleanupSubtitle = nullptr;
    FlowLayout* chips = nullptr;
    std::vector<QLabel*> chipLabels;
    QLabel* synced = nullptr;
    InlineButton* removeFillers = nullptr;
    std::vector<std::pair<ThumbnailTemplate, ChecklistRow*>> templateRows;
    std::vector<ElidedLabel*> templateDetails;
    QLabel* toDo = nullptr;
    QProgressBar* bar = nullptr;
    QPropertyAnimation* barMotion = nullptr;
};

}  // namespace vt::ui
