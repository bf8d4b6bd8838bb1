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
    barsCache_.reset();  // a new cut or take may leave the length and the peak count as they were
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
    // The kept-word test, once per word: the caption words share the
    // transcript's order and times.
    std::vector<char> passes(words.size());
    for (std::size_t i = 0; i < words.size(); ++i) passes[i] = voice || DerivedCaptions::keptByPlan(plan_, words[i]);
    const bool allPass = std::all_of(passes.begin(), passes.end(), [](char pass) { return pass; });

    std::set<Uuid> trimmed;
    if (project_.clips && !voice)
        for (std::size_t i = 0; i < words.size(); ++i)
            if (!words[i].deleted && !passes[i]) trimmed.insert(words[i].id);
    set(trimmedWordIDs_, std::move(trimmed), &EditorModel::trimmedWordIDsChanged);

    std::vector<TimedWord> timed;
    if (voice) {
        timed = DerivedCaptions::voiceTimedWords(caption);
    } else if (allPass) {
        timed = plan_.timedWords(caption);  // the usual case: nothing outside the kept stretches
    } else {
        std::vector<Word> keptWords;
        keptWords.reserve(caption.size());
        for (std::size_t i = 0; i < caption.size(); ++i)
            if (!caption[i].deleted && passes[i]) keptWords.push_back(caption[i]);
        timed = plan_.timedWords(keptWords);
    }
    const bool timedChanged = assign(timedWords_, std::move(timed));
    if (timedChanged) emit timedWordsChanged();

    // Lines depend on the timed words and the looks alone; most visual edits
    // (grade, hook, framing) change neither, so the grouping is skipped.
    static const std::map<std::string, CaptionStyle> noStyles;
    const auto& styles = project_.styleOverrides ? *project_.styleOverrides : noStyles;
    bool groupsChanged = false;
    if (timedChanged || !groupedWith_ || groupedWith_->style != project_.style || groupedWith_->styles != styles) {
        groupsChanged = assign(groups_, CaptionGrouper::groups(timedWords_, project_.style, styles));
        groupedWith_ = GroupingLooks{project_.style, styles};
        if (groupsChanged) emit this->groupsChanged();
    }
    set(emojiPicks_, project_.emojis ? pickEmojis() : std::map<int, EmojiPick>{}, &EditorModel::emojiPicksChanged);
    updateEffectsAudio();

    outputIndex_.clear();
    outputIndex_.reserve(timedWords_.size());
    std::size_t next = 0;
    for (std::size_t i = 0; i < words.size() && next < timedWords_.size(); ++i) {
        if (words[i].deleted || !passes[i]) continue;
        outputIndex_.push_back({words[i].id, timedWords_[next].start, timedWords_[next].end});
        ++next;
    }

    // The table follows the lines alone, so unchanged lines leave it as it is.
    if (groupsChanged) {
        std::unordered_map<Uuid, int, WordIDHash> groupOf;
        groupOf.reserve(timedWords_.size());
        for (std::size_t g = 0; g < groups_.size(); ++g)
            for (const TimedWord& w : groups_[g].words)
                if (w.id) groupOf[*w.id] = static_cast<int>(g);
        set(groupOfWord_, std::move(groupOf), &EditorModel::groupOfWordChanged);
    }

    paragraphs_ = DerivedCaptions::paragraphs(words);
    emit paragraphsChanged();
    resolveBRoll();
    publishSnapshot();
}

}  // namespace vt
