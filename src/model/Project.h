#pragma once
// The persisted project: everything known about one edited video, from the
// source media and the transcript to the caption look, the timeline items and
// the post texts. A plain value with 43 fields; one JSON file holds one
// project (ProjectStore writes and reads it).
//
// Source: either one video (videoPath; `clips` absent, `sourceRange` may trim
// it) or a clip list (`clips` present, `sourceRange` absent). Either way the
// rest of the program sees one joined source timeline: the clips end to end
// in list order, each at its full, untrimmed duration. Every time stored in
// the record is a position on it (source seconds), except the voiceover
// take's words, which are in output seconds.
//
// JSON: keys are the field names; an unset optional has no key. Reading
// fails as a whole (json::DecodeError) on a missing or ill-typed required key,
// a reversed `sourceRange` or a fault in any nested record; a missing or null
// optional key leaves the field unset, and unknown keys (here and in every
// nested record) are kept and written back, so a project from a newer version
// loses nothing when this one saves it. Writing throws json::EncodeError when
// any number is not finite.
//
// Kept by whoever builds and edits a project, not checked here: sourceRange is
// absent whenever clips is present; with clips, videoPath, videoBookmark and
// sourceDuration follow the list (syncClips); words ascend by start;
// createdAt is not after updatedAt. Main thread; copies may go anywhere.

#include "captions/look/CaptionStyle.h"
#include "model/AudioCleanup.h"
#include "model/BRoll.h"
#include "model/BackgroundMusic.h"
#include "model/CaptionTranslation.h"
#include "model/CutTransition.h"
#include "model/EmojiSettings.h"
#include "model/FaceTrack.h"
#include "model/HookOverlay.h"
#include "model/MatchCut.h"
#include "model/MotionEffect.h"
#include "model/OutputAspect.h"
#include "model/PostCopy.h"
#include "model/ProgressBar.h"
#include "model/ReframeMode.h"
#include "model/SoundClip.h"
#include "model/SoundEffects.h"
#include "model/Stabilization.h"
#include "model/TrackSettings.h"
#include "model/VideoClip.h"
#include "model/VideoGrade.h"
#include "model/Voiceover.h"
#include "model/VolumeEnvelope.h"
#include "model/Word.h"
#include "platform/JsonCoding.h"
#include "platform/Uuid.h"

#include <chrono>
#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace vt {

// One clip placed on the joined source timeline.
struct ClipSpan {
    VideoClip clip;
    double start = 0;  // source seconds where the clip begins

    friend bool operator==(const ClipSpan&, const ClipSpan&) = default;
};

struct Project {
    // Values other than id and the two dates are only a starting point for
    // code that fills a project in (they match a freshly imported video);
    // every builder of a project sets them.
    Uuid id = Uuid::random();                  // names the project's files; id of the implicit main clip
    std::string name;                          // shown on the home screen
    std::string videoPath;                     // main source video; with clips, the first clip's path
    std::optional<Bytes> videoBookmark;        // see FileAccess
    Date createdAt = std::chrono::system_clock::now();
    Date updatedAt = std::chrono::system_clock::now();  // set by every caller of ProjectStore::save
    double sourceDuration = 0;                 // seconds; with clips, the sum of their full durations
    std::optional<ClosedRange<double>> sourceRange;  // kept part of a single video, source seconds
    std::string localeID;                      // spoken language of the transcript
    std::vector<Word> words;                   // the transcript, source seconds
    CaptionStyle style;                        // the project's caption look
    std::string baseStyleID;                   // look `style` was taken from
    OutputAspect aspect = OutputAspect::vertical;
    ReframeMode reframe = ReframeMode::smart;
    bool trimPauses = false;                   // cut pauses longer than maxPause
    double maxPause = 0.45;                    // seconds
    bool captionsVisible = true;
    std::vector<std::string> hooks;            // written from the transcript at import
    std::vector<std::string> aiHooks;          // written by the language model on request
    std::optional<HookOverlay> hookOverlay;    // absent: no hook shown
    std::string postCaption;                   // single post text of older projects
    std::optional<FaceTrack> faceTrack;
    std::optional<VideoGrade> grade;
    std::optional<Stabilization> stabilization;
    std::optional<AudioCleanup> audioCleanup;
    std::optional<BackgroundMusic> music;
    std::optional<std::vector<BRoll>> brolls;
    std::optional<CutTransition> cutTransition;
    std::optional<std::string> captionLanguageID;  // absent: captions in Latin script
    std::optional<Voiceover> voiceover;
    std::optional<CaptionTranslation> translation;
    std::optional<PostCopy> postCopy;
    std::optional<EmojiSettings> emojis;
    std::optional<SoundEffects> soundEffects;
    std::optional<ProgressBar> progressBar;
    std::optional<MatchCut> matchCut;          // older projects' single match cut
    std::optional<std::vector<MatchCut>> matchCuts;
    std::optional<std::vector<MotionEffect>> motions;
    std::optional<std::vector<VideoClip>> clips;  // absent: one source, the main video
    std::optional<std::vector<SoundClip>> sounds;
    std::optional<VolumeEnvelope> videoVolume;    // point times in source seconds
    std::optional<TrackSettings> tracks;
    std::optional<std::map<std::string, CaptionStyle>> styleOverrides;  // looks by look id
    json::Unknown unknown{};  // what a newer version stored, written back as it came

    json::Value toJson() const;
    static Project fromJson(const json::Value& v);

    // ---- the joined source timeline (pure, recomputed on every call) ----

    // `clips` when present (even empty), else the implicit main clip: id = the
    // project's id, the main video's path, bookmark and duration, the
    // project's name, no trims, no adjustment.
    std::vector<VideoClip> videoClips() const;
    // One span per clip of videoClips(), each starting where the previous one's
    // full duration ends.
    std::vector<ClipSpan> spans() const;
    // The parts of the joined timeline kept before any word-level cut; absent
    // when the whole source is kept. With clips, one range per clip (a clip
    // trimmed away entirely gives a zero-length range); an empty list when
    // the clip list is empty.
    std::optional<std::vector<ClosedRange<double>>> keptRanges() const;
    // Seconds of kept source before word-level cuts.
    double length() const;

    // Turns a single-video project into a one-clip list, its sourceRange
    // becoming the clip's trims. Nothing when clips is present.
    void adoptClips();
    // Copies the clip list's total duration and first clip's path and bookmark
    // into the main-video fields. Nothing when clips is absent or empty.
    void syncClips();
};

}  // namespace vt

template <>
struct std::hash<vt::ClipSpan> {
    std::size_t operator()(const vt::ClipSpan& span) const noexcept;
};
