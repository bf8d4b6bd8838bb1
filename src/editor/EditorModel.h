#pragma once
// The observable model of one open project: the project being edited, the
// state derived from it (cut, caption lines, paragraphs, placed timeline
// items, the render snapshot), debounced saving, undo and redo, and the
// notifications that keep the preview in step. Every editor view reads it
// and changes the project only through it.
//
// Threads: a QObject of the main thread; every member is called there. The
// only state other threads see is the render snapshot, through renderState().
// Background work (media reading, effects rendering, match-cut frames) runs
// on worker threads and hands its result back to the main thread; a result
// for a torn-down editor or for work that was superseded is dropped.
//
// Observation: each observable property has a `<name>Changed` signal, sent
// after the new value is stored and only when it differs from the old one,
// except where noted ("always"). Changing the project always notifies and
// restarts the 0.8 s save countdown; it re-derives nothing: the command that
// changed it ends with visualChanged(), timelineChanged() or
// timelineItemsChanged().
//
// Split over several files: EditorModel.cpp (construction, set-up,
// teardown, plain properties), EditorModelHistory.cpp (saving, undo, redo),
// EditorModelDerivation.cpp (derived caption state), EditorModelSnapshot.cpp
// (render snapshot), EditorModelPlacement.cpp (timeline items, effects
// audio, B-roll), EditorModelRefresh.cpp (the three notifications) and
// EditorClipMedia.cpp (clip peaks, filmstrip and frame grabs).

#include "editor/Debounce.h"
#include "editor/EditState.h"
#include "editor/EditorServices.h"
#include "editor/EmojiPick.h"
#include "editor/InspectorTab.h"
#include "editor/TranscriptMode.h"
#include "editor/WordMeasures.h"
#include "model/EditPlan.h"
#include "model/FileAccess.h"
#include "model/Paragraph.h"
#include "model/Placements.h"
#include "model/Project.h"
#include "model/SoundEvent.h"
#include "model/StabilizationCorrection.h"
#include "model/Timeline.h"
#include "text/CaptionTranslator.h"
#include "speech/TranscriptionEngine.h"
#include "video/RenderSnapshot.h"
#include "video/StylePreviewCache.h"
#include "video/effects/ThumbnailGenerator.h"

#include "captions/look/StyleVariants.h"
#include "model/ReframeMode.h"

#include <QImage>
#include <QObject>
#include <QRectF>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

namespace vt {

// Word ids are random, so their first eight bytes already make a good hash;
// the derived tables keyed by word id are rebuilt on every edit.
struct WordIDHash {
    std::size_t operator()(const Uuid& id) const noexcept
    {
        std::size_t h = 0;
        std::memcpy(&h, id.bytes().data(), sizeof h);
        return h;
    }
};

class EditorModel final : public QObject {
    Q_OBJECT

public:
    // A transcript word on the output timeline, for lookups by time.
    struct OutputEntry {
        Uuid id;
        double start = 0;  // output seconds
        double end = 0;
        friend bool operator==(const OutputEntry&, const OutputEntry&) = default;
    };
    // The composition track and probed facts of a video B-roll in the
    // current player item.
    struct BRollRuntime {
        std::int32_t trackID = 0;
        SourceVideoInfo source;
        friend bool operator==(const BRollRuntime&, const BRollRuntime&) = default;
    };
    // The status line shown while background work runs.
    struct Activity {
        std::string text;
        std::optional<double> progress;  // 0…1
        friend bool operator==(const Activity&, const Activity&) = default;
    };

    static constexpr double saveDelay = 0.8;      // seconds after the last change
    static constexpr double rebuildDelay = 0.12;  // player rebuild after a change of the cut
    static constexpr double refreshDelay = 0.03;  // video-composition refresh after a visual change
    static constexpr double effectsDelay = 0.25;  // effects-track render after the events change
    static constexpr std::size_t undoLimit = 200;

    // Opens `project` for editing: migrates it, derives everything once and
    // publishes the first snapshot, then starts reading the media in the
    // background (isLoading stays true until that set-up ends). `files` keeps
    // the project's media reachable until teardown(). Cannot fail.
    EditorModel(Project project, std::shared_ptr<FileAccess::Session> files, EditorServices services = {},
                QObject* parent = nullptr);
    // A pending save is written now rather than lost.
    ~EditorModel() override;

    // Ends playback, time reports, the effects render and file access, and
    // writes a pending save, or retries a failed one, at once (closing needs
    // no save of its own).
    // Calling it twice is harmless.
    void teardown();

    // ---- the project and saving --------------------------------------------
    const Project& project() const { return project_; }
    // Replaces the project; always notifies and restarts the save countdown.
    void setProject(Project project);
    // Changes the project in place, with the same effect as setProject.
    template <class Change>
    void updateProject(Change&& change)
    {
        change(project_);
        projectWritten();
    }
    // Writes the project now and cancels the pending save, so an older
    // pending copy cannot follow it.
    void saveNow();
    // Why the last save failed; absent once a save succeeds. The project
    // stays unsaved and the next change tries again.
    const std::optional<std::string>& saveError() const { return saveError_; }
    bool hasUnsavedChanges() const { return unsaved_; }

    // ---- undo and redo -------------------------------------------------------
    // Records the current state as one undo step and forgets the redo history.
    // Every command that changes words, clips, timeline items or the video
    // volume calls it once, before its change.
    void pushUndo();
    // Records one undo step for a finished edit of the music's settings (its
    // level, ducking, start, fades and loop; not which music) or for a flip
    // of a lane's switches, after the edit: undoing brings `before` back.
    void recordMusicUndo(const BackgroundMusic& before);
    void recordLanesUndo(const TrackSettings& before);
    void undo();
    void redo();
    bool canUndo() const { return !undoStack_.empty(); }
    bool canRedo() const { return !redoStack_.empty(); }
    std::size_t undoDepth() const { return undoStack_.size(); }
    // Whether some undo or redo step satisfies `test`.
    bool historyHolds(const std::function<bool(const EditState&)>& test) const;
    // Brings every cut word back, as one undoable step.
    void restoreAll();

