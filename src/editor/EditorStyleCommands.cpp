// How the captions look: the video's look, looks of their own for chosen
// words, a word's own size, colour and offset, and the output format.

#include "editor/EditorModel.h"

#include "captions/StyleLibrary.h"
#include "model/TextEquality.h"

namespace vt {

namespace {

// The look stored in the project's table under this id, if any.
const CaptionStyle* storedLook(const Project& project, const std::string& id)
{
    if (!project.styleOverrides) return nullptr;
    const auto found = project.styleOverrides->find(id);
    return found == project.styleOverrides->end() ? nullptr : &found->second;
}

}  // namespace

void EditorModel::applyStyle(const std::optional<CaptionStyle>& look, const std::set<Uuid>& ids)
{
    if (ids.empty()) return;
    // Applying the video's own look returns the words to it.
    const bool own = look && look->id == project_.style.id && *look == project_.style;
    const std::optional<std::string> id = look && !own ? std::optional(look->id) : std::nullopt;

    const CaptionStyle* stored = id ? storedLook(project_, *id) : nullptr;
    const bool storesLook = id && !(stored && *stored == *look);
    std::vector<Word> words = transcript();
    bool matched = false, wordsChange = false;
    for (Word& w : words) {
        if (!ids.contains(w.id)) continue;
        matched = true;
        if (!sameText(w.styleID, id)) {
            w.styleID = id;
            wordsChange = true;
        }
    }
    // No word to give the look to, or nothing new: nothing to do.
    if (!matched || (!storesLook && !wordsChange)) return;

    // The table of looks is not part of an undo step: undo gives the words
    // their old ids back and the stored look stays.
    if (storesLook)
        updateProject([&](Project& p) {
            if (!p.styleOverrides) p.styleOverrides.emplace();
            (*p.styleOverrides)[*id] = *look;
        });
    if (wordsChange) {
        pushUndo();
        setTranscript(std::move(words));
    }
    visualChanged();
    emit stylePreviewsOutdated();
}

std::optional<CaptionStyle> EditorModel::sharedStyle(const std::set<Uuid>& ids) const
{
    std::optional<std::optional<std::string>> shared;
    for (const Word& w : transcript()) {
        if (!ids.contains(w.id)) continue;
        if (shared && !sameText(*shared, w.styleID)) return std::nullopt;
        shared = w.styleID;
    }
    if (!shared || !*shared) return std::nullopt;
    const CaptionStyle* stored = storedLook(project_, **shared);
    return stored ? std::optional(*stored) : std::nullopt;
}

void EditorModel::applyPreset(const CaptionStyle& look)
{
    updateProject([&](Project& p) {
        p.style = look;
        p.baseStyleID = look.id;
    });
    visualChanged();
}

void EditorModel::applyVariant(const std::optional<StyleVariants::Swatch>& swatch)
{
    if (swatch) {
        updateProject([&](Project& p) { p.style = StyleVariants::recolor(p.style, swatch->color); });
    } else if (const auto library = StyleLibrary::shared().style(project_.baseStyleID)) {
        updateProject([&](Project& p) { p.style = StyleVariants::restoringColors(p.style, *library); });
    }
    visualChanged();
}

void EditorModel::resetStyle()
{
    // A base look whose library look was deleted stays as it is.
    if (const auto library = StyleLibrary::shared().style(project_.baseStyleID))
        updateProject([&](Project& p) { p.style = *library; });
    visualChanged();
}

// Both kinds of preview are drawn in the current format and framing.
void EditorModel::setAspect(OutputAspect aspect)
{
    updateProject([&](Project& p) { p.aspect = aspect; });
    emit stylePreviewsOutdated();
    emit lookPreviewsOutdated();
    visualChanged();
}

void EditorModel::setReframe(ReframeMode reframe)
{
    updateProject([&](Project& p) { p.reframe = reframe; });
    emit stylePreviewsOutdated();
    emit lookPreviewsOutdated();
    visualChanged();
}

WordLook EditorModel::look(const Uuid& id) const
{
    for (const Word& w : transcript())
        if (w.id == id) return w.look.value_or(WordLook::defaultLook());
    return WordLook::defaultLook();
}

void EditorModel::updateLook(const std::set<Uuid>& ids, bool recordUndo, const std::function<void(WordLook&)>& change)
{
    if (ids.empty()) return;
    std::vector<Word> words = transcript();
    bool changed = false;
    for (Word& w : words) {
        if (!ids.contains(w.id)) continue;
        WordLook look = w.look.value_or(WordLook::defaultLook());
        change(look);
        // The default look is never stored.
        const std::optional<WordLook> stored = look.isDefault() ? std::nullopt : std::optional(look);
        if (stored != w.look) {
            w.look = stored;
            changed = true;
        }
    }
    if (!changed) return;
    if (recordUndo) pushUndo();
    setTranscript(std::move(words));
    visualChanged();
}

}  // namespace vt
