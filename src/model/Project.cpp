#include "model/Project.h"

#include "platform/Hasher.h"

#include <algorithm>

namespace vt {

json::Value Project::toJson() const
{
    return json::Writer()
        .required("id", id)
        .required("name", name)
        .required("videoPath", videoPath)
        .optional("videoBookmark", videoBookmark)
        .required("createdAt", createdAt)
        .required("updatedAt", updatedAt)
        .required("sourceDuration", sourceDuration)
        .optional("sourceRange", sourceRange)
        .required("localeID", localeID)
        .required("words", words)
        .required("style", style)
        .required("baseStyleID", baseStyleID)
        .required("aspect", aspect)
        .required("reframe", reframe)
        .required("trimPauses", trimPauses)
        .required("maxPause", maxPause)
        .required("captionsVisible", captionsVisible)
        .required("hooks", hooks)
        .required("aiHooks", aiHooks)
        .optional("hookOverlay", hookOverlay)
        .required("postCaption", postCaption)
        .optional("faceTrack", faceTrack)
        .optional("grade", grade)
        .optional("stabilization", stabilization)
        .optional("audioCleanup", audioCleanup)
        .optional("music", music)
        .optional("brolls", brolls)
        .optional("cutTransition", cutTransition)
        .optional("captionLanguageID", captionLanguageID)
        .optional("voiceover", voiceover)
        .optional("translation", translation)
        .optional("postCopy", postCopy)
        .optional("emojis", emojis)
        .optional("soundEffects", soundEffects)
        .optional("progressBar", progressBar)
        .optional("matchCut", matchCut)
        .optional("matchCuts", matchCuts)
        .optional("motions", motions)
        .optional("clips", clips)
        .optional("sounds", sounds)
        .optional("videoVolume", videoVolume)
        .optional("tracks", tracks)
        .optional("styleOverrides", styleOverrides)
        .unknown(unknown).done();
}

Project Project::fromJson(const json::Value& v)
{
    json::Reader in(v);
    Project p;
    p.id = in.required<Uuid>("id");
    p.name = in.required<std::string>("name");
    p.videoPath = in.required<std::string>("videoPath");
    p.videoBookmark = in.optional<Bytes>("videoBookmark");
    p.createdAt = in.required<Date>("createdAt");
    p.updatedAt = in.required<Date>("updatedAt");
    p.sourceDuration = in.required<double>("sourceDuration");
    p.sourceRange = in.optional<ClosedRange<double>>("sourceRange");
    p.localeID = in.required<std::string>("localeID");
    p.words = in.required<std::vector<Word>>("words");
    p.style = in.required<CaptionStyle>("style");
    p.baseStyleID = in.required<std::string>("baseStyleID");
    p.aspect = in.required<OutputAspect>("aspect");
    p.reframe = in.required<ReframeMode>("reframe");
    p.trimPauses = in.required<bool>("trimPauses");
    p.maxPause = in.required<double>("maxPause");
    p.captionsVisible = in.required<bool>("captionsVisible");
    p.hooks = in.required<std::vector<std::string>>("hooks");
    p.aiHooks = in.required<std::vector<std::string>>("aiHooks");
    p.hookOverlay = in.optional<HookOverlay>("hookOverlay");
    p.postCaption = in.required<std::string>("postCaption");
    p.faceTrack = in.optional<FaceTrack>("faceTrack");
    p.grade = in.optional<VideoGrade>("grade");
    p.stabilization = in.optional<Stabilization>("stabilization");
    p.audioCleanup = in.optional<AudioCleanup>("audioCleanup");
    p.music = in.optional<BackgroundMusic>("music");
    p.brolls = in.optional<std::vector<BRoll>>("brolls");
    p.cutTransition = in.optional<CutTransition>("cutTransition");
    p.captionLanguageID = in.optional<std::string>("captionLanguageID");
    p.voiceover = in.optional<Voiceover>("voiceover");
    p.translation = in.optional<CaptionTranslation>("translation");
    p.postCopy = in.optional<PostCopy>("postCopy");
    p.emojis = in.optional<EmojiSettings>("emojis");
    p.soundEffects = in.optional<SoundEffects>("soundEffects");
    p.progressBar = in.optional<ProgressBar>("progressBar");
    p.matchCut = in.optional<MatchCut>("matchCut");
    p.matchCuts = in.optional<std::vector<MatchCut>>("matchCuts");
    p.motions = in.optional<std::vector<MotionEffect>>("motions");
    p.clips = in.optional<std::vector<VideoClip>>("clips");
    p.sounds = in.optional<std::vector<SoundClip>>("sounds");
    p.videoVolume = in.optional<VolumeEnvelope>("videoVolume");
    p.tracks = in.optional<TrackSettings>("tracks");
    p.styleOverrides = in.optional<std::map<std::string, CaptionStyle>>("styleOverrides");
    p.unknown = in.unknown();
    return p;
}

std::vector<VideoClip> Project::videoClips() const
{
    if (clips) return *clips;
    VideoClip main;
    main.id = id;
    main.path = videoPath;
    main.bookmark = videoBookmark;
    main.name = name;
    main.duration = sourceDuration;
    main.trimStart = 0;
    main.trimEnd = 0;
    main.adjust = std::nullopt;
    return {main};
}

std::vector<ClipSpan> Project::spans() const
{
    std::vector<ClipSpan> out;
    double start = 0;
    for (VideoClip& clip : videoClips()) {
        double duration = clip.duration;
        out.push_back({std::move(clip), start});
        start += duration;  // full duration: trims do not shorten the joined timeline
    }
    return out;
}

std::optional<std::vector<ClosedRange<double>>> Project::keptRanges() const
{
    if (!clips) {
        if (!sourceRange) return std::nullopt;
        return std::vector{*sourceRange};
    }
    std::vector<ClosedRange<double>> out;
    for (const ClipSpan& span : spans()) {
        double lower = span.start + span.clip.trimStart;
        double upper = span.start + span.clip.duration - span.clip.trimEnd;
        out.push_back({lower, std::max(upper, lower)});
    }
    return out;
}

double Project::length() const
{
    if (clips) {
        double sum = 0;
        for (const VideoClip& clip : *clips) sum += std::max(clip.duration - clip.trimStart - clip.trimEnd, 0.0);
        return sum;
    }
    if (sourceRange) return sourceRange->upper - sourceRange->lower;
    return sourceDuration;
}

void Project::adoptClips()
{
    if (clips) return;
    VideoClip main = videoClips().front();
    if (sourceRange) {
        main.trimStart = std::max(sourceRange->lower, 0.0);
        main.trimEnd = std::max(sourceDuration - sourceRange->upper, 0.0);
    }
    clips = std::vector{std::move(main)};
    sourceRange.reset();
}

void Project::syncClips()
{
    if (!clips || clips->empty()) return;
    double total = 0;
    for (const VideoClip& clip : *clips) total += clip.duration;
    sourceDuration = total;
    videoPath = clips->front().path;
    videoBookmark = clips->front().bookmark;
}

}  // namespace vt

std::size_t std::hash<vt::ClipSpan>::operator()(const vt::ClipSpan& span) const noexcept
{
    return vt::Hasher().add(span.clip).add(span.start).value();
}