    // ---- derived caption state (re-derived by every notification) -----------
    // The word list the editor shows and edits: the voiceover's words while
    // they drive the captions, else the English translation while it is used,
    // else the project's words. Setting it stores into that same source.
    const std::vector<Word>& transcript() const;
    void setTranscript(std::vector<Word> words);
    // Changes that same list in place, with the same effect as setTranscript.
    void editTranscript(const std::function<void(std::vector<Word>&)>& change);
    bool usesTranslation() const;
    bool voiceDrivesCaptions() const;
    double outputTime(const Word& word) const;  // the word's start on the output
    int fillerCount() const;
    int cutCount() const;
    double savedSeconds() const;
    std::vector<ClosedRange<double>> speechRanges() const;

    const EditPlan& plan() const { return plan_; }
    const std::vector<TimedWord>& timedWords() const { return timedWords_; }
    const std::vector<CaptionGroup>& groups() const { return groups_.list(); }
    const std::vector<Paragraph>& paragraphs() const { return paragraphs_; }  // notifies always
    const std::vector<OutputEntry>& outputIndex() const { return outputIndex_; }
    // The position in groups() of the caption line that shows a transcript
    // word; none for a word in no line. groupOfWordChanged tells of changes.
    std::optional<int> groupOfWord(const Uuid& id) const;
    // The same for the word at a position of transcript().
    std::optional<int> groupOfWordAt(std::size_t index) const;
    const std::map<int, EmojiPick>& emojiPicks() const { return emojiPicks_; }
    const std::set<Uuid>& trimmedWordIDs() const { return trimmedWordIDs_; }

    // ---- notifications: every command ends with exactly one -----------------
    // Only what is drawn changed: re-derive, then refresh the picture 0.03 s
    // after the last call.
    void visualChanged();
    // The cut or what the player plays changed: re-derive, keep the playhead
    // on the same source moment, rebuild the player 0.12 s after the last call.
    void timelineChanged();
    // Match cuts, camera moves, sounds or lane switches changed: re-place
    // them, recollect the effect events, publish a snapshot and refresh the
    // picture 0.03 s later, without re-deriving captions or B-roll.
    void timelineItemsChanged();

    // ---- the render snapshot ---------------------------------------------------
    // A new snapshot of the current project and derived state; changes nothing.
    RenderSnapshot snapshot() const;
    // Shared with the frame compositor for the life of the editor.
    const std::shared_ptr<RenderState>& renderState() const { return renderState_; }

    // ---- timeline placement -----------------------------------------------------
    const std::vector<PlacedMatchCut>& placedMatchCuts() const { return placedMatchCuts_; }
    const std::vector<PlacedMotion>& placedMotions() const { return placedMotions_; }
    const std::vector<PlacedSound>& placedSounds() const { return placedSounds_; }
    const std::vector<BRollPlacement>& brollPlacements() const { return brollPlacements_; }  // notifies always
    const std::set<Uuid>& brollWordIDs() const { return brollWordIDs_; }
    const std::vector<SoundEvent>& effectsEvents() const { return effectsEvents_; }
    const std::optional<std::string>& effectsAudioURL() const { return effectsAudioURL_; }
    // The video's volume envelope with its point times on the output.
    VolumeEnvelope placedVideoVolume() const;
    // The voiceover as the mix plays it (silenced when its lane is muted).
    std::optional<Voiceover> mixVoiceover() const;
    const std::map<Uuid, BRollRuntime>& brollRuntime() const { return brollRuntime_; }
    // Recorded by the player after each rebuild; publishes a fresh snapshot.
    void setBRollRuntime(std::map<Uuid, BRollRuntime> runtime);
    // The sound-effects settings; without any, the rendered track is dropped
    // too. Ends with timelineChanged().
    void setSoundEffects(std::optional<SoundEffects> settings);

    // ---- media and playback ------------------------------------------------------
    // The video facts of all clips read so far, summed up: the first one's
    // size and transform, the largest frame rate, HDR only when every one
    // is, and the whole source length. None until some clip is read.
    const std::optional<SourceVideoInfo>& source() const { return source_; }  // notifies always
    const std::map<Uuid, SourceVideoInfo>& clipInfo() const { return clipInfo_; }
    const std::optional<QImage>& posterFrame() const { return posterFrame_; }
    // The moment of the joined source the poster frame shows (seconds): the
    // previews frame it on the face found there.
    double posterTime() const { return posterTime_; }
    // The joined waveform of all clips over the joined source timeline.
    const std::vector<float>& waveformPeaks() const { return waveformPeaks_; }
    void setWaveformPeaks(std::vector<float> peaks);
    const std::map<std::string, std::vector<float>>& soundPeaks() const { return soundPeaks_; }
    const std::map<Uuid, QImage>& brollThumbs() const { return brollThumbs_; }
    const std::map<Uuid, std::string>& cleanAudioURLs() const { return cleanAudioURLs_; }
    // Written by the audio cleanup jobs; the next player rebuild takes it.
    void setCleanAudioURLs(std::map<Uuid, std::string> files);
    const std::map<Uuid, std::string>& clipJobs() const { return clipJobs_; }
    double musicLength() const { return musicLength_; }
    // Written by the music commands once the music file's length is read.
    void setMusicLength(double seconds);
    bool isLoading() const { return isLoading_; }
    bool isRefreshing() const { return isRefreshing_; }
    double currentTime() const { return currentTime_; }
    void setCurrentTime(double seconds);
    bool isPlaying() const { return isPlaying_; }
    const std::optional<Uuid>& activeWordID() const { return activeWordID_; }
    // Where the next player rebuild puts the playhead (output seconds); the
    // rebuild consumes it.
    std::optional<double> takePendingSeek();
    const std::optional<std::string>& exportError() const { return exportError_; }
    void setExportError(std::optional<std::string> message);
    std::optional<Activity> activity() const;

