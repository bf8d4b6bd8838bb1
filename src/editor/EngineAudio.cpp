#include "editor/EngineAudio.h"

#include "audio/AudioCleaner.h"
#include "audio/SoundEffectsRenderer.h"

#include <exception>

namespace vt {

std::vector<SoundEvent> EngineAudio::events(const SoundEffects& settings, const std::vector<CaptionGroup>& groups,
                                            const std::set<int>& emojiLines, const EditPlan& plan, bool hook)
{
    return SoundEffectsRenderer::events(settings, groups, emojiLines, plan, hook);
}

std::optional<std::string> EngineAudio::render(const std::vector<SoundEvent>& events, double duration)
{
    try {
        return SoundEffectsRenderer::render(events, duration).string();
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

std::string EngineAudio::cleanedAudioPath(const Uuid& clipID, const AudioCleanup& settings)
{
    return AudioCleaner::cacheURL(clipID, settings).string();
}

}  // namespace vt
