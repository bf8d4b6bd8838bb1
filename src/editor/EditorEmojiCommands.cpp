// The emoji settings of the project and the manual emoji of one line.

#include "editor/EditorModel.h"
#include "editor/EmojiPicker.h"

#include <algorithm>

namespace vt {

std::map<int, EmojiPick> EditorModel::pickEmojis() const { return EmojiPicker::assign(groups_, *project_.emojis); }

void EditorModel::setEmojis(std::optional<EmojiSettings> settings)
{
    updateProject([&](Project& p) { p.emojis = std::move(settings); });
    visualChanged();
}

void EditorModel::setEmoji(const std::optional<std::string>& emoji, int line)
{
    const auto group = std::find_if(groups_.begin(), groups_.end(), [&](const CaptionGroup& g) { return g.index == line; });
    if (group == groups_.end()) return;
    // The word that caused the automatic choice, else the line's first word.
    std::optional<Uuid> target;
    if (const auto pick = emojiPicks_.find(line); pick != emojiPicks_.end() && pick->second.wordID)
        target = pick->second.wordID;
    else if (!group->words.empty())
        target = group->words.front().id;
    if (!target) return;

    EmojiSettings settings = project_.emojis.value_or(EmojiSettings{EmojiSettings::Amount::some, {}});
    // A line never keeps two manual choices.
    for (const TimedWord& w : group->words)
        if (w.id) settings.overrides.erase(w.id->text());
    if (!emoji)
        settings.overrides[target->text()] = "";
    else if (*emoji != "auto")
        settings.overrides[target->text()] = *emoji;
    setEmojis(std::move(settings));
}

}  // namespace vt