    // ---- transcript editing state ---------------------------------------------
    const std::set<Uuid>& selection() const { return selection_; }
    void setSelection(std::set<Uuid> ids);
    const std::optional<Uuid>& editingWordID() const { return editingWordID_; }
    void setEditingWordID(std::optional<Uuid> id);
    const std::string& editDraft() const { return editDraft_; }
    void setEditDraft(std::string draft);
    bool editStartedByTyping() const { return editStartedByTyping_; }
    void setEditStartedByTyping(bool value);

    // ---- editor window modes ------------------------------------------------------
    InspectorTab inspectorTab() const { return inspectorTab_; }
    void setInspectorTab(InspectorTab tab);
    TranscriptMode transcriptMode() const { return transcriptMode_; }
    void setTranscriptMode(TranscriptMode mode);
    bool showSafeArea() const { return showSafeArea_; }
    void setShowSafeArea(bool value);
    // Hold to compare with the ungraded picture; every write redraws.
    bool showOriginal() const { return showOriginal_; }
    void setShowOriginal(bool value);
    double timelineZoom() const { return timelineZoom_; }
    void setTimelineZoom(double zoom);
    bool itemInspectorOpen() const { return itemInspectorOpen_; }
    void setItemInspectorOpen(bool value);
    const std::optional<TimelineItem>& timelineSelection() const { return timelineSelection_; }
    void setTimelineSelection(std::optional<TimelineItem> item);

    // ---- audio, colour and texts ------------------------------------------------
    // Hold to hear the sound before cleanup; every write rebuilds the player.
    bool audioBypass() const { return audioBypass_; }
    void setAudioBypass(bool value);
    bool musicBusy() const { return musicBusy_; }
    void setMusicBusy(bool value);
    const std::optional<double>& audioProgress() const { return audioProgress_; }
    void setAudioProgress(std::optional<double> progress);
    bool autoBusy() const { return autoBusy_; }
    void setAutoBusy(bool value);
    const std::optional<double>& stabilizeProgress() const { return stabilizeProgress_; }
    void setStabilizeProgress(std::optional<double> progress);
    const std::optional<StabilizationCorrection>& stabCorrection() const { return stabCorrection_; }
    void setStabCorrection(std::optional<StabilizationCorrection> correction);
    // The colour look shown while the pointer rests on it.
    const std::optional<std::string>& previewLook() const { return previewLook_; }
    void setPreviewLook(std::optional<std::string> lookID);
    const std::string& thumbText() const { return thumbText_; }
    void setThumbText(std::string text);

    // ==== Editing by words: selection, word commands, transcript text, caption
    // looks and emojis (EditorWordCommands.cpp, EditorTextCommands.cpp,
    // EditorStyleCommands.cpp, EditorEmojiCommands.cpp). A command that would
    // change nothing records no undo step, so the redo history survives it.
    // Commands take ids (and timeline items) by value: callers pass ids that
    // live in the selection or in the project's own lists, which the command
    // replaces before it is done with the id.
public:
    // -- selection and single words ----------------------------------------------
    // A click on a word: with Shift and an anchor, selects the words from the
    // anchor to it (transcript order, cut words included); with Ctrl, adds or
    // removes it and makes it the anchor; otherwise selects only it, makes it
    // the anchor and seeks to it. Never opens or closes an inline edit.
    void select(Uuid id, Qt::KeyboardModifiers modifiers);
    // The anchor when it is selected, else the smallest selected id; none
    // when nothing is selected.
    std::optional<Uuid> primarySelection() const;
    // Opens the inline field on a word (pausing the player), with the typed
    // text when the edit was started by typing, else the word's own text.
    void beginEdit(Uuid id, std::optional<std::string> typed = std::nullopt);
    // Closes the inline field and sets its draft as the word's text; with
    // moveNext, opens the next uncut word after the words it became.
    void commitEdit(bool moveNext);
    // Retypes one word. Several parts split the word's time by character
    // counts (the first keeps the id) and re-plan the cut; blank text cuts the
    // word (or restores a cut one); the same text changes nothing.
    void setText(const Uuid& id, const std::string& text);
    // Sets the flag on every given word, or clears it when all already have
    // it. Ids that match no word change nothing.
    void toggleDelete(const std::set<Uuid>& ids);
    void toggleEmphasis(const std::set<Uuid>& ids);
    // Forces (or lifts) a caption-line break after the word.
    void toggleBreak(const Uuid& id);
    // Cuts every uncut filler word.
    void removeFillers();
    // Puts the playhead 0.01 s into the word; unknown ids do nothing.
    void seekToWord(const Uuid& id);
    // The last transcript word on the output that starts at or before
    // `outputTime`; none before the first word.
    std::optional<Uuid> wordID(double outputTime) const;
    // The first and last uncut words that overlap [from, to] (source seconds)
    // by more than 0.02 s at each end; none when no word does.
    static std::optional<std::pair<Uuid, Uuid>> anchors(const std::vector<Word>& words, double from, double to);

    // -- the transcript as text ------------------------------------------------------
    // The uncut words joined by spaces, each sentence on a line of its own.
    std::string editableText() const;
    // Turns an edited editableText() back into words: matched words keep id,
    // times and looks; deleted ones are cut; retyped runs share the time of
    // the words they replace (replaced words keep their ids); new words fill
    // the gap before the next word. Re-plans the cut.
    void applyTextEdit(const std::string& text);
    // Retypes the words of one caption line (by its index); blank text cuts
    // the line.
    void setLineText(int line, const std::string& text);
    struct WordFrame {
        Uuid id;
        QRectF rect;  // render-frame pixels, origin bottom-left
        friend bool operator==(const WordFrame&, const WordFrame&) = default;
    };
    // Where each word of the caption line under the playhead is drawn; empty
    // with captions hidden or no line shown.
    std::vector<WordFrame> captionWordFrames() const;

