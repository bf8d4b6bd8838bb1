#include "video/CompositionBuilder.h"

#include "platform/media/MediaError.h"
#include "platform/media/VideoProbe.h"
#include "speech/CaptionError.h"
#include "video/CompositionAudio.h"

#include <algorithm>
#include <map>

namespace vt::CompositionBuilder {

namespace {

constexpr std::int32_t cutScale = 600;
constexpr double shortestPiece = 0.0005;

struct VideoSource {
    std::int32_t trackID = 0;
    double sourceEnd = 0;
};

struct AudioSource {
    std::filesystem::path file;
    double sourceEnd = 0;
};

// One call's working state: the sorted clips, what was opened of each (at
// most once per call however many pieces a clip gives), and the cursor.
class Laying {
public:
    Laying(Composition& composition, std::vector<ClipMedia> clips) : composition_(composition), clips_(std::move(clips))
    {
        std::stable_sort(clips_.begin(), clips_.end(), [](const ClipMedia& a, const ClipMedia& b) { return a.start < b.start; });
    }

    void lay(const EditPlan& plan)
    {
        for (const EditPlan::Segment& segment : plan.segments) laySegment(segment.sourceStart, segment.sourceEnd);
    }

    const std::vector<CompositionAudio::Piece>& pieces() const { return pieces_; }
    std::optional<std::int32_t> sharedAudio() const { return sharedAudio_; }
    double length() const { return cursor_.seconds(); }

    std::vector<ClipTrack> clipTracks() const
    {
        std::vector<ClipTrack> out;
        for (const auto& [k, source] : video_)
            out.push_back({clips_[k].id, source.trackID, clips_[k].info, clips_[k].start, clips_[k].start + clips_[k].duration});
        return out;
    }

private:
    void laySegment(double v, double e)
    {
        while (v < e - shortestPiece) {
            std::optional<std::size_t> found;
            for (std::size_t k = clips_.size(); k-- > 0;)
                if (clips_[k].start <= v + 0.000001) {
                    found = k;
                    break;
                }
            if (!found) return;
            const std::size_t k = *found;
            const double end = std::min(clips_[k].start + clips_[k].duration, e);
            if (end > v + shortestPiece) {
                layPiece(k, v, end);
                v = end;
            } else if (k + 1 < clips_.size()) {
                v = clips_[k + 1].start;  // source time no listed clip covers is skipped
            } else {
                return;
            }
        }
    }

    void layPiece(std::size_t k, double v, double end)
    {
        const ClipMedia& clip = clips_[k];
        const MediaTime from = MediaTime::make(v - clip.start, cutScale);
        const MediaTime to = MediaTime::make(end - clip.start, cutScale);
        const MediaTime duration{to.value - from.value, cutScale};

        const VideoSource& video = videoTrack(k);
        const std::int64_t videoEnd = std::min(to.value, MediaTime::make(video.sourceEnd, cutScale).value);
        composition_.insert(video.trackID, clip.url, from, {videoEnd - from.value, cutScale}, cursor_);

        if (const auto& sound = audioSource(k)) {
            if (!sharedAudio_) sharedAudio_ = composition_.addTrack(TrackKind::audio);
            const std::int64_t soundEnd = std::min(to.value, MediaTime::make(sound->sourceEnd, cutScale).value);
            composition_.insert(*sharedAudio_, sound->file, from, {soundEnd - from.value, cutScale}, cursor_);
        }
        // The cursor moves by the whole piece even when a track was shorter,
        // so later pieces keep their places.
        pieces_.push_back({cursor_.seconds(), cursor_.seconds() + duration.seconds(), clip.gain});
        cursor_.value += duration.value;
    }

    const VideoSource& videoTrack(std::size_t k)
    {
        if (auto found = video_.find(k); found != video_.end()) return found->second;
        const auto facts = media::probeVideo(clips_[k].url);
        if (!facts) throw CaptionError::noVideoTrack();
        const std::int32_t id = composition_.addTrack(TrackKind::video);
        composition_.track(id)->preferredTransform = MediaLoading::transformFor(facts->rotation, facts->width, facts->height);
        return video_[k] = {id, facts->trackEnd};
    }

    const std::optional<AudioSource>& audioSource(std::size_t k)
    {
        if (auto found = audio_.find(k); found != audio_.end()) return found->second;
        const std::filesystem::path file = clips_[k].audioURL.value_or(clips_[k].url);
        const auto end = media::audioTrackEnd(file);
        return audio_[k] = end ? std::optional<AudioSource>(AudioSource{file, *end}) : std::nullopt;
    }

