#pragma once
// The editor's sound side on the real engines: sound-effect events and their
// synthesized track in the data root's cache, and where each clip's cleaned
// voice is cached.

#include "editor/EditorServices.h"

namespace vt {

class EngineAudio final : public EditorAudio {
public:
    std::vector<SoundEvent> events(const SoundEffects& settings, const std::vector<CaptionGroup>& groups, const std::set<int>& emojiLines,
                                   const EditPlan& plan, bool hook) override;
    // Any failure (folder, encoder, disk) means no effects track.
    std::optional<std::string> render(const std::vector<SoundEvent>& events, double duration) override;
    std::string cleanedAudioPath(const Uuid& clipID, const AudioCleanup& settings) override;
};

}  // namespace vt