    // -- caption looks -------------------------------------------------------------------
    // Gives the words a look of their own (stored in the style overrides under
    // its id), or with none (or the video's own look) the video's look again.
    // Ids that match no word change nothing.
    void applyStyle(const std::optional<CaptionStyle>& look, const std::set<Uuid>& ids);
    // The look of their own that all these words share; none otherwise.
    std::optional<CaptionStyle> sharedStyle(const std::set<Uuid>& ids) const;
    // Makes the look the video's look and remembers where it came from.
    void applyPreset(const CaptionStyle& look);
    // Recolours the video's look; none brings back its library look's colours.
    void applyVariant(const std::optional<StyleVariants::Swatch>& swatch);
    // The video's look as its library look has it.
    void resetStyle();
    void setAspect(OutputAspect aspect);
    void setReframe(ReframeMode reframe);
    // The word's size, colour and offset; the default look for unknown words.
    WordLook look(const Uuid& id) const;
    // Edits the look of each given word (a default result is stored as none).
    // With recordUndo, an undo step is recorded when some look changes, so a
    // drag passes true until its first change that moves a word.
    void updateLook(const std::set<Uuid>& ids, bool recordUndo, const std::function<void(WordLook&)>& change);
    // A two-way binding of one field of the video's look; every set writes
    // the project and redraws, unchecked and not undoable.
    template <class T>
    struct StyleBinding {
        EditorModel* model;
        T CaptionStyle::*field;
        const T& get() const { return model->project().style.*field; }
        void set(T value) const
        {
            model->updateProject([&](Project& p) { p.style.*field = std::move(value); });
            model->visualChanged();
        }
    };
    template <class T>
    StyleBinding<T> styleBinding(T CaptionStyle::*field)
    {
        return {this, field};
    }
    // The preview pictures drawn in the old format, framing or look are out
    // of date: applyStyle outdates the caption-look previews, a new format or
    // framing both kinds.
    Q_SIGNAL void stylePreviewsOutdated();
    Q_SIGNAL void lookPreviewsOutdated();
    // The one cache of preview pictures (EditorStylePreviews.cpp): caption-look
    // previews by previewKey, colour-look previews by look id. The outdated
    // signals empty it; views observe its change signals.
    StylePreviewCache& previewCache();
    // The look's id, its hash and the caption script's raw value, joined by "|".
    std::string previewKey(const CaptionStyle& look) const;
    // Draws the look over the poster frame in the project's format and
    // framing, in the background, unless its picture is cached, on its way,
    // or there is no poster frame yet.
    void ensurePreview(const CaptionStyle& look);
    // The look's picture is no longer wanted (its card left the screen).
    void cancelPreview(const CaptionStyle& look);
    // Whether the words the editor shows carry native-script text (under
    // the English translation: the spoken words it was made from).
    bool hasNativeText() const;

    // -- emojis ----------------------------------------------------------------------------
    // Stores the emoji settings (none switches emojis off); not undoable.
    void setEmojis(std::optional<EmojiSettings> settings);
    // The manual emoji of one caption line: an emoji, none (no emoji) or
    // "auto" (the automatic choice again). Turns emojis on when off.
    void setEmoji(const std::optional<std::string>& emoji, int line);

    // Empties both undo stacks, the selection and the inline edit; for when
    // the word list is replaced wholesale (a new transcription, a voiceover
    // take, the translation switched on or off).
    void resetTranscriptEditing();

    // ==== Editor window support (EditorViewCommands.cpp) ===========================
public:
    // The word anchoring Shift-extended selections; kept while the selection
    // is emptied.
    const std::optional<Uuid>& anchor() const { return anchor_; }
    void setAnchor(std::optional<Uuid> id);
    // The caption line of the word under the playhead; none without one.
    std::optional<int> activeGroupIndex() const;
    // Sets the playhead and seeks the player there, frame-exact.
    void seekExactly(double outputSeconds);
    // Pauses while playing; otherwise starts (from 0 when within 0.1 s of the
    // end). Flips isPlaying.
    void togglePlay();
    // Silences the player's sound (while a voiceover is recorded) or brings it back.
    void setPlayerMuted(bool muted)
    {
        if (services_.player) services_.player->setMuted(muted);
    }
    // 1 forward (doubling the rate up to 4 on repeats; from 0 when within
    // 0.1 s of the end), -1 backward (the preview cannot play in reverse, so
    // it pauses and steps back 2 s), 0 pauses.
    void shuttle(int direction);
    double shuttleRate() const { return shuttleRate_; }
    // `count` bar heights (0…1) for the scrubber over the edited video: the
    // clips' sound through the cut, or the voiceover take's own sound while
    // its words drive the captions (its peaks are loaded on first asking).
    std::vector<float> waveformBars(int count);
    // The peaks of the voiceover take, from its start (50 a second).
    const std::vector<float>& voicePeaks() const { return voicePeaks_; }
    Q_SIGNAL void voicePeaksChanged();

private:
    void loadVoicePeaks(const Voiceover& take);

    double shuttleRate_ = 0;
    std::vector<float> voicePeaks_;
    std::optional<std::string> voicePeaksPath_;  // the take whose peaks were last asked for
    struct BarsCache {
        int count = 0;
        double length = 0;
        std::size_t peaks = 0;
        std::vector<float> bars;
    };
    std::optional<BarsCache> barsCache_;
    // ==== end of editor window support =============================================

private:
    bool toggleFlag(const std::set<Uuid>& ids, bool Word::*flag);
    std::optional<Uuid> anchor_;
    // ==== end of editing by words ==================================================

