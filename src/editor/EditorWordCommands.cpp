// Selection and the commands on single words or the selected words.

#include "editor/EditorModel.h"
#include "editor/WordIndex.h"
#include "editor/WordTokens.h"

#include "model/Fillers.h"
#include "platform/TextRules.h"

#include <algorithm>

namespace vt {

void EditorModel::select(Uuid id, Qt::KeyboardModifiers modifiers)
{
    const std::vector<Word>& words = transcript();
    if (modifiers.testFlag(Qt::ShiftModifier) && anchor_) {
        const auto from = WordIndex::of(words, *anchor_), to = WordIndex::of(words, id);
        if (from && to) {
            const auto [lo, hi] = std::minmax(*from, *to);
            std::set<Uuid> range;
            for (std::size_t i = lo; i <= hi; ++i) range.insert(words[i].id);
            setSelection(std::move(range));
            return;
        }
    }
    if (modifiers.testFlag(Qt::ControlModifier)) {
        std::set<Uuid> ids = selection_;
        if (!ids.erase(id)) ids.insert(id);
        setSelection(std::move(ids));
        anchor_ = id;
        return;
    }
    setSelection({id});
    anchor_ = id;
    seekToWord(id);
}

std::optional<Uuid> EditorModel::primarySelection() const
{
    if (anchor_ && selection_.contains(*anchor_)) return anchor_;
    if (selection_.empty()) return std::nullopt;
    return *selection_.begin();
}

void EditorModel::beginEdit(Uuid id, std::optional<std::string> typed)
{
    const std::vector<Word>& words = transcript();
    const auto at = WordIndex::of(words, id);
    if (!at) return;
    if (services_.player) services_.player->pause();
    setSelection({id});
    anchor_ = id;
    setEditStartedByTyping(typed.has_value());
    setEditDraft(typed ? std::move(*typed) : words[*at].text);
    setEditingWordID(id);
}

void EditorModel::commitEdit(bool moveNext)
{
    if (!editingWordID_) return;
    const Uuid id = *editingWordID_;
    const std::string draft = editDraft_;
    const auto at = WordIndex::of(transcript(), id);
    setEditingWordID(std::nullopt);
    setText(id, draft);
    if (!moveNext || !at) return;

    // Skip the words the draft became, then open the next uncut one.
    const std::size_t became = std::max<std::size_t>(WordTokens::split(draft).size(), 1);
    const std::vector<Word>& words = transcript();
    for (std::size_t i = std::min(*at + became, words.size()); i < words.size(); ++i)
        if (!words[i].deleted) {
            beginEdit(words[i].id);
            return;
        }
}

void EditorModel::setText(const Uuid& id, const std::string& text)
{
    const std::vector<std::string> parts = WordTokens::split(text);
    const auto at = WordIndex::of(transcript(), id);
    if (!at) return;
    if (parts.empty()) {
        toggleDelete({id});
        return;
    }
    const Word old = transcript()[*at];
    if (parts.size() == 1 && text::canonicallyEqual(parts.front(), old.text)) return;

    pushUndo();
    const auto times = WordTokens::spread(old.start, old.end - old.start, parts);
    std::vector<Word> retyped;
    retyped.reserve(parts.size());
    for (std::size_t k = 0; k < parts.size(); ++k) {
        Word w;
        w.id = k == 0 ? old.id : Uuid::random();
        w.text = parts[k];
        w.start = times[k].first;
        w.end = times[k].second;
        w.deleted = old.deleted;
        w.emphasized = old.emphasized;
        w.breakAfter = k + 1 == parts.size() && old.breakAfter;
        retyped.push_back(std::move(w));
    }
    std::vector<Word> words = transcript();
    words.erase(words.begin() + static_cast<std::ptrdiff_t>(*at));
    words.insert(words.begin() + static_cast<std::ptrdiff_t>(*at), retyped.begin(), retyped.end());
    setTranscript(std::move(words));
    if (parts.size() == 1)
        visualChanged();
    else
        timelineChanged();
}

// The all-or-none rule: a group where every word has the flag loses it,
// any other group gets it. False (and nothing recorded) when no id matches.
bool EditorModel::toggleFlag(const std::set<Uuid>& ids, bool Word::*flag)
{
    if (ids.empty()) return false;
    bool any = false, all = true;
    for (const Word& w : transcript())
        if (ids.contains(w.id)) {
            any = true;
            all = all && w.*flag;
        }
    if (!any) return false;
    pushUndo();
    editTranscript([&](std::vector<Word>& words) {
        for (Word& w : words)
            if (ids.contains(w.id)) w.*flag = !all;
    });
    return true;
}

void EditorModel::toggleDelete(const std::set<Uuid>& ids)
{
    if (toggleFlag(ids, &Word::deleted)) timelineChanged();
}

void EditorModel::toggleEmphasis(const std::set<Uuid>& ids)
{
    if (toggleFlag(ids, &Word::emphasized)) visualChanged();
}

void EditorModel::toggleBreak(const Uuid& id)
{
    const auto at = WordIndex::of(transcript(), id);
    if (!at) return;
    pushUndo();
    editTranscript([&](std::vector<Word>& words) { words[*at].breakAfter = !words[*at].breakAfter; });
    visualChanged();
}

void EditorModel::removeFillers()
{
    auto filler = [](const Word& w) { return !w.deleted && Fillers::isFiller(w.text); };
    if (std::none_of(transcript().begin(), transcript().end(), filler)) return;
    pushUndo();
    editTranscript([&](std::vector<Word>& words) {
        for (Word& w : words)
            if (filler(w)) w.deleted = true;
    });
    timelineChanged();
}

void EditorModel::resetTranscriptEditing()
{
    undoStack_.clear();
    redoStack_.clear();
    emit historyChanged();
    setSelection({});
    setEditingWordID(std::nullopt);
}

void EditorModel::seekToWord(const Uuid& id)
{
    const std::vector<Word>& words = transcript();
    const auto at = WordIndex::of(words, id);
    if (!at) return;
    // Inside the word rather than on its boundary.
    const double t = outputTime(words[*at]) + 0.01;
    setCurrentTime(t);
    if (services_.player) services_.player->seek(t);
}

std::optional<Uuid> EditorModel::wordID(double outputTime) const
{
    // Word ends are not consulted: in a pause the word before it stays active.
    const auto after = std::upper_bound(outputIndex_.begin(), outputIndex_.end(), outputTime,
                                        [](double t, const OutputEntry& e) { return t < e.start; });
    if (after == outputIndex_.begin()) return std::nullopt;
    return std::prev(after)->id;
}

std::optional<std::pair<Uuid, Uuid>> EditorModel::anchors(const std::vector<Word>& words, double from, double to)
{
    std::optional<std::pair<Uuid, Uuid>> found;
    for (const Word& w : words) {
        if (w.deleted || w.end <= from + 0.02 || w.start >= to - 0.02) continue;
        if (!found)
            found = std::pair{w.id, w.id};
        else
            found->second = w.id;
    }
    return found;
}

}  // namespace vt
