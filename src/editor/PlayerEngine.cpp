#include "editor/PlayerEngine.h"

#include "editor/SoundOutput.h"

#include <algorithm>

namespace vt {

PlayerEngine::PlayerEngine(bool useSoundDevice, QObject* owner)
    : player_(std::make_unique<Player>(SoundOutput::format)),
      sound_(std::make_unique<SoundOutput>(*player_, useSoundDevice, owner))
{
}

PlayerEngine::~PlayerEngine() = default;

std::shared_ptr<PlayerItem> PlayerEngine::item(BuildResult built, std::shared_ptr<RenderState> state, double fps,
                                               QSize frameSize, QSize shownSize)
{
    auto item = std::make_shared<PlayerItem>();
    item->composition = std::move(built.composition);
    item->audioMix = std::move(built.audioMix);
    item->clipTracks = std::move(built.clipTracks);
    item->state = std::move(state);
    item->duration = built.outputLength;
    item->fps = fps;
    item->frameSize = frameSize;
    item->decodeEdge = shownSize.isEmpty() ? 0 : std::max(shownSize.width(), shownSize.height());
    return item;
}

void PlayerEngine::setMuted(bool muted) { sound_->setMuted(muted); }

}  // namespace vt