    // ==== Clips and timeline items (EditorItemCommands.cpp,
    // EditorMotionCommands.cpp, EditorClipCommands.cpp). Items are given and
    // placed in output seconds and stored in source seconds; a time that is
    // not a finite number counts as 0. A command that changes nothing records
    // no undo step.
public:
    // -- selection and single items ----------------------------------------------
    // Selects the item (none clears) and opens the inspector that belongs to
    // it: the hook tab for a match cut, the effects tab for a camera move, the
    // item inspector for an overlay or a clip.
    void selectTimelineItem(std::optional<TimelineItem> item);
    std::optional<MatchCut> selectedMatchCut() const;
    std::optional<MotionEffect> selectedMotion() const;
    // Where the item lies on the output as of the last placement.
    std::optional<std::pair<double, double>> span(const TimelineItem& item) const;
    // Moves or resizes an item within the output and the limits of its kind;
    // trimming a video overlay's or a sound's left edge moves its offset into
    // the file with it. Clips are not moved here.
    void setSpan(const TimelineItem& item, double start, double duration, bool recordUndo);
    // Removes the item (a clip through removeClip); records an undo step only
    // when something is removed.
    void remove(TimelineItem item);
    // A copy right after the item, selected.
    void duplicate(const TimelineItem& item);
    // An effect dropped from the palette at an output time.
    struct TimelineDrop {
        enum class Kind { matchCut, motion };
        Kind kind = Kind::motion;
        std::optional<MatchCut::Style> style;
        std::optional<std::int64_t> seed;
        std::optional<std::string> word;
        MotionEffect::Kind motion = MotionEffect::Kind::zoomIn;
    };
    void place(const TimelineDrop& drop, double at);

    // -- match cuts and camera moves ---------------------------------------------------
    // A copy of the template with a new id at the output time, fitted into the
    // output and selected.
    Uuid addMatchCut(MatchCut cut, double at);
    void updateMatchCut(Uuid id, bool recordUndo, const std::function<void(MatchCut&)>& edit);
    Uuid addMotion(MotionEffect::Kind kind, double at);
    void updateMotion(Uuid id, bool recordUndo, const std::function<void(MotionEffect&)>& edit);
    // Adds the proposed camera moves; how many were added.
    int addAutoMotion();
    void removeAllMotion();

    // -- clips -----------------------------------------------------------------------------
    // Asks the user for a file: the program plugs in its file dialog, tests a
    // fixed answer. Gets the prompt and the accepted name patterns.
    using FileChooser =
        std::function<std::optional<std::string>(const std::string& message, const std::vector<std::string>& patterns)>;
    static std::optional<std::string> pickVideoFile(const std::string& message, const FileChooser& choose);
    // Reads the video off the main thread, then inserts it as a new clip at
    // `index` (none: the end), carries every source time to the new layout,
    // selects it and reads the clips again. A file without video, or of
    // 0.2 s or less, sets exportError and changes nothing.
    void addClip(const std::string& path, std::optional<int> index = std::nullopt);
    // The last clip stays.
    void removeClip(Uuid id);
    void moveClip(Uuid id, int index);
    // Trims are clamped so at least 0.5 s of the clip stays and neither is
    // negative.
    void setClipTrim(Uuid id, double start, double end, bool recordUndo);
    struct ClipSpanEntry {
        Uuid id;
        std::string name;
        double start = 0;  // output seconds
        double end = 0;
        VideoClip clip;
    };
    std::vector<ClipSpanEntry> clipSpans() const;

    // -- media items: overlays, B-roll, sounds, adjustments -------------------------
    static std::optional<std::string> pickOverlayFile(const FileChooser& choose);
    static std::optional<std::string> pickBRollFile(const FileChooser& choose);
    static std::optional<std::string> pickAudioFile(const FileChooser& choose);
    // A photo (by its name's type) or a video as a timed overlay from the
    // output time, selected. A file without a picture sets exportError.
    void addOverlay(const std::string& path, double at);
    // A B-roll over the kept words among `ids` (none: the selection), or
    // over the words under the playhead; one undo step. Nothing without a
    // kept word.
    void addBRoll(const std::string& path, const std::optional<std::set<Uuid>>& ids = std::nullopt);
    // A sound file from the output time, at most as long as the file and the
    // rest of the output, selected. A file without sound sets exportError.
    void addSound(const std::string& path, double at);
    std::optional<SoundClip> selectedSound() const;
    void loadBRollThumb(const BRoll& item);
    // The caption of an item's row: a timed overlay's time and length, else
    // the kept words it covers (at most 60 characters, then "…"); empty when
    // its anchors name no word.
    std::string brollText(const BRoll& item) const;
    void loadSoundPeaks(const SoundClip& sound);
    // The stored adjustment of a clip or overlay, else the default.
    ItemAdjust adjust(const TimelineItem& item) const;
    // Edits an adjustment; calls on one item less than 0.8 s apart make one
    // undo step, and a call that changes nothing (or finds no item) makes
    // none. A clip's changed volume rebuilds the player, anything else redraws.
    void updateAdjust(const TimelineItem& item, const std::function<void(ItemAdjust&)>& change);
    // Grades a clip or overlay from a few of its own frames (at most 480
    // pixels), keeping its look and creative settings, through updateAdjust;
    // `done` runs on the main thread once finished, graded or not (not for a
    // torn-down editor). Other kinds and unknown items change nothing.
    void autoEnhance(const TimelineItem& item, std::function<void()> done);
    // The upright pixel size of a clip once its media facts are read.
    std::optional<Size> clipSize(const Uuid& clipID) const;
    // Width over height of an overlay's picture, once known.
    std::optional<double> overlayAspect(const BRoll& item) const;

private:
    struct LastAdjust {
        TimelineItem item;
        Date at;
    };
    std::optional<LastAdjust> lastAdjust_;
    void updateClipList(Project& copy, const std::vector<ClipSpan>& old, bool regenerateHooks = false);
    // Transcribes a new clip in the background and merges its words at the
    // clip's place when it ends (ClipTranscription.cpp).
    void transcribeClip(const VideoClip& clip);
    // The clip's words (none when its transcription failed) and face samples,
    // clip-relative, merged at its present place; dropped when it is gone.
    void mergeClipTranscription(Uuid clipID, const std::optional<std::vector<Word>>& words,
                                const std::optional<FaceTrack>& faces);
    void reloadClips();
    Debounce prewarmTask_;  // the frames of the last edited match cut
    // ==== end of clips and timeline items ===========================================

