// The transcript as one editable text, retyping a caption line, and where
// the words of the shown caption line are drawn.

#include "editor/EditorModel.h"
#include "editor/TranscriptDiff.h"
#include "editor/WordTokens.h"

#include "captions/CaptionGrouper.h"
#include "captions/CaptionRenderer.h"
#include "platform/TextRules.h"

#include <algorithm>
#include <limits>

namespace vt {

namespace {

bool sameTexts(const std::vector<std::string>& a, const std::vector<std::string>& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const std::string& x, const std::string& y) { return text::canonicallyEqual(x, y); });
}

std::vector<std::string> keysOf(const std::vector<std::string>& texts)
{
    std::vector<std::string> keys;
    keys.reserve(texts.size());
    for (const std::string& t : texts) keys.push_back(WordTokens::key(t));
    return keys;
}

Word typedWord(const std::string& text, std::pair<double, double> time)
{
    Word w;
    w.id = Uuid::random();
    w.text = text;
    w.start = time.first;
    w.end = time.second;
    return w;
}

void sortByStart(std::vector<Word>& words)
{
    std::stable_sort(words.begin(), words.end(), [](const Word& a, const Word& b) { return a.start < b.start; });
}

// Times for `parts` retyped in place of `old`, words that cut words may lie
// between (`cutBefore[k]`: one lies between old[k - 1] and old[k]). A new word
// spanning a cut word would play its audio again, so the parts stay inside
// the stretches of old words that no cut word interrupts: part k keeps to
// the stretch of old[k] (the word whose id it takes), every stretch gets a
// part while parts last, and a stretch shares its time among its parts by
// their weights. `covered` counts the leading old words whose stretch got a
// part; with fewer parts than stretches the rest get none.
struct RetypedTimes {
    std::vector<std::pair<double, double>> times;
    std::size_t covered = 0;
};

RetypedTimes retypedTimes(const std::vector<Word>& old, const std::vector<bool>& cutBefore,
                          const std::vector<std::string>& parts)
{
    std::vector<std::size_t> stretchOf(old.size(), 0);
    for (std::size_t k = 1; k < old.size(); ++k) stretchOf[k] = stretchOf[k - 1] + (cutBefore[k] ? 1 : 0);
    const std::size_t stretches = stretchOf.back() + 1, n = parts.size();
    std::vector<std::vector<std::string>> partsOf(stretches);
    for (std::size_t k = 0; k < n; ++k) {
        std::size_t s = stretchOf[std::min(k, old.size() - 1)];
        // Leave as many stretches ahead as parts remain to fill them.
        if (n >= stretches && k + stretches > n) s = std::max(s, k + stretches - n);
        partsOf[s].push_back(parts[k]);
    }
    RetypedTimes out;
    for (std::size_t first = 0; first < old.size();) {
        std::size_t last = first;
        while (last + 1 < old.size() && stretchOf[last + 1] == stretchOf[first]) ++last;
        const auto& own = partsOf[stretchOf[first]];
        if (own.empty()) break;
        const auto times = WordTokens::spread(old[first].start, old[last].end - old[first].start, own);
        out.times.insert(out.times.end(), times.begin(), times.end());
        out.covered = last + 1;
        first = last + 1;
    }
    return out;
}

// Walks the uncut words and the typed tokens along a shortest edit script:
// matched words keep everything but their text, removed runs are cut, and
// typed runs take the time of the run they replace (or of the gap they fill).
class TextEditWalk {
public:
    // `cutUntil[k]`: the latest end of the cut words lying between old[k - 1]
    // and old[k] (k = old count: after the last), or minus infinity.
    TextEditWalk(const std::vector<Word>& old, const std::vector<bool>& cutBefore, const std::vector<double>& cutUntil,
                 const std::vector<std::string>& tokens, const TranscriptDiff& diff)
        : old_(old), cutBefore_(cutBefore), cutUntil_(cutUntil), tokens_(tokens), diff_(diff)
    {
    }