    Composition& composition_;
    std::vector<ClipMedia> clips_;
    std::map<std::size_t, VideoSource> video_;
    std::map<std::size_t, std::optional<AudioSource>> audio_;
    std::optional<std::int32_t> sharedAudio_;
    MediaTime cursor_{0, cutScale};
    std::vector<CompositionAudio::Piece> pieces_;
};

bool exists(const std::filesystem::path& file)
{
    std::error_code error;
    return std::filesystem::exists(file, error);
}

// Fills a B-roll's window (0.05 s before it to 0.25 s after it, within the
// output) with its video: once from its offset, then looped from the start.
void fillBRoll(Composition& composition, std::int32_t trackID, const BRollPlacement& p, double sourceLength, double total)
{
    double a = std::max(p.start - 0.05, 0.0);
    const double b = std::min(p.end + 0.25, total);
    const double offset = std::clamp(p.item.sourceOffset, 0.0, sourceLength - 0.1);
    if (!(a < b - 0.01)) return;
    double u = std::min(b - a, sourceLength - offset);
    composition.insert(trackID, p.item.path, MediaTime::make(offset, cutScale), MediaTime::make(u, cutScale), MediaTime::make(a, cutScale));
    for (a += u; a < b - 0.01; a += u) {
        u = std::min(b - a, sourceLength);
        composition.insert(trackID, p.item.path, {0, cutScale}, MediaTime::make(u, cutScale), MediaTime::make(a, cutScale));
    }
}

std::vector<BRollPlacement> addBRoll(const std::vector<BRollPlacement>& placements, Composition& composition, double total)
{
    std::vector<BRollPlacement> out;
    for (BRollPlacement p : placements) {
        if (!(p.end > p.start)) continue;
        p.end = std::min(p.end, total);
        if (p.item.isImage) {
            out.push_back(std::move(p));
            continue;
        }
        SourceVideoInfo info;
        try {
            info = MediaLoading::loadSourceVideoInfo(p.item.path);
        } catch (const std::exception&) {
            continue;  // a B-roll that cannot be read is left out
        }
        if (info.duration <= 0.1) continue;
        const std::int32_t id = composition.addTrack(TrackKind::video);
        composition.track(id)->preferredTransform = info.transform;
        fillBRoll(composition, id, p, info.duration, total);
        p.trackID = id;
        p.source = info;
        out.push_back(std::move(p));
    }
    return out;
}

// Optional sound fails soft: a file that cannot be read leaves its input out.
template <typename Add>
void addOptional(AudioMix& mix, Add&& add)
{
    try {
        if (auto input = add()) mix.inputs.push_back(std::move(*input));
    } catch (const media::MediaError&) {
    }
}

AudioMix mixSounds(const BuildRequest& request, const Laying& laying, Composition& composition)
{
    const double total = laying.length();
    const bool voiced = request.voiceover && exists(request.voiceover->path);
    AudioMix mix;
    if (const auto shared = laying.sharedAudio()) {
        const double level = voiced ? std::clamp(request.voiceover->originalLevel, 0.0, 1.0) : 1.0;
        if (auto input = CompositionAudio::clipsInput(*shared, laying.pieces(), total, level, request.videoVolume)) mix.inputs.push_back(*input);
    }
    if (voiced) addOptional(mix, [&] { return CompositionAudio::addVoiceover(*request.voiceover, composition, total); });
    if (request.effects) addOptional(mix, [&] { return CompositionAudio::addEffects(*request.effects, request.effectsVolume, composition, total); });
    for (const PlacedSound& sound : request.sounds)
        if (sound.start < sound.start + sound.sound.duration && sound.start < total)
            addOptional(mix, [&] { return CompositionAudio::addSound(sound, composition, total); });
    if (request.music && exists(request.music->path))
        addOptional(mix, [&] { return CompositionAudio::addMusic(*request.music, composition, total, request.speech); });
    return mix;
}

}  // namespace

BuildResult build(const BuildRequest& request)
{
    if (request.clips.empty()) throw CaptionError::noVideoTrack();
    auto composition = std::make_shared<Composition>();
    Laying laying(*composition, request.clips);
    laying.lay(request.plan);

    BuildResult result;
    AudioMix mix = mixSounds(request, laying, *composition);
    if (!mix.inputs.empty()) result.audioMix = std::move(mix);
    result.broll = addBRoll(request.broll, *composition, laying.length());
    result.clipTracks = laying.clipTracks();
    result.outputLength = laying.length();
    result.composition = std::move(composition);
    return result;
}

}  // namespace vt::CompositionBuilder
