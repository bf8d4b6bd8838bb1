#pragma once
// The Thumbnail tab: finds the clearest frames of the edited video, lets the
// user pick one, a look and a text, previews the designed thumbnail and saves
// it as a PNG. Shows the editor model's thumbnail state and changes it only
// through its operations; nothing here touches the project or the undo
// history. Main thread only.

#include "ui/inspector/FeaturePanel.h"

#include <QImage>

#include <filesystem>
#include <functional>
#include <optional>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

namespace vt {
class EditorModel;
}

namespace vt::ui {

class InspectorGroup;
class ProgressRow;
class RowNote;

class ThumbnailView : public FeaturePanel {
    Q_OBJECT
public:
    // Asks where to save the PNG, given the suggested name; the system's save panel when empty.
    using SaveAsker = std::function<std::optional<std::filesystem::path>(const QString& name)>;
    explicit ThumbnailView(EditorModel& editor, SaveAsker askWhere = {}, QWidget* parent = nullptr);

    // The "Save PNG…" action.
    void savePng();

    struct Parts {
        QPushButton* find = nullptr;
        ProgressRow* progress = nullptr;
        RowNote* emptyNote = nullptr;
        QWidget* tiles = nullptr;
        std::vector<QToolButton*> tileButtons;
        InspectorGroup* design = nullptr;
        std::vector<QToolButton*> looks;
        QPlainTextEdit* text = nullptr;
        QLabel* preview = nullptr;
        QPushButton* save = nullptr;
        QLabel* saveError = nullptr;
    };
    const Parts& parts() const { return parts_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    EditorModel& editor_;
    SaveAsker askWhere_;
    Parts parts_;
    QImage previewImage_;  // the last preview rendered, fitted to the width on resizes

    QWidget* buildFrames();
    QWidget* buildDesign();
    void refreshFrames();
    void refreshDesign();
    void refreshPreview();
    void fitPreview();
};

}  // namespace vt::ui