    // ==== thumbnails: candidate frames, the choice and its rendering
    // (EditorThumbnails.cpp). Kept while the editor is open; never stored in
    // the project, never part of an undo step.
public:
    // The frames of the last search, best first (notifies always).
    const std::vector<ThumbnailCandidate>& thumbCandidates() const { return thumbCandidates_; }
    bool thumbBusy() const { return thumbBusy_; }
    const std::optional<Uuid>& selectedThumbID() const { return selectedThumbID_; }
    void setSelectedThumbID(std::optional<Uuid> id);
    ThumbnailTemplate thumbTemplate() const { return thumbTemplate_; }
    void setThumbTemplate(ThumbnailTemplate design);
    // The picked candidate, else the first one, else none.
    std::optional<ThumbnailCandidate> selectedThumb() const;
    // Scores frames of the edited video off the main thread and keeps the best
    // three, choosing the first; fills an empty thumbText from the hook.
    void findThumbnails();
    // The chosen thumbnail at the output canvas size times `scale`; none
    // without a candidate.
    std::optional<QImage> renderThumbnail(double scale) const;
    // Writes the chosen thumbnail at full size as a PNG. False without a
    // candidate; throws std::runtime_error when the file cannot be written.
    bool saveThumbnail(const std::filesystem::path& file) const;

signals:
    void thumbCandidatesChanged();
    void thumbBusyChanged();
    void selectedThumbIDChanged();
    void thumbTemplateChanged();

private:
    std::vector<ThumbnailCandidate> thumbCandidates_;
    bool thumbBusy_ = false;
    std::optional<Uuid> selectedThumbID_;
    ThumbnailTemplate thumbTemplate_ = ThumbnailTemplate::bold;
    // ==== end of thumbnails =========================================================

signals:
    // Sent once by teardown(), before anything is stopped.
    void closing();
    void projectChanged();
    void saveErrorChanged();
    void historyChanged();  // canUndo / canRedo
    void planChanged();
    void timedWordsChanged();
    void groupsChanged();
    void paragraphsChanged();
    void groupOfWordChanged();
    void emojiPicksChanged();
    void trimmedWordIDsChanged();
    void placedMatchCutsChanged();
    void placedMotionsChanged();
    void placedSoundsChanged();
    void brollPlacementsChanged();
    void brollWordIDsChanged();
    void effectsAudioURLChanged();
    void sourceChanged();
    void posterFrameChanged();
    void waveformPeaksChanged();
    void soundPeaksChanged();
    void brollThumbsChanged();
    void cleanAudioURLsChanged();
    void clipJobsChanged();
    void musicLengthChanged();
    void isLoadingChanged();
    void isRefreshingChanged();
    void currentTimeChanged();
    void isPlayingChanged();
    void activeWordIDChanged();
    void exportErrorChanged();
    void selectionChanged();
    void editingWordIDChanged();
    void editDraftChanged();
    void editStartedByTypingChanged();
    void inspectorTabChanged();
    void transcriptModeChanged();
    void showSafeAreaChanged();
    void showOriginalChanged();
    void timelineZoomChanged();
    void itemInspectorOpenChanged();
    void timelineSelectionChanged();
    void audioBypassChanged();
    void musicBusyChanged();
    void audioProgressChanged();
    void autoBusyChanged();
    void stabilizeProgressChanged();
    void stabCorrectionChanged();
    void previewLookChanged();
    void thumbTextChanged();

private:
    // Stores `value`; true when it differs from the old one (the caller then
    // sends the signal).
    template <class T>
    static bool assign(T& field, T value)
    {
        const bool changed = !(field == value);
        field = std::move(value);
        return changed;
    }
    template <class T>
    void set(T& field, T value, void (EditorModel::*signal)())
    {
        if (assign(field, std::move(value))) emit(this->*signal)();
    }

    // Lifecycle (EditorModel.cpp)
    void startConstruction();
    void rewriteLegacyMusicPath();
    void startBackgroundLoads();
    void setup();
    void loadClips(std::function<void(EditorModel&)> then);
    void setupWithSource();
    void grabPoster();
    void finishSetup();
    // Runs `work` on a worker thread, then the function it returns on the
    // main thread, unless the editor was torn down or destroyed meanwhile.
    // `work` must not touch the model.
    void inBackground(std::function<std::function<void(EditorModel&)>()> work);

    // Saving and undo (EditorModelHistory.cpp)
    void projectWritten();
    void scheduleSave();
    void writeProject();
    EditState editState() const;
    EditState counterpart(const EditState& step) const;
    // Records a step, dropping the oldest beyond the limit, and forgets the redo history.
    void pushStep(EditState step);
    void restore(const EditState& step);
    void prewarmMatchCuts();

