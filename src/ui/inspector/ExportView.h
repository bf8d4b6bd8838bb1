#pragma once
// The Export tab: the encoder settings, the size estimate, what the export
// will contain, the Export button with its progress and Cancel, the written
// file, subtitle and transcript files on demand. Holds no state of its own:
// it shows the editor model and the export action and changes them only
// through their operations. Main thread only.

#include <QString>
#include <QWidget>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

class QLabel;
class QProgressBar;
class QToolButton;

namespace vt {
class EditorModel;
class ExportAction;
class FileRevealer;
class ElidedLabel;
}

namespace vt::ui {

class BitrateRow;
class InspectorRow;
class PressableButton;
class RowNote;
class StopSlider;
class SwitchRow;

class ExportView : public QWidget {
    Q_OBJECT
public:
    // Asks where to save a file: a suggested name and the kind's filter.
    using SaveAsker = std::function<std::optional<std::filesystem::path>(const QString& name, const QString& filter)>;

    ExportView(EditorModel& editor, ExportAction& action, SaveAsker askWhere = {}, QWidget* parent = nullptr);

    // Where the written file is shown; the desktop's file manager unless set.
    void setRevealer(std::shared_ptr<FileRevealer> revealer) { revealer_ = std::move(revealer); }

    // Whether the thumbnail search has found frames to save.
    void setThumbnailCandidatesAvailable(bool available);

    // The Export button's action: asks for the file and starts the export.
    void startExport();
    // Writes the subtitle ("srt", "vtt") or transcript ("txt") text to a file picked by the user.
    void saveText(const QString& extension);

    struct Parts;  // the widgets the panel updates, for tests
    const Parts& parts() const { return *parts_; }

private:
    EditorModel& editor_;
    ExportAction& action_;
    SaveAsker askWhere_;
    std::shared_ptr<FileRevealer> revealer_;
    bool thumbnailsAvailable_ = false;
    std::unique_ptr<Parts> parts_;

    QWidget* buildSettingsGroup();
    QWidget* buildActionBlock();
    QWidget* buildIncludedGroup();
    QWidget* buildOtherFormatsGroup();

    void refreshSettings();
    void refreshAction();
    void refreshIncluded();

public:
    ~ExportView() override;
};

struct ExportView::Parts {
    ElidedLabel* summary = nullptr;
    QToolButton* autoMode = nullptr;
    QToolButton* manualMode = nullptr;
    SwitchRow* audioOnly = nullptr;
    SwitchRow* hdr = nullptr;
    RowNote* standardRangeNote = nullptr;
    RowNote* automaticNote = nullptr;
    QWidget* manualBlock = nullptr;
    StopSlider* resolution = nullptr;
    StopSlider* frameRate = nullptr;
    BitrateRow* bitrate = nullptr;
    QToolButton* h264 = nullptr;
    QToolButton* hevc = nullptr;
    RowNote* upscaleNote = nullptr;
    ElidedLabel* estimatedSize = nullptr;
    PressableButton* exportButton = nullptr;
    QWidget* progressBlock = nullptr;
    QProgressBar* progress = nullptr;
    QLabel* progressText = nullptr;
    QWidget* fileRow = nullptr;
    ElidedLabel* fileName = nullptr;
    QLabel* error = nullptr;
    std::vector<ElidedLabel*> includedValues;
    SwitchRow* alsoSRT = nullptr;
    SwitchRow* alsoThumbnail = nullptr;
    RowNote* thumbnailNote = nullptr;  // why the switch cannot be turned on yet
};

}  // namespace vt::ui