    // The kept and new words, then the words this edit cuts.
    std::pair<std::vector<Word>, std::vector<Word>> run()
    {
        while (true) {
            if (i_ < old_.size() && j_ < tokens_.size() && !diff_.removed[i_] && !diff_.inserted[j_]) {
                Word w = old_[i_++];
                w.text = tokens_[j_++];
                kept_.push_back(std::move(w));
                continue;
            }
            std::vector<Word> removed;
            while (i_ < old_.size() && diff_.removed[i_]) removed.push_back(old_[i_++]);
            std::vector<std::string> typed;
            while (j_ < tokens_.size() && diff_.inserted[j_]) typed.push_back(tokens_[j_++]);
            if (removed.empty() && typed.empty()) break;
            place(removed, typed);
        }
        return {std::move(kept_), std::move(cut_)};
    }

private:
    void place(const std::vector<Word>& removed, const std::vector<std::string>& typed)
    {
        for (std::size_t k = typed.size(); k < removed.size(); ++k) {
            Word w = removed[k];
            w.deleted = true;
            cut_.push_back(std::move(w));
        }
        if (typed.empty()) return;

        const auto times = timesFor(removed, typed);
        for (std::size_t k = 0; k < typed.size(); ++k) {
            Word w = typedWord(typed[k], times[k]);
            if (k < removed.size()) {
                // A replaced word keeps its identity, so items anchored to it stay.
                w.id = removed[k].id;
                w.emphasized = removed[k].emphasized;
            }
            kept_.push_back(std::move(w));
        }
    }

    std::vector<std::pair<double, double>> timesFor(const std::vector<Word>& removed,
                                                    const std::vector<std::string>& typed) const
    {
        // A replaced run that words cut earlier lie within keeps their time out.
        const auto from = cutBefore_.begin() + static_cast<std::ptrdiff_t>(i_ - removed.size());
        const std::vector<bool> cutWithin(from, from + static_cast<std::ptrdiff_t>(removed.size()));
        if (removed.size() > 1 && std::find(cutWithin.begin() + 1, cutWithin.end(), true) != cutWithin.end())
            return retypedTimes(removed, cutWithin, typed).times;

        const double count = static_cast<double>(typed.size());
        double h, g;
        if (!removed.empty()) {
            h = removed.front().start;
            g = removed.back().end;
        } else {
            // Typed words go after any cut word in the gap: taking its time
            // would play its audio again.
            h = std::max(kept_.empty() ? 0.0 : kept_.back().end, cutUntil_[i_]);
            g = i_ < old_.size() ? old_[i_].start : h + 0.3 * count;
        }
        // At least 0.12 s a word on average, even over a shorter span...
        double span = std::max(g - h, 0.12 * count);
        // ...but never starting past the word that follows: the sort by
        // start would put them behind it, out of the order they were typed.
        if (i_ < old_.size()) {
            const double next = old_[i_].start;
            h = std::min(h, next);
            span = std::min(span, next - h);
        }
        return WordTokens::spread(h, span, typed);
    }

    const std::vector<Word>& old_;
    const std::vector<bool>& cutBefore_;
    const std::vector<double>& cutUntil_;
    const std::vector<std::string>& tokens_;
    const TranscriptDiff& diff_;
    std::size_t i_ = 0, j_ = 0;
    std::vector<Word> kept_, cut_;
};

}  // namespace

std::string EditorModel::editableText() const { return plainText(transcript()); }

std::string EditorModel::plainText(const std::vector<Word>& words)
{
    std::string out;
    for (const Word& w : words) {
        if (w.deleted) continue;
        if (!out.empty() && out.back() != '\n') out += ' ';
        out += w.text;
        if (endsSentence(w.text)) out += '\n';
    }
    return out;
}

void EditorModel::applyTextEdit(const std::string& text)
{
    const std::vector<std::string> tokens = WordTokens::split(text);
    std::vector<Word> old, cutBefore;
    std::vector<std::string> oldTexts;
    std::vector<bool> afterCut;  // per uncut word: a cut word lies between it and the uncut word before
    std::vector<double> cutUntil;
    constexpr double none = -std::numeric_limits<double>::infinity();
    double cutEnd = none;
    for (const Word& w : transcript()) {
        if (w.deleted) {
            cutBefore.push_back(w);
            cutEnd = std::max(cutEnd, w.end);
            continue;
        }
        old.push_back(w);
        oldTexts.push_back(w.text);
        afterCut.push_back(cutEnd != none);
        cutUntil.push_back(cutEnd);
        cutEnd = none;
    }
    cutUntil.push_back(cutEnd);
    const TranscriptDiff diff = TranscriptDiff::between(keysOf(oldTexts), keysOf(tokens));
    if (diff.empty() && sameTexts(oldTexts, tokens)) return;

    auto [words, cut] = TextEditWalk(old, afterCut, cutUntil, tokens, diff).run();
    words.insert(words.end(), cut.begin(), cut.end());
    words.insert(words.end(), cutBefore.begin(), cutBefore.end());
    sortByStart(words);
    pushUndo();
    setTranscript(std::move(words));
    timelineChanged();
}

