// A new clip's transcription: the engine runs and the faces are tracked on a
// worker thread; the words are merged on the main thread at the clip's place
// as it is when the work ends.

#include "editor/ClipTranscription.h"

#include "editor/EditorModel.h"
#include "speech/Transcriber.h"
#include "speech/WhisperLanguage.h"
#include "speech/WhisperTranscriber.h"
#include "text/HookGenerator.h"
#include "video/effects/FaceTracker.h"

#include <QCoreApplication>
#include <QPointer>
#include <QThreadPool>

#include <algorithm>
#include <cmath>

namespace vt {

namespace ClipTranscription {

std::vector<Word> transcribe(const std::filesystem::path& file, const std::string& localeID, double duration,
                             const std::function<void(const std::string&, double)>& progress)
{
    constexpr std::string_view whisperPrefix = "whisper:";
    if (localeID.starts_with(whisperPrefix))
        return WhisperTranscriber::transcribe(file, WhisperLanguage::find(localeID.substr(whisperPrefix.size())),
                                              progress);
    return Transcriber::transcribe(file, localeID, duration, progress);
}

std::string jobText(const std::string& stage, double fraction)
{
    if (!(fraction > 0)) return stage;
    const int percent = static_cast<int>(std::min(fraction, 1.0) * 100);
    return stage + " · " + std::to_string(percent) + "%";
}

std::vector<Word> placed(std::vector<Word> words, double offset)
{
    for (Word& w : words) {
        w.start += offset;
        w.end += offset;
    }
    return words;
}

std::vector<Word> merged(std::vector<Word> words, const std::vector<Word>& added)
{
    words.insert(words.end(), added.begin(), added.end());
    std::stable_sort(words.begin(), words.end(), [](const Word& a, const Word& b) { return a.start < b.start; });
    return words;
}

void patch(std::vector<EditState>& steps, const Uuid& clipID, const std::vector<Word>& clipWords,
           bool captionsAreSpeech)
{
    for (EditState& step : steps) {
        if (!step.clips) continue;
        double offset = 0;
        bool found = false;
        for (const VideoClip& c : *step.clips) {
            if (c.id == clipID) {
                found = true;
                break;
            }
            offset += c.duration;
        }
        if (!found) continue;
        step.speech = merged(step.speech.list(), placed(clipWords, offset));
        if (captionsAreSpeech) step.words = step.speech;
    }
}

}  // namespace ClipTranscription

void EditorModel::transcribeClip(const VideoClip& clip)
{
    auto jobs = clipJobs_;
    jobs[clip.id] = "Transcribing";
    set(clipJobs_, std::move(jobs), &EditorModel::clipJobsChanged);

    // Progress and the stage change reach the main thread as queued calls;
    // one that arrives after the job ended, or after the editor closed, is
    // dropped.
    QPointer<EditorModel> self(this);
    auto onMain = [self](std::function<void(EditorModel&)> call) {
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, call = std::move(call)] {
                if (self && !self->tornDown_) call(*self);
            },
            Qt::QueuedConnection);
    };
    auto setJob = [id = clip.id](EditorModel& m, std::string text, bool onlyWhileRunning) {
        if (onlyWhileRunning && !m.clipJobs_.contains(id)) return;
        auto jobs = m.clipJobs_;
        jobs[id] = std::move(text);
        m.set(m.clipJobs_, std::move(jobs), &EditorModel::clipJobsChanged);
    };
    inBackground([clip, localeID = project_.localeID, onMain, setJob]() -> std::function<void(EditorModel&)> {
        auto progress = [onMain, setJob](const std::string& stage, double fraction) {
            onMain([setJob, text = ClipTranscription::jobText(stage, fraction)](EditorModel& m) {
                setJob(m, text, true);
            });
        };
        std::optional<std::vector<Word>> words;
        try {
            words = ClipTranscription::transcribe(clip.path, localeID, clip.duration, progress);
        } catch (const std::exception&) {
            // A clip that cannot be transcribed simply adds no words.
        }
        onMain([setJob](EditorModel& m) { setJob(m, "Tracking faces", true); });
        std::optional<FaceTrack> faces;
        try {
            faces = FaceTracker::analyze(clip.path, clip.duration, [](double) {});
        } catch (...) {
            // Without its face samples the clip is framed around its middle.
        }
        return [clip, words = std::move(words), faces = std::move(faces)](EditorModel& m) {
            m.mergeClipTranscription(clip.id, words, faces);
        };
    });
}

void EditorModel::mergeClipTranscription(Uuid clipID, const std::optional<std::vector<Word>>& words,
                                         const std::optional<FaceTrack>& faces)
{
    auto jobs = clipJobs_;
    jobs.erase(clipID);
    set(clipJobs_, std::move(jobs), &EditorModel::clipJobsChanged);

    // The history states that hold the clip get its words even when the clip
    // was removed meanwhile, so undoing the removal brings them back.
    const std::vector<Word> clipWords = words.value_or(std::vector<Word>{});
    const bool captionsAreSpeech = !voiceDrivesCaptions() && !usesTranslation();
    ClipTranscription::patch(undoStack_, clipID, clipWords, captionsAreSpeech);
    ClipTranscription::patch(redoStack_, clipID, clipWords, captionsAreSpeech);

    const auto spans = project_.spans();
    const auto span = std::find_if(spans.begin(), spans.end(), [&](const ClipSpan& s) { return s.clip.id == clipID; });
    if (span == spans.end()) return;  // removed meanwhile: nothing to merge into
    const double offset = span->start;
    updateProject([&](Project& p) {
        p.words = ClipTranscription::merged(std::move(p.words), ClipTranscription::placed(clipWords, offset));
        if (faces) {
            FaceTrack track = p.faceTrack.value_or(FaceTrack{});
            for (FaceTrack::Sample s : faces->samples) {
                s.t += offset;
                track.samples.push_back(s);
            }
            std::stable_sort(track.samples.begin(), track.samples.end(),
                             [](const auto& a, const auto& b) { return a.t < b.t; });
            p.faceTrack = std::move(track);
        }
        // Failed transcription leaves the user's hooks as they are.
        if (words) p.hooks = HookGenerator::fromTranscript(p.words);
    });
    timelineChanged();
}

}  // namespace vt
