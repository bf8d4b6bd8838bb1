#pragma once
// Turns what an export took from the editor into the picture and sound it
// reads: the composition builder, the frame compositor and the audio mix
// stand behind it in the program. Called on the main thread; the returned
// sources are then read on the export's own threads.

#include "export/ExportSources.h"
#include "model/BackgroundMusic.h"
#include "model/Project.h"
#include "model/Voiceover.h"
#include "platform/JsonCoding.h"
#include "video/MediaLoading.h"
#include "video/RenderSnapshot.h"

#include <memory>
#include <optional>
#include <vector>

namespace vt {

struct ExportRequest {
    RenderSnapshot snapshot;                      // the frame input when the export started
    Project project;                              // its clips, as they were then
    std::vector<ClipMedia> clips;                 // their media, with the cleaned voice where chosen
    std::optional<BackgroundMusic> music;         // absent when none or muted
    std::optional<Voiceover> voiceover;           // as the mix plays it
    std::vector<ClosedRange<double>> speechSpans; // output seconds of every spoken word, for ducking

    // The spans of every timed word of every caption line, in order.
    static std::vector<ClosedRange<double>> speechSpansOf(const std::vector<CaptionGroup>& groups);
};

class ExportComposer {
public:
    virtual ~ExportComposer() = default;
    virtual std::unique_ptr<ComposedVideo> video(const ExportRequest& request) = 0;
    // The audio-only export mixes without the B-roll's sound.
    virtual std::unique_ptr<MixedAudio> audio(const ExportRequest& request, bool withBRoll) = 0;
};

}  // namespace vt