    // Derivation (EditorModelDerivation.cpp)
    void recomputeDerived();
    // The timed words of the caption words that pass `passes` and are not
    // cut, with each one's character count beside it in timedCharacters_.
    std::vector<TimedWord> deriveTimedWords(const std::vector<Word>& caption,
                                            const std::vector<WordMeasures::Measure>& measures,
                                            const std::vector<char>& passes);
    // groupOfIndex_ and positionOf_ for the current transcript, timed words
    // and groups; true when a word's line or position changed.
    bool indexGroups(const std::vector<Word>& words, const std::vector<char>& passes);
    std::map<int, EmojiPick> pickEmojis() const;

    // Snapshot (EditorModelSnapshot.cpp)
    void publishSnapshot();

    // Placement (EditorModelPlacement.cpp)
    void placeTimeline();
    void updateEffectsAudio();
    void resolveBRoll();
    void renderEffects(std::vector<SoundEvent> events, double length, std::uint64_t generation);

    // Refresh (EditorModelRefresh.cpp)
    // `then` runs on the main thread once the player has ended the rebuild
    // (at once when there is nothing to build).
    void rebuildPlayer(std::function<void()> then = {});
    void refreshComposition();
    void tick(double seconds, double rate);
    void setIsRefreshing(bool value);

    // ---- state ----------------------------------------------------------------
    EditorServices services_;
    std::shared_ptr<FileAccess::Session> files_;
    std::shared_ptr<RenderState> renderState_;
    bool tornDown_ = false;
    bool timeReports_ = false;

    Project project_;
    bool unsaved_ = false;
    std::optional<std::string> saveError_;
    Debounce saveTask_;
    std::vector<EditState> undoStack_;
    std::vector<EditState> redoStack_;

    EditPlan plan_;
    std::vector<TimedWord> timedWords_;
    SharedGroups groups_;  // shared with the snapshots that carry them
    struct GroupingLooks {
        CaptionStyle style;
        std::map<std::string, CaptionStyle> styles;
    };
    std::optional<GroupingLooks> groupedWith_;  // the looks groups_ was made with
    std::vector<Paragraph> paragraphs_;
    std::vector<OutputEntry> outputIndex_;
    // The line of each transcript word by its position (-1: none), and the
    // position of each word id (the last, should ids repeat). Positions move
    // only when words come or go, so the id table is rebuilt only then.
    std::vector<int> groupOfIndex_;
    std::vector<Uuid> indexedIDs_;
    std::unordered_map<Uuid, std::size_t, WordIDHash> positionOf_;
    // Measures of the caption words' and the transcript's texts, kept from
    // one derivation to the next; the character counts of timedWords_.
    WordMeasures captionMeasures_;
    mutable WordMeasures transcriptMeasures_;  // also read by fillerCount
    std::vector<std::size_t> timedCharacters_;
    std::map<int, EmojiPick> emojiPicks_;
    std::set<Uuid> trimmedWordIDs_;

    std::vector<PlacedMatchCut> placedMatchCuts_;
    std::vector<PlacedMotion> placedMotions_;
    std::vector<PlacedSound> placedSounds_;
    std::vector<BRollPlacement> brollPlacements_;
    std::set<Uuid> brollWordIDs_;
    std::map<Uuid, BRollRuntime> brollRuntime_;
    std::vector<SoundEvent> effectsEvents_;
    std::optional<std::string> effectsAudioURL_;
    Debounce effectsTask_;
    std::uint64_t effectsGeneration_ = 0;

    std::optional<SourceVideoInfo> source_;
    std::map<Uuid, SourceVideoInfo> clipInfo_;
    bool setupWaiting_ = false;  // the set-up goes on once the clips are read
    std::optional<QImage> posterFrame_;
    double posterTime_ = 0;
    std::vector<float> waveformPeaks_;
    std::map<std::string, std::vector<float>> soundPeaks_;
    std::map<Uuid, QImage> brollThumbs_;
    std::map<Uuid, std::string> cleanAudioURLs_;
    std::map<Uuid, std::string> clipJobs_;
    double musicLength_ = 0;
    bool isLoading_ = true;

    bool isRefreshing_ = false;
    Debounce rebuildTask_;
    int rebuildsRunning_ = 0;  // rebuilds handed to the player and not ended yet
    Debounce refreshTask_;
    std::optional<double> pendingSeek_;
    double currentTime_ = 0;
    bool isPlaying_ = false;
    std::optional<Uuid> activeWordID_;
    std::optional<std::string> exportError_;

    std::set<Uuid> selection_;
    std::optional<Uuid> editingWordID_;
    std::string editDraft_;
    bool editStartedByTyping_ = false;

    InspectorTab inspectorTab_ = InspectorTab::styles;
    TranscriptMode transcriptMode_ = TranscriptMode::transcription;
    bool showSafeArea_ = false;
    bool showOriginal_ = false;
    double timelineZoom_ = 1;
    bool itemInspectorOpen_ = false;
    std::optional<TimelineItem> timelineSelection_;

    bool audioBypass_ = false;
    bool musicBusy_ = false;
    std::optional<double> audioProgress_;
    bool autoBusy_ = false;
    std::optional<double> stabilizeProgress_;
    std::optional<StabilizationCorrection> stabCorrection_;
    std::optional<std::string> previewLook_;
    std::string thumbText_;
    std::unique_ptr<StylePreviewCache> previewCache_;

    // ==== hook, post-text and translation actions (EditorPostActions.cpp,
    // EditorTranslation.cpp). None records an undo step; a stored translation
    // and a switch between it and the spoken words empty the history.
public:
    // The uncut words joined by spaces, each sentence on a line of its own.
    static std::string plainText(const std::vector<Word>& words);

    // A hook line on screen (3 s for a new overlay, else the current length)
    // and on the thumbnail.
    void useHook(const std::string& line);
    void setHookOverlay(std::optional<HookOverlay> overlay);
    // Asks the on-device language model for hook lines; a failure only sets
    // aiError. Ends on the main thread.
    void generateAIHooks();
    // Post texts for the kept words: by the on-device model when it is
    // there, else (and when it fails) by rules. Texts the user edits while
    // the model writes are kept.
    void writePostCopy(bool english);
    bool aiBusy() const { return aiBusy_; }
    const std::optional<std::string>& aiError() const { return aiError_; }
    bool postBusy() const { return postBusy_; }
    const std::optional<std::string>& postNote() const { return postNote_; }

