#pragma once
// The Enhance tab: stabilization, audio cleanup, background music with its
// ducking strip, and the colour grade with its looks. A view over the editor
// model and its sound and picture jobs: it builds its rows once, shows or
// hides them as the model changes, and writes only through the jobs'
// operations. Each job's failure shows in its own group. Main thread only.

#include <QWidget>

#include <functional>
#include <optional>
#include <string>

class QCheckBox;
class QVBoxLayout;

namespace vt {
class EditorModel;
class SoundPictureJobs;
}

namespace vt::ui {

class ColorGroup;
class HoldButton;
class MusicSection;
class ProgressRow;
class RowNote;
class SwitchRow;
class ValueRow;

class ColorView : public QWidget {
    Q_OBJECT
public:
    // Asks for a music file (the file dialog unless a test gives another).
    using FileChooser = std::function<std::optional<std::string>()>;

    ColorView(EditorModel& editor, SoundPictureJobs& jobs, FileChooser chooseMusic = {}, QWidget* parent = nullptr);

    // The note under "Smoothness" for a correction zoom (none: not computed).
    static QString smoothnessNote(std::optional<double> zoom);

    struct Parts {
        QCheckBox* stabilize = nullptr;
        ProgressRow* measuring = nullptr;
        ValueRow* smoothness = nullptr;
        RowNote* smoothnessNote = nullptr;
        RowNote* stabilizeError = nullptr;
        QCheckBox* cleanup = nullptr;
        HoldButton* hearOriginal = nullptr;
        ValueRow* noiseReduction = nullptr;
        ValueRow* leveler = nullptr;
        SwitchRow* voiceEQ = nullptr;
        SwitchRow* normalize = nullptr;
        ProgressRow* cleaning = nullptr;
        RowNote* cleanedNote = nullptr;
        RowNote* cleanupError = nullptr;
        MusicSection* music = nullptr;
        ColorGroup* color = nullptr;
    };
    const Parts& parts() const { return parts_; }

private:
    EditorModel& editor_;
    SoundPictureJobs& jobs_;
    Parts parts_;
    QWidget* hearRow_ = nullptr;

    QWidget* buildStabilize();
    QWidget* buildCleanup();
    void refresh();
};

}  // namespace vt::ui
