#pragma once
// The editor's background-music commands: install a chosen file or a built-in
// mood (synthesized on first use, off the main thread) as the project's
// music, replace or remove it, and edit single settings for the music panel.
// Nothing here records an undo step.
//
// Threads: a QObject of the main thread beside the editor model it serves
// (which must outlive it). Synthesis and the reading of the music's length
// run on a worker; their results come back to the main thread and are
// dropped when a later command has replaced the music meanwhile.

#include "audio/MusicDucker.h"
#include "audio/MusicGenerator.h"
#include "editor/EditorModel.h"

#include <QObject>
#include <QThreadPool>

#include <filesystem>
#include <functional>
#include <optional>

namespace vt {

class MusicCommands final : public QObject {
    Q_OBJECT

public:
    // Gives the file of a mood, synthesizing it when missing
    // (MusicGenerator::ensure unless a test gives another). Worker thread.
    using Generate = std::function<std::filesystem::path(const MusicGenerator::Mood& mood, const CancelToken& cancel)>;

    explicit MusicCommands(EditorModel& model, Generate generate = nullptr, QObject* parent = nullptr);
    // Stops a running synthesis and waits for it; nothing is installed.
    ~MusicCommands() override;

    // A file the user chose: replaces any music whole, with the default
    // settings and a read-only bookmark (none when it cannot be made).
    void useMusicFile(const std::filesystem::path& file);
    // A built-in mood: sets musicBusy while its file is made, then installs
    // it keeping the current music's volume, ducking and fades. A failure
    // leaves "Couldn't create the music: ..." in error() and changes nothing.
    void useBuiltInMusic(const MusicGenerator::Mood& mood);
    // Replaces the music (none removes it), resets musicLength until the new
    // file's length is read, and rebuilds the player.
    void setMusic(std::optional<BackgroundMusic> music);

    // What the music panel's controls show: the music, or an empty record
    // with the default settings.
    BackgroundMusic music() const;
    // Edits the music's settings (dropped without music); `commit` ends the
    // edit at once, as letting go of a control does.
    void changeMusic(const std::function<void(BackgroundMusic&)>& edit, bool commit);
    // Ends an edit of the music's settings: its writes since the last end
    // make one undo step when they changed anything, and the player is
    // rebuilt.
    void finishEdit();

    // The music's gain over the output timeline (empty without music), for
    // the ducking strip.
    std::vector<MusicDucker::Point> musicCurve() const;

    // Why the last mood could not be made, for the music panel (not the
    // export's error); cleared by the next attempt and when music is set another way.
    const std::optional<std::string>& error() const { return error_; }

signals:
    void errorChanged();

private:
    void loadLength(const std::string& path);
    void setError(std::optional<std::string> message);

    EditorModel& model_;
    Generate generate_;
    std::uint64_t changes_ = 0;  // bumped by every setMusic, so late results can tell
    int generating_ = 0;         // moods asked for and not yet made
    CancelToken closing_;
    std::optional<std::string> error_;
    std::optional<BackgroundMusic> editedFrom_;  // the music before the edit in progress
    QThreadPool worker_;
};

}  // namespace vt