    // One pending translation, run by the TranslationRunner. `basis` is the
    // fingerprint of the words as the job was made from them.
    struct TranslationJob {
        Uuid id;
        std::optional<std::string> source;
        std::vector<CaptionTranslator::Chunk> chunks;
        std::string basis;
        friend bool operator==(const TranslationJob&, const TranslationJob&) = default;
    };
    // "latin", "english" or a native script's id.
    void setCaptionLanguage(const std::string& id);
    // Starts one run (nothing while one runs): checks, reads romanized Hindi
    // again when needed, then publishes the job.
    void translateToEnglish();
    // The runner's results; ignored unless `job` is the current one. The job
    // is taken by value: it may be the model's own, which the result ends.
    void finishTranslation(TranslationJob job, const std::vector<std::string>& english);
    void failTranslation(const TranslationJob& job, const std::string& message);
    std::optional<std::string> translationUnavailableReason() const;
    std::string currentTranslationBasis() const;
    const std::optional<TranslationJob>& translationJob() const { return translationJob_; }
    bool translating() const { return translating_; }
    const std::string& translationStatus() const { return translationStatus_; }
    const std::optional<std::string>& translationError() const { return translationError_; }
    void setTranslationError(std::optional<std::string> message);

signals:
    void aiBusyChanged();
    void aiErrorChanged();
    void postBusyChanged();
    void postNoteChanged();
    void translationJobChanged();
    void translatingChanged();
    void translationStatusChanged();
    void translationErrorChanged();

private:
    void prepareTranslation(std::optional<std::string> source, std::vector<Word> words, std::string localeID,
                            std::vector<ClipSpan> spans, std::string basis);
    void publishTranslationJob(const std::optional<std::string>& source, const std::vector<Word>& words, const std::string& basis);
    void endTranslation(const std::string& error);
    // The project's words (or the translation's) that the cut keeps.
    std::vector<Word> keptWords(const std::vector<Word>& words) const;

    bool aiBusy_ = false;
    std::optional<std::string> aiError_;
    bool postBusy_ = false;
    std::optional<std::string> postNote_;
    std::optional<TranslationJob> translationJob_;
    bool translating_ = false;
    std::string translationStatus_;
    std::optional<std::string> translationError_;
    // ==== end of hook, post-text and translation actions ===========================
    // ==== transcribing again (EditorRetranscribe.cpp) ===============================
public:
    // Replaces the transcript with a fresh transcription of every clip, one
    // after the other, with the engine and language given. Keeps B-roll on
    // the same spoken moments, rewrites the fallback hooks, drops the
    // translation (and an Indic writing the new words cannot carry) and
    // empties the undo history. Returns at once; a second call while one runs
    // does nothing. A failure sets retranscribeError and changes nothing.
    void transcribeAgain(TranscriptionEngine engine, const std::string& appleLocaleID,
                         const std::string& whisperLanguageID);
    // The status line while a run goes ("Starting…", then each progress
    // report); none when idle.
    const std::optional<std::string>& retranscribing() const { return retranscribing_; }
    const std::optional<std::string>& retranscribeError() const { return retranscribeError_; }
    // A library's own account of the failure, for the details; empty when
    // the message says it all. Set and cleared with the message.
    const std::string& retranscribeErrorDetail() const { return retranscribeErrorDetail_; }
    void setRetranscribeError(std::optional<std::string> message, std::string detail = {});

signals:
    void retranscribingChanged();
    void retranscribeErrorChanged();

private:
    void finishTranscribeAgain(std::uint64_t run, const std::string& localeID, std::vector<Word> words);
    void endTranscribeAgain(std::uint64_t run, std::optional<std::string> error, std::string detail = {});
    std::optional<std::string> retranscribing_;
    std::optional<std::string> retranscribeError_;
    std::string retranscribeErrorDetail_;
    std::uint64_t retranscribeRun_ = 0;

    // ==== clip peaks, filmstrip and frame grabs (EditorClipMedia.cpp) ==============
public:
    // Every clip's frames on the joined source timeline, in clip order;
    // filmstripChanged is sent at every join ("always").
    const std::vector<Filmstrip::Frame>& filmstrip() const { return filmstrip_; }
    // Per clip, its whole file's peaks and its frames in the file's own time;
    // an empty list while its load runs. Plain storage, never loaded twice.
    const std::map<Uuid, std::vector<float>>& clipPeaks() const { return clipPeaks_; }
    const std::map<Uuid, std::vector<Filmstrip::Frame>>& clipFrames() const { return clipFrames_; }
    // Still pictures within maxSize × maxSize at joined-source times, handed
    // to `done` on the main thread sorted by time; pictures that cannot be
    // made are missing. `done` is not called for a torn-down editor.
    void framesAtSource(std::vector<double> times, int maxSize,
                        std::function<void(std::vector<Filmstrip::Frame>)> done);

signals:
    void filmstripChanged();

private:
    // Starts the peaks and frames loads of every clip not loaded yet, then
    // joins what is known.
    void loadClipPeaksAndFrames();
    // Lays the clips' peaks and frames end to end into waveformPeaks and
    // filmstrip.
    void joinPeaksAndFrames();

    std::map<Uuid, std::vector<float>> clipPeaks_;
    std::map<Uuid, std::vector<Filmstrip::Frame>> clipFrames_;
    std::vector<Filmstrip::Frame> filmstrip_;
    // ==== end of clip peaks, filmstrip and frame grabs ============================
};

}  // namespace vt