void EditorModel::setLineText(int line, const std::string& text)
{
    const auto group = std::find_if(groups_.begin(), groups_.end(), [&](const CaptionGroup& g) { return g.index == line; });
    if (group == groups_.end()) return;
    std::set<Uuid> ids;
    for (const TimedWord& w : group->words)
        if (w.id) ids.insert(*w.id);
    std::vector<Word> words = transcript();
    std::vector<std::size_t> positions;
    for (std::size_t i = 0; i < words.size(); ++i)
        if (ids.contains(words[i].id)) positions.push_back(i);
    if (positions.empty()) return;

    const std::vector<std::string> parts = WordTokens::split(text);
    if (parts.empty()) {
        toggleDelete(ids);
        return;
    }
    std::vector<Word> old;
    std::vector<std::string> oldTexts;
    for (std::size_t p : positions) {
        old.push_back(words[p]);
        oldTexts.push_back(words[p].text);
    }
    if (sameTexts(parts, oldTexts)) return;

    pushUndo();
    const bool sameCount = parts.size() == old.size();
    if (sameCount) {
        for (std::size_t k = 0; k < parts.size(); ++k) {
            words[positions[k]].text = parts[k];
            words[positions[k]].native.reset();
        }
    } else {
        std::vector<bool> cutBefore(old.size(), false);
        for (std::size_t k = 1; k < old.size(); ++k) cutBefore[k] = positions[k] != positions[k - 1] + 1;
        const RetypedTimes fit = retypedTimes(old, cutBefore, parts);
        std::vector<Word> retyped;
        for (std::size_t k = 0; k < parts.size(); ++k) {
            Word w = k < old.size() ? old[k] : typedWord(parts[k], fit.times[k]);
            w.text = parts[k];
            w.native.reset();
            w.start = fit.times[k].first;
            w.end = fit.times[k].second;
            w.breakAfter = k + 1 == parts.size() && old.back().breakAfter;
            retyped.push_back(std::move(w));
        }
        // Old words no part took the place of stay, cut: dropped, their audio
        // would be cut with no word left to restore it by.
        for (std::size_t k = fit.covered; k < old.size(); ++k) {
            Word w = old[k];
            w.deleted = true;
            retyped.push_back(std::move(w));
        }
        // Cut words lying between the line's words stay, in time order.
        const std::size_t first = positions.front(), last = positions.back();
        for (std::size_t i = first; i <= last; ++i)
            if (!ids.contains(words[i].id)) retyped.push_back(words[i]);
        sortByStart(retyped);
        words.erase(words.begin() + static_cast<std::ptrdiff_t>(first),
                    words.begin() + static_cast<std::ptrdiff_t>(last + 1));
        words.insert(words.begin() + static_cast<std::ptrdiff_t>(first), retyped.begin(), retyped.end());
    }
    setTranscript(std::move(words));
    if (sameCount)
        visualChanged();
    else
        timelineChanged();
}

std::vector<EditorModel::WordFrame> EditorModel::captionWordFrames() const
{
    std::vector<WordFrame> frames;
    if (!project_.captionsVisible) return frames;
    const CaptionGroup* group = CaptionGrouper::groupAt(currentTime_, groups_);
    if (!group) return frames;
    const CaptionStyle* style = &project_.style;
    if (group->styleID && project_.styleOverrides) {
        const auto own = project_.styleOverrides->find(*group->styleID);
        if (own != project_.styleOverrides->end()) style = &own->second;
    }
    const Size size = renderSize(project_.aspect);
    for (const auto& [word, rect] :
         CaptionRenderer::wordFrames({*group}, *style, currentTime_, QSizeF(size.width, size.height)))
        if (word.id) frames.push_back({*word.id, rect});
    return frames;
}

}  // namespace vt
