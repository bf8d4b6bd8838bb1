#include "model/SourceRemap.h"

#include <algorithm>
#include <unordered_set>

namespace vt {

namespace {

// Keeps the items whose time maps, storing the mapped time; order kept.
template <class T, class Field>
void remapEach(std::vector<T>& items, const SourceRemap& remap, Field field)
{
    std::vector<T> kept;
    kept.reserve(items.size());
    for (T& item : items) {
        if (auto t = remap(item.*field)) {
            item.*field = *t;
            kept.push_back(std::move(item));
        }
    }
    items = std::move(kept);
}

template <class T, class Field>
void sortBy(std::vector<T>& items, Field field)
{
    std::stable_sort(items.begin(), items.end(), [&](const T& a, const T& b) { return a.*field < b.*field; });
}

void remapWords(std::vector<Word>& words, const SourceRemap& remap)
{
    std::vector<Word> kept;
    kept.reserve(words.size());
    for (Word& word : words) {
        auto start = remap(word.start);
        if (!start) continue;
        double length = word.end - word.start;
        word.start = *start;
        word.end = *start + length;
        kept.push_back(std::move(word));
    }
    // After a clip move the words must be in timeline order again.
    sortBy(kept, &Word::start);
    words = std::move(kept);
}

}  // namespace

std::optional<double> SourceRemap::operator()(double t) const
{
    if (oldSpans.empty()) return t;
    const ClipSpan* from = &oldSpans.front();
    for (auto it = oldSpans.rbegin(); it != oldSpans.rend(); ++it) {
        if (it->start <= t + 1e-9) {
            from = &*it;
            break;
        }
    }
    for (const ClipSpan& to : newSpans) {
        if (to.clip.id == from->clip.id) return to.start + (t - from->start);
    }
    return std::nullopt;
}

void SourceRemap::apply(Project& project) const
{
    remapWords(project.words, *this);
    if (project.translation) remapWords(project.translation->words, *this);

    if (project.matchCuts) {
        std::vector<MatchCut> kept;
        for (MatchCut& cut : *project.matchCuts) {
            if (cut.start) {
                auto t = (*this)(*cut.start);
                if (!t) continue;
                cut.start = *t;
            }
            kept.push_back(std::move(cut));
        }
        project.matchCuts = std::move(kept);
    }
    if (project.motions) remapEach(*project.motions, *this, &MotionEffect::start);
    if (project.sounds) remapEach(*project.sounds, *this, &SoundClip::start);
    if (project.videoVolume) {
        remapEach(project.videoVolume->points, *this, &VolumeEnvelope::Point::time);
        sortBy(project.videoVolume->points, &VolumeEnvelope::Point::time);
    }

    if (project.brolls) {
        std::unordered_set<Uuid> anchors;
        for (const Word& word : project.words) anchors.insert(word.id);
        if (project.voiceover)
            for (const Word& word : project.voiceover->words) anchors.insert(word.id);
        std::vector<BRoll> kept;
        for (BRoll& broll : *project.brolls) {
            if (broll.start) {
                auto t = (*this)(*broll.start);
                if (!t) continue;
                broll.start = *t;
            } else if (!anchors.contains(broll.startWordID) || !anchors.contains(broll.endWordID)) {
                continue;
            }
            kept.push_back(std::move(broll));
        }
        project.brolls = std::move(kept);
    }

    if (project.faceTrack) {
        remapEach(project.faceTrack->samples, *this, &FaceTrack::Sample::t);
        sortBy(project.faceTrack->samples, &FaceTrack::Sample::t);
        if (project.faceTrack->samples.empty()) project.faceTrack.reset();
    }
}

}  // namespace vt
