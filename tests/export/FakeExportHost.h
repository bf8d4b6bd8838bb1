#pragma once
// A small project for the export action: generated picture and sound of a
// given length, two timed words, and knobs for the source, a loading clip
// and the thumbnail.

#include "export/ExportHost.h"
#include "export/GeneratedSources.h"
#include "speech/CaptionError.h"

#include <memory>

namespace vt::test {

inline TimedWord timed(std::string text, double start)
{
    TimedWord w;
    w.text = std::move(text);
    w.start = start;
    w.end = start + 0.3;
    return w;
}

class FakeExportHost : public ExportHost {
public:
    std::optional<SourceVideoInfo> info = SourceVideoInfo{1080, 1920, {}, 30, 10, false};
    double length = 0.6;
    std::vector<TimedWord> words{timed("Hello", 0), timed("there.", 0.35)};
    QImage thumbnail;
    bool clipsLoading = false;
    std::optional<double> cleanup;  // a running audio cleanup's progress
    int captures = 0;
    int pauses = 0;

    std::optional<SourceVideoInfo> source() const override { return info; }
    OutputAspect aspect() const override { return OutputAspect::vertical; }
    double outputLength() const override { return length; }
    std::vector<TimedWord> timedWords() const override { return words; }
    std::vector<Word> transcript() const override { return {}; }
    void pausePlayback() override { ++pauses; }
    std::optional<double> runningCleanup() const override { return cleanup; }
    ExportCapture capture(bool) override
    {
        ++captures;
        if (clipsLoading) throw CaptionError::noVideoTrack();
        return {std::make_unique<test::PaintedVideo>(length), std::make_unique<test::ToneMix>(length), words};
    }
    QImage renderThumbnail() override { return thumbnail; }
};

}  // namespace vt::test
