#pragma once
// The program's export composer: the export builds its own composition of
// the cut from what it took from the editor and reads it through the same
// frame compositor and sound mix as the preview. Each source builds its
// composition on first use, on the export thread that reads it, so the main
// thread never waits on the media; the editor's own render state is never
// read, so editing during an export does not change the file.

#include "export/ExportComposer.h"
#include "video/CompositionBuilder.h"

namespace vt {

class CompositionExportComposer final : public ExportComposer {
public:
    std::unique_ptr<ComposedVideo> video(const ExportRequest& request) override;
    std::unique_ptr<MixedAudio> audio(const ExportRequest& request, bool withBRoll) override;

    // What the composition builder is asked for an export.
    static BuildRequest buildRequest(const ExportRequest& request, bool withBRoll);
};

}  // namespace vt
