// The derived caption state: one full derivation after every change.

#include "editor/DerivedCaptions.h"
#include "editor/EditorModel.h"

#include "captions/CaptionGrouper.h"
#include "model/Fillers.h"
#include "speech/CaptionLanguage.h"

#include <algorithm>

namespace vt {

bool EditorModel::voiceDrivesCaptions() const
{
    const auto& voice = project_.voiceover;
    return voice && voice->captionsFromVoice && !voice->words.empty();
}

bool EditorModel::usesTranslation() const
{
    return !voiceDrivesCaptions() && project_.captionLanguageID == "english" && project_.translation
        && !project_.translation->words.empty();
}

const std::vector<Word>& EditorModel::transcript() const
{
    if (voiceDrivesCaptions()) return project_.voiceover->words;
    if (usesTranslation()) return project_.translation->words;
    return project_.words;
}

void EditorModel::setTranscript(std::vector<Word> words)
{
    const bool voice = voiceDrivesCaptions();
    const bool translation = usesTranslation();
    updateProject([&](Project& p) {
        if (voice)
            p.voiceover->words = std::move(words);
        else if (translation)
            p.translation->words = std::move(words);
        else
            p.words = std::move(words);
    });
}

double EditorModel::outputTime(const Word& word) const
{
    return voiceDrivesCaptions() ? word.start : plan_.outputTime(word.start);
}

int EditorModel::fillerCount() const
{
    const auto& words = transcript();
    return static_cast<int>(
        std::count_if(words.begin(), words.end(), [](const Word& w) { return !w.deleted && Fillers::isFiller(w.text); }));
}

int EditorModel::cutCount() const
{
    const auto& words = transcript();
    return static_cast<int>(std::count_if(words.begin(), words.end(), [](const Word& w) { return w.deleted; }));
}

double EditorModel::savedSeconds() const { return std::max(project_.length() - plan_.outputLength(), 0.0); }

std::vector<ClosedRange<double>> EditorModel::speechRanges() const
{
    std::vector<ClosedRange<double>> out;
    out.reserve(timedWords_.size());
    for (const TimedWord& w : timedWords_) out.push_back({w.start, std::max(w.start, w.end)});
    return out;
}

// Recomputes everything from the project, in dependency order, and ends by
// publishing the snapshot of exactly these values.
void EditorModel::recomputeDerived()
{
    set(plan_,
        EditPlan::make(project_.words, project_.sourceDuration, project_.trimPauses, project_.maxPause, std::nullopt,
                       project_.keptRanges()),
        &EditorModel::planChanged);
    placeTimeline();

    const std::vector<Word>& words = transcript();
    const auto script = CaptionLanguage::find(project_.captionLanguageID).script;
    const auto converted = DerivedCaptions::captionWords(words, script);
    const std::vector<Word>& caption = converted ? *converted : words;
    const bool voice = voiceDrivesCaptions();
    auto kept = [&](const Word& w) { return voice || DerivedCaptions::keptByPlan(plan_, w); };

    std::set<Uuid> trimmed;
    if (project_.clips && !voice)
        for (const Word& w : words)
            if (!w.deleted && !kept(w)) trimmed.insert(w.id);
    set(trimmedWordIDs_, std::move(trimmed), &EditorModel::trimmedWordIDsChanged);

    std::vector<TimedWord> timed;
    if (voice) {
        timed = DerivedCaptions::voiceTimedWords(caption);
    } else {
        std::vector<Word> keptWords;
        keptWords.reserve(caption.size());
        for (const Word& w : caption)
            if (!w.deleted && kept(w)) keptWords.push_back(w);
        timed = plan_.timedWords(keptWords);
    }
    set(timedWords_, std::move(timed), &EditorModel::timedWordsChanged);

    set(groups_,
        CaptionGrouper::groups(timedWords_, project_.style,
                               project_.styleOverrides.value_or(std::map<std::string, CaptionStyle>{})),
        &EditorModel::groupsChanged);
    set(emojiPicks_, project_.emojis ? pickEmojis() : std::map<int, EmojiPick>{}, &EditorModel::emojiPicksChanged);
    updateEffectsAudio();

    outputIndex_.clear();
    outputIndex_.reserve(timedWords_.size());
    std::size_t next = 0;
    for (const Word& w : words) {
        if (next == timedWords_.size()) break;
        if (w.deleted || !kept(w)) continue;
        outputIndex_.push_back({w.id, timedWords_[next].start, timedWords_[next].end});
        ++next;
    }

    std::unordered_map<Uuid, int> groupOf;
    for (std::size_t g = 0; g < groups_.size(); ++g)
        for (const TimedWord& w : groups_[g].words)
            if (w.id) groupOf[*w.id] = static_cast<int>(g);
    set(groupOfWord_, std::move(groupOf), &EditorModel::groupOfWordChanged);

    paragraphs_ = DerivedCaptions::paragraphs(words);
    emit paragraphsChanged();
    resolveBRoll();
    publishSnapshot();
}

}  // namespace vt
