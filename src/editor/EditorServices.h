#pragma once
// What the editor model needs of the world outside it, each behind a small
// interface so the model's own rules run and are tested without a player,
// media files or synthesis. The program plugs in the real ones; a service
// left out (null) switches its feature off: nothing is loaded, rendered or
// played, and the model's derived state is still complete.
//
// Threads: the model calls PreviewPlayer and EditorClock on the main thread
// only. The blocking calls of EditorMedia, EditorAudio::render and
// EditorPictures::prewarm are made from worker threads (never the main
// thread), one call per task; implementations must be safe to call from any
// thread and must not touch the model.

#include "model/AudioCleanup.h"
#include "model/BRoll.h"
#include "model/CameraPath.h"
#include "model/CaptionGroup.h"
#include "model/EditPlan.h"
#include "model/MatchCut.h"
#include "model/Placements.h"
#include "model/SoundEffects.h"
#include "model/SoundEvent.h"
#include "model/StabilizationCorrection.h"
#include "model/Word.h"
#include "platform/JsonCoding.h"
#include "platform/Uuid.h"
#include "video/Filmstrip.h"
#include "video/RenderSnapshot.h"

#include <QImage>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace vt {

class EditorModel;

// The preview player: a composition of the cut played through the frame
// compositor. The model decides when to rebuild or refresh (debounced) and
// what the snapshot holds; the player does the media work.
class PreviewPlayer {
public:
    virtual ~PreviewPlayer() = default;

    // Builds a new composition and player item from the model's current
    // state and puts the playhead at the model's pendingSeek (or its
    // currentTime), consuming the pending seek. Records the composition
    // tracks of video B-rolls with EditorModel::setBRollRuntime, which
    // publishes a fresh snapshot. Calls `done` on the main thread exactly
    // once, with the failure's message when the build failed (the previous
    // item then keeps playing).
    virtual void rebuild(EditorModel& model, std::function<void(std::optional<std::string> error)> done) = 0;
    // Swaps only the per-frame drawing of the current item (the render state
    // is already up to date) and redraws a paused frame. Calls `done` on the
    // main thread exactly once; failures are ignored.
    virtual void refresh(EditorModel& model, std::function<void()> done) = 0;

    virtual void pause() = 0;
    // Plays forward from the playhead at a rate (1 is normal speed, higher is
    // faster); 0 pauses.
    virtual void setRate(double rate) = 0;
    // Moves the playhead to an output time (seconds), frame-exact, without
    // changing the play state.
    virtual void seek(double seconds) = 0;
    // Replaces the current item by none.
    virtual void detachItem() = 0;
    // Calls `ready` on the main thread once the picture for the playhead is
    // composed, or once it is clear none will be (no item). A player that
    // shows no pictures of its own is ready at once.
    virtual void whenPictureReady(std::function<void()> ready) { ready(); }
    // Silences the sound (or brings it back) without stopping playback.
    virtual void setMuted(bool muted) = 0;
    // Reports the player time (seconds) and rate on the main thread every
    // 1/20 s until stopTimeReports.
    virtual void startTimeReports(std::function<void(double seconds, double rate)> report) = 0;
    virtual void stopTimeReports() = 0;
};

// Reading media files. Every call blocks and runs on a worker thread.
class EditorMedia {
public:
    virtual ~EditorMedia() = default;

    // The probed facts of a video's first video track; none when the file has
    // no video track or cannot be read.
    virtual std::optional<SourceVideoInfo> probeVideo(const std::string& path) = 0;
    // One upright picture of a video at a time in seconds; none on failure.
    virtual std::optional<QImage> frame(const std::string& path, double seconds) = 0;
    // The length in seconds of an audio or video file; none when unreadable.
    virtual std::optional<double> duration(const std::string& path) = 0;
    // Waveform peaks (0…1, 50 per second) of an audio file; empty on failure.
    virtual std::vector<float> peaks(const std::string& path) = 0;
    // The timeline thumbnail of a B-roll or overlay item; none on failure.
    virtual std::optional<QImage> thumbnail(const BRoll& item) = 0;
    // A clip's filmstrip over [lower, upper] of its own time, at most
    // `maxCount` small pictures; the ones that cannot be read are left out.
    virtual std::vector<Filmstrip::Frame> filmstrip(const std::string& path, double lower, double upper,
                                                    int maxCount) = 0;
    // Still pictures within maxSize × maxSize at joined-source times of these
    // spans, each carrying its time on the joined source; sorted by time.
    virtual std::vector<Filmstrip::Frame> framesAtSource(const std::vector<ClipSpan>& spans,
                                                         const std::vector<double>& times, int maxSize) = 0;
};

// The sound side: synthesized sound effects and cleaned voice tracks.
class EditorAudio {
public:
    virtual ~EditorAudio() = default;

    // The sound-effect events the captions, emojis, cuts and hook call for
    // under the settings' four switches. Pure; main thread.
    virtual std::vector<SoundEvent> events(const SoundEffects& settings, const std::vector<CaptionGroup>& groups,
                                           const std::set<int>& emojiLines, const EditPlan& plan, bool hook) = 0;
    // Renders all events into one track `duration` seconds long and returns
    // its file path; none when it could not be written. Worker thread.
    virtual std::optional<std::string> render(const std::vector<SoundEvent>& events, double duration) = 0;
    // Where the cleaned voice of one clip under these settings is cached.
    // Main thread.
    virtual std::string cleanedAudioPath(const Uuid& clipID, const AudioCleanup& settings) = 0;
};

// The picture side: stabilization and match-cut frames.
class EditorPictures {
public:
    virtual ~EditorPictures() = default;

    // The per-time correction for a measured camera path. Main thread.
    virtual StabilizationCorrection correction(const CameraPath& path, double strength) = 0;
    // Renders one match cut's frames into the shared frame cache. Worker thread.
    virtual void prewarm(const MatchCut& cut, RenderSize size) = 0;
};

// Wall time and single-shot timers, so tests can step time by hand.
class EditorClock {
public:
    using Ticket = std::uint64_t;
    virtual ~EditorClock() = default;

    virtual Date now() const = 0;
    // Calls `fire` once on the main thread after `seconds`, unless cancelled.
    virtual Ticket start(double seconds, std::function<void()> fire) = 0;
    // Harmless for a ticket that fired or was cancelled already.
    virtual void cancel(Ticket ticket) = 0;
};

// Speech of one media file to words in that file's seconds, for a locale id
// ("whisper:<language>" or a recognizer locale); progress as (stage,
// fraction) from any thread. Blocks on a worker thread; throws what the
// engine throws.
using SpeechEngine = std::function<std::vector<Word>(const std::string& path, const std::string& localeID,
                                                     double duration,
                                                     const std::function<void(const std::string&, double)>& progress)>;

struct EditorServices {
    std::shared_ptr<PreviewPlayer> player;
    std::shared_ptr<EditorMedia> media;
    std::shared_ptr<EditorAudio> audio;
    std::shared_ptr<EditorPictures> pictures;
    std::shared_ptr<EditorClock> clock;  // null: the system clock and QTimer single-shots
    SpeechEngine speech = {};             // null: the installed engines (whisper.cpp, the built-in recognizer)
};

}  // namespace vt
