// Timeline items on the output timeline: match cuts, camera moves, sounds,
// B-roll and overlays, the video's volume line, and the sound-effects track.

#include "editor/EditorModel.h"

#include <algorithm>
#include <unordered_map>

namespace vt {

namespace {

using Positions = std::unordered_map<Uuid, std::size_t, WordIDHash>;

// Where the anchor words of the B-rolls stand in a word list; other words
// are not indexed.
Positions anchorPositions(const std::vector<Word>& words, const std::vector<BRoll>& brolls)
{
    Positions index;
    for (const BRoll& b : brolls) {
        if (b.start) continue;
        index.emplace(b.startWordID, words.size());
        index.emplace(b.endWordID, words.size());
    }
    if (index.empty()) return index;
    for (std::size_t i = 0; i < words.size(); ++i) {
        auto it = index.find(words[i].id);
        if (it != index.end() && it->second == words.size()) it->second = i;
    }
    std::erase_if(index, [&](const auto& entry) { return entry.second == words.size(); });
    return index;
}

template <class T>
const std::vector<T>& orEmpty(const std::optional<std::vector<T>>& items)
{
    static const std::vector<T> none;
    return items ? *items : none;
}

}  // namespace

void EditorModel::placeTimeline()
{
    auto placed = Timeline::place(orEmpty(project_.matchCuts), orEmpty(project_.motions), plan_);
    set(placedMatchCuts_, std::move(placed.cuts), &EditorModel::placedMatchCutsChanged);
    set(placedMotions_, std::move(placed.motions), &EditorModel::placedMotionsChanged);
    set(placedSounds_, Timeline::place(orEmpty(project_.sounds), plan_), &EditorModel::placedSoundsChanged);
}

// Collects the sound-effect events of the current output and, when they
// changed, renders them into one track 0.25 s after the last change.
void EditorModel::updateEffectsAudio()
{
    const TrackSettings lanes = project_.tracks.value_or(TrackSettings{});
    static const std::vector<PlacedMatchCut> noCuts;
    static const std::vector<PlacedMotion> noMotions;
    const auto& cuts = lanes.matchCutsHidden || lanes.matchCutsMuted ? noCuts : placedMatchCuts_;
    const auto& motions = lanes.effectsHidden || lanes.effectsMuted ? noMotions : placedMotions_;
    // A match card in the first 0.1 s makes its own hit; the hook's would clash.
    const bool hook = project_.hookOverlay
                   && std::none_of(cuts.begin(), cuts.end(), [](const PlacedMatchCut& c) { return c.start < 0.1; });

    std::vector<SoundEvent> all;
    if (project_.soundEffects && services_.audio) {
        std::set<int> emojiLines;
        for (const auto& [index, pick] : emojiPicks_) emojiLines.insert(index);
        all = services_.audio->events(*project_.soundEffects, groups_, emojiLines, plan_, hook);
    }
    const auto timeline = Timeline::soundEvents(cuts, motions);
    all.insert(all.end(), timeline.begin(), timeline.end());
    std::stable_sort(all.begin(), all.end(), [](const SoundEvent& a, const SoundEvent& b) { return a.time < b.time; });
    if (all == effectsEvents_) return;

    effectsEvents_ = all;
    const double length = plan_.outputLength();
    const std::uint64_t generation = ++effectsGeneration_;
    effectsTask_.start(effectsDelay, [this, all = std::move(all), length, generation] {
        renderEffects(all, length, generation);
    });
}

void EditorModel::renderEffects(std::vector<SoundEvent> events, double length, std::uint64_t generation)
{
    auto finish = [generation](EditorModel& m, std::optional<std::string> url) {
        if (generation != m.effectsGeneration_) return;  // newer events, or the editor closed
        m.set(m.effectsAudioURL_, std::move(url), &EditorModel::effectsAudioURLChanged);
        m.rebuildPlayer();
    };
    if (events.empty() || !services_.audio) {
        finish(*this, std::nullopt);
        return;
    }
    auto audio = services_.audio;
    inBackground([audio, events = std::move(events), length, finish]() -> std::function<void(EditorModel&)> {
        auto url = audio->render(events, length);
        return [finish, url = std::move(url)](EditorModel& m) { finish(m, url); };
    });
}

// B-roll anchored to words covers them from 0.1 s before the first kept one
// to 0.15 s after the last (at least 0.5 s); an overlay placed at a time
// shows 3 s unless it has a length (at least 0.3 s). Nothing runs past the
// end of the video.
void EditorModel::resolveBRoll()
{
    std::vector<BRollPlacement> placements;
    std::set<Uuid> covered;
    const double length = plan_.outputLength();
    const std::vector<Word>& projectWords = project_.words;
    static const std::vector<Word> noWords;
    const std::vector<Word>& voiceWords = project_.voiceover ? project_.voiceover->words : noWords;
    const Positions projectIndex = anchorPositions(projectWords, orEmpty(project_.brolls));
    std::optional<Positions> voiceIndex;

    for (const BRoll& item : orEmpty(project_.brolls)) {
        if (item.start) {
            const double t = plan_.outputTime(*item.start);
            const double shown = item.length ? std::max(*item.length, 0.3) : 3.0;
            const double end = std::min(t + shown, length);
            if (t + 0.05 < end) placements.push_back({item, t, end, std::nullopt, std::nullopt});
            continue;
        }
        const bool inProject = projectIndex.count(item.startWordID) > 0;
        if (!inProject && !voiceIndex) voiceIndex = anchorPositions(voiceWords, orEmpty(project_.brolls));
        const auto& index = inProject ? projectIndex : *voiceIndex;
        const auto& words = inProject ? projectWords : voiceWords;
        auto from = index.find(item.startWordID);
        auto to = index.find(item.endWordID);
        if (from == index.end() || to == index.end()) continue;
        const std::size_t lo = std::min(from->second, to->second);
        const std::size_t hi = std::max(from->second, to->second);
        const Word* firstKept = nullptr;
        const Word* lastKept = nullptr;
        for (std::size_t i = lo; i <= hi; ++i) {
            if (words[i].deleted) continue;
            if (!firstKept) firstKept = &words[i];
            lastKept = &words[i];
        }
        if (!firstKept) continue;
        for (std::size_t i = lo; i <= hi; ++i) covered.insert(words[i].id);
        // Voiceover words are timed on the output already.
        const double t0 = inProject ? plan_.outputTime(firstKept->start) : firstKept->start;
        const double t1 = inProject ? plan_.outputTime(lastKept->end) : lastKept->end;
        const double start = std::max(t0 - 0.1, 0.0);
        const double end = std::max(std::min(t1 + 0.15, length), start + 0.5);
        placements.push_back({item, start, end, std::nullopt, std::nullopt});
    }
    std::stable_sort(placements.begin(), placements.end(),
                     [](const BRollPlacement& a, const BRollPlacement& b) { return a.start < b.start; });
    brollPlacements_ = std::move(placements);
    emit brollPlacementsChanged();
    set(brollWordIDs_, std::move(covered), &EditorModel::brollWordIDsChanged);
}

VolumeEnvelope EditorModel::placedVideoVolume() const
{
    VolumeEnvelope envelope = project_.videoVolume.value_or(VolumeEnvelope{});
    for (auto& point : envelope.points) point.time = plan_.outputTime(point.time);
    std::stable_sort(envelope.points.begin(), envelope.points.end(),
                     [](const VolumeEnvelope::Point& a, const VolumeEnvelope::Point& b) { return a.time < b.time; });
    return envelope;
}

std::optional<Voiceover> EditorModel::mixVoiceover() const
{
    if (!project_.voiceover) return std::nullopt;
    Voiceover voice = *project_.voiceover;
    if (project_.tracks && project_.tracks->voiceMuted) voice.volume = -120;
    return voice;
}

void EditorModel::setBRollRuntime(std::map<Uuid, BRollRuntime> runtime)
{
    brollRuntime_ = std::move(runtime);
    publishSnapshot();
}

void EditorModel::setSoundEffects(std::optional<SoundEffects> settings)
{
    const bool off = !settings;
    updateProject([&](Project& p) { p.soundEffects = std::move(settings); });
    if (off) {
        // A render still waiting or running is of the removed events; its
        // track must not come back once the settings are gone.
        effectsTask_.cancel();
        ++effectsGeneration_;
        effectsEvents_.clear();
        set(effectsAudioURL_, std::optional<std::string>(), &EditorModel::effectsAudioURLChanged);
    }
    timelineChanged();
}

}  // namespace vt
