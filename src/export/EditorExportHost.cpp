#include "export/EditorExportHost.h"

#include "editor/EditorModel.h"
#include "editor/SoundPictureJobs.h"
#include "speech/CaptionError.h"

namespace vt {

std::vector<ClosedRange<double>> ExportRequest::speechSpansOf(const std::vector<CaptionGroup>& groups)
{
    std::vector<ClosedRange<double>> spans;
    for (const auto& group : groups)
        for (const auto& word : group.words) spans.push_back({word.start, std::max(word.start, word.end)});
    return spans;
}

EditorExportHost::EditorExportHost(EditorModel& editor, std::shared_ptr<ExportComposer> composer,
                                   std::function<void()> pause, std::function<QImage()> thumbnail)
    : editor_(editor), composer_(std::move(composer)), pause_(std::move(pause)), thumbnail_(std::move(thumbnail))
{
}

std::optional<SourceVideoInfo> EditorExportHost::source() const { return editor_.source(); }
OutputAspect EditorExportHost::aspect() const { return editor_.project().aspect; }
double EditorExportHost::outputLength() const { return editor_.plan().outputLength(); }
std::vector<TimedWord> EditorExportHost::timedWords() const { return editor_.timedWords(); }
std::vector<Word> EditorExportHost::transcript() const { return editor_.transcript(); }

void EditorExportHost::pausePlayback()
{
    if (pause_) pause_();
}

std::optional<double> EditorExportHost::runningCleanup() const
{
    const SoundPictureJobs* jobs = SoundPictureJobs::find(editor_);
    if (!editor_.project().audioCleanup || !jobs || !jobs->cleanup().running()) return std::nullopt;
    return editor_.audioProgress().value_or(0);
}

ExportRequest EditorExportHost::request() const
{
    const Project& project = editor_.project();
    // Every clip must have loaded, or the export would leave one out.
    const std::size_t expected = project.clips ? project.clips->size() : 1;
    std::size_t loaded = 0;
    for (const auto& clip : project.videoClips())
        if (editor_.clipInfo().count(clip.id) || (!project.clips && editor_.source())) ++loaded;
    if (loaded != expected) throw CaptionError::noVideoTrack();

    ExportRequest r;
    r.snapshot = editor_.snapshot();
    r.project = project;
    std::map<Uuid, std::filesystem::path> cleaned;
    for (const auto& [id, path] : editor_.cleanAudioURLs()) cleaned[id] = path;
    // The bypass is for listening in the editor; the file always carries
    // the cleaned voice.
    r.clips = MediaLoading::clipMedia(project, editor_.clipInfo(), cleaned, true);
    if (!(project.tracks && project.tracks->musicMuted)) r.music = project.music;
    r.voiceover = editor_.mixVoiceover();
    r.speechSpans = ExportRequest::speechSpansOf(r.snapshot.groups);
    return r;
}

ExportCapture EditorExportHost::capture(bool audioOnly)
{
    ExportRequest r = request();
    if (!composer_) throw CaptionError::exportFailed("The video compositor isn't available.");
    ExportCapture capture;
    if (!audioOnly) capture.video = composer_->video(r);
    capture.audio = composer_->audio(r, !audioOnly);
    capture.timedWords = editor_.timedWords();
    return capture;
}

QImage EditorExportHost::renderThumbnail()
{
    if (thumbnail_) return thumbnail_();
    return editor_.renderThumbnail(1).value_or(QImage());
}

}  // namespace vt
