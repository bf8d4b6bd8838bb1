// The preview pictures of caption looks, drawn once per look, caption
// script, format and framing, and dropped when any of those change; and the
// caption writing, which the previews depend on.

#include "editor/EditorModel.h"

#include "speech/CaptionLanguage.h"

#include <algorithm>

namespace vt {

StylePreviewCache& EditorModel::previewCache()
{
    if (!previewCache_) {
        previewCache_ = std::make_unique<StylePreviewCache>();
        connect(this, &EditorModel::stylePreviewsOutdated, previewCache_.get(), &StylePreviewCache::clearStylePreviews);
        connect(this, &EditorModel::lookPreviewsOutdated, previewCache_.get(), &StylePreviewCache::clearAll);
    }
    return *previewCache_;
}

std::string EditorModel::previewKey(const CaptionStyle& look) const
{
    const CaptionScript script = CaptionLanguage::find(project_.captionLanguageID).script;
    return StylePreviewCache::previewKey(look, rawValue(script));
}

void EditorModel::ensurePreview(const CaptionStyle& look)
{
    if (!posterFrame_) return;
    StylePreviewCache::Project framing;
    framing.aspect = project_.aspect;
    framing.reframe = project_.reframe;
    framing.faceTrack = project_.faceTrack;
    framing.posterTime = posterTime_;
    previewCache().ensurePreview(look, previewKey(look), *posterFrame_, framing);
}

void EditorModel::cancelPreview(const CaptionStyle& look) { previewCache().cancelPreview(previewKey(look)); }

bool EditorModel::hasNativeText() const
{
    // The English words carry no native text; the spoken ones under them do.
    const std::vector<Word>& words = usesTranslation() ? project_.words : transcript();
    return std::any_of(words.begin(), words.end(), [](const Word& w) { return w.native.has_value(); });
}

}  // namespace vt
