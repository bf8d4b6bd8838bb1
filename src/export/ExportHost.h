#pragma once
// What the export action needs of the open project: the editor model stands
// behind this for the program, tests put a small project of their own there.
// Every member is called on the main thread.

#include "export/ExportSources.h"
#include "model/OutputAspect.h"
#include "model/Placements.h"
#include "model/TimedWord.h"
#include "model/Word.h"

#include <QImage>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vt {

// Everything one export reads, taken together when it starts, so edits made
// while it runs reach neither the file nor its subtitles.
struct ExportCapture {
    std::unique_ptr<ComposedVideo> video;  // unused by an audio-only export
    std::unique_ptr<MixedAudio> audio;
    std::vector<TimedWord> timedWords;     // the words on the output timeline, for the .srt
};

class ExportHost {
public:
    virtual ~ExportHost() = default;

    // The probed facts of the main source video; absent until loaded.
    virtual std::optional<SourceVideoInfo> source() const = 0;
    virtual OutputAspect aspect() const = 0;
    // Output length of the current cut in seconds.
    virtual double outputLength() const = 0;
    // The words on the output timeline and the transcript as the dock shows it.
    virtual std::vector<TimedWord> timedWords() const = 0;
    virtual std::vector<Word> transcript() const = 0;

    virtual void pausePlayback() = 0;
    // While the audio cleanup is still making the cleaned voice an export
    // must carry: its progress (0 until it begins cleaning). None otherwise.
    virtual std::optional<double> runningCleanup() const = 0;
    // Throws CaptionError::noVideoTrack while some clip is still loading. An
    // audio-only capture has no picture and mixes without the B-roll's sound.
    virtual ExportCapture capture(bool audioOnly) = 0;
    // The selected thumbnail at the canvas size; a null image when none is selected.
    virtual QImage renderThumbnail() = 0;
};

}  // namespace vt
