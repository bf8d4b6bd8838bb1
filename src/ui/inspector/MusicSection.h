#pragma once
// The music group of the Enhance tab: add a built-in mood or a file, its
// level, ducking, start, fades and loop, a strip that draws the music's
// level over the speech, and the music job's own failure. Slider drags write
// the stored value and rebuild the player once when they end. Main thread only.

#include <QWidget>

#include <functional>
#include <optional>
#include <string>

class QMenu;
class QToolButton;
class QVBoxLayout;

namespace vt {
class EditorModel;
class MusicCommands;
}

namespace vt::ui {

class InlineButton;
class InspectorRow;
class ProgressRow;
class RowNote;
class SwitchRow;
class ValueRow;

// The music's gain (a line) over the speech (blocks) and the playhead.
class DuckingStrip : public QWidget {
    Q_OBJECT
public:
    DuckingStrip(EditorModel& editor, MusicCommands& music, QWidget* parent = nullptr);
    // The output length the strip spans: the cut's length, at least 0.1 s.
    static double span(double outputLength);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    EditorModel& editor_;
    MusicCommands& music_;
};

class MusicSection : public QWidget {
    Q_OBJECT
public:
    using FileChooser = std::function<std::optional<std::string>()>;

    MusicSection(EditorModel& editor, MusicCommands& music, FileChooser chooseFile = {}, QWidget* parent = nullptr);

    struct Parts {
        QToolButton* add = nullptr;
        InlineButton* remove = nullptr;
        InspectorRow* nameRow = nullptr;
        QToolButton* change = nullptr;
        RowNote* missing = nullptr;
        ValueRow* volume = nullptr;
        ValueRow* ducking = nullptr;
        ValueRow* startAt = nullptr;  // remade when the music's length changes
        ValueRow* fadeIn = nullptr;
        ValueRow* fadeOut = nullptr;
        SwitchRow* loop = nullptr;
        DuckingStrip* strip = nullptr;
        ProgressRow* composing = nullptr;
        RowNote* error = nullptr;
    };
    const Parts& parts() const { return parts_; }
    // The add / change menu: the moods, a divider and "Choose a File…".
    QMenu* menu() const { return menu_; }

private:
    EditorModel& editor_;
    MusicCommands& music_;
    FileChooser chooseFile_;
    Parts parts_;
    QMenu* menu_ = nullptr;
    QVBoxLayout* settings_ = nullptr;
    double startRange_ = -1;  // the length "Start at" was made for

    QMenu* buildMenu();
    void remakeStartAt();
    void refresh();
};

}  // namespace vt::ui
