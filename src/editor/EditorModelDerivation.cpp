// The derived caption state: one full derivation after every change.

#include "editor/DerivedCaptions.h"
#include "editor/EditorModel.h"

#include "captions/CaptionGrouper.h"
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
    editTranscript([&](std::vector<Word>& list) { list = std::move(words); });
}

void EditorModel::editTranscript(const std::function<void(std::vector<Word>&)>& change)
{
    const bool voice = voiceDrivesCaptions();
    const bool translation = usesTranslation();
    updateProject([&](Project& p) {
        if (voice)
            change(p.voiceover->words);
        else if (translation)
            change(p.translation->words);
        else
            change(p.words);
    });
}

double EditorModel::outputTime(const Word& word) const
{
    return voiceDrivesCaptions() ? word.start : plan_.outputTime(word.start);
}

int EditorModel::fillerCount() const
{
    // Asked after every change (menus, the post panel): a word is judged once
    // per text, not on every count.
    const auto& words = transcript();
    const auto& measures = transcriptMeasures_.of(words);
    int count = 0;
    for (std::size_t i = 0; i < words.size(); ++i)
        if (!words[i].deleted && measures[i].filler) ++count;
    return count;
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
// publishing the snapshot of exactly these values. What a word's text alone
// decides is measured once per text and kept; everything else is derived
// afresh and stored only where it changed.
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
    std::vector<char> passes(words.size(), 1);
    std::size_t hint = 0;
    if (!voice)
        for (std::size_t i = 0; i < words.size(); ++i) passes[i] = DerivedCaptions::keptByPlan(plan_, words[i], hint);

    std::set<Uuid> trimmed;
    if (project_.clips && !voice)
        for (std::size_t i = 0; i < words.size(); ++i)
            if (!words[i].deleted && !passes[i]) trimmed.insert(words[i].id);
    set(trimmedWordIDs_, std::move(trimmed), &EditorModel::trimmedWordIDsChanged);

    const auto& measures = captionMeasures_.of(caption);
    const bool timedChanged = assign(timedWords_, deriveTimedWords(caption, measures, passes));
    if (timedChanged) emit timedWordsChanged();

    // Lines depend on the timed words and the looks alone; most visual edits
    // (grade, hook, framing) change neither, so the grouping is skipped.
    static const std::map<std::string, CaptionStyle> noStyles;
    const auto& styles = project_.styleOverrides ? *project_.styleOverrides : noStyles;
    bool groupsChanged = false;
    if (timedChanged || !groupedWith_ || groupedWith_->style != project_.style || groupedWith_->styles != styles) {
        auto lines = CaptionGrouper::groups(timedWords_, project_.style, styles, timedCharacters_);
        groupsChanged = lines != groups_.list();
        if (groupsChanged) groups_ = std::move(lines);
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
    if (indexGroups(words, passes)) emit groupOfWordChanged();

    // Paragraphs break at sentence ends of the stored text, which is the
    // caption text unless the captions show another writing.
    paragraphs_ = DerivedCaptions::paragraphs(words, converted ? transcriptMeasures_.of(words) : measures);
    emit paragraphsChanged();
    resolveBRoll();
    publishSnapshot();
}

std::vector<TimedWord> EditorModel::deriveTimedWords(const std::vector<Word>& caption,
                                                     const std::vector<WordMeasures::Measure>& measures,
                                                     const std::vector<char>& passes)
{
    const bool voice = voiceDrivesCaptions();
    std::vector<TimedWord> timed;
    timed.reserve(caption.size());
    timedCharacters_.clear();
    timedCharacters_.reserve(caption.size());
    std::size_t hint = 0;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i].deleted || !passes[i]) continue;
        // Voiceover words are timed on the output already.
        timed.push_back(voice ? DerivedCaptions::voiceTimedWord(caption[i], measures[i].endsSentence)
                              : plan_.timedWord(caption[i], measures[i].endsSentence, hint));
        timedCharacters_.push_back(measures[i].characters);
    }
    return timed;
}

// The timed words lie in the groups in order, and each is the timed word of
// the next transcript word that is neither cut nor outside the cut, so one
// walk pairs each word with its line.
bool EditorModel::indexGroups(const std::vector<Word>& words, const std::vector<char>& passes)
{
    bool changed = false;
    const bool moved = indexedIDs_.size() != words.size()
                    || !std::equal(words.begin(), words.end(), indexedIDs_.begin(),
                                   [](const Word& w, const Uuid& id) { return w.id == id; });
    if (moved) {
        indexedIDs_.clear();
        indexedIDs_.reserve(words.size());
        positionOf_.clear();
        positionOf_.reserve(words.size());
        for (std::size_t i = 0; i < words.size(); ++i) {
            indexedIDs_.push_back(words[i].id);
            positionOf_[words[i].id] = i;
        }
        changed = true;
    }
    std::vector<int> lines(words.size(), -1);
    std::size_t group = 0, inGroup = 0, timed = 0;
    for (std::size_t i = 0; i < words.size() && timed < timedWords_.size(); ++i) {
        if (words[i].deleted || !passes[i]) continue;
        while (group < groups_.size() && inGroup == groups_[group].words.size()) {
            ++group;
            inGroup = 0;
        }
        if (group == groups_.size()) break;
        lines[i] = static_cast<int>(group);
        ++inGroup;
        ++timed;
    }
    if (lines != groupOfIndex_) {
        groupOfIndex_ = std::move(lines);
        changed = true;
    }
    return changed;
}

std::optional<int> EditorModel::groupOfWordAt(std::size_t index) const
{
    if (index >= groupOfIndex_.size() || groupOfIndex_[index] < 0) return std::nullopt;
    return groupOfIndex_[index];
}

std::optional<int> EditorModel::groupOfWord(const Uuid& id) const
{
    const auto at = positionOf_.find(id);
    if (at == positionOf_.end()) return std::nullopt;
    return groupOfWordAt(at->second);
}

}  // namespace vt
