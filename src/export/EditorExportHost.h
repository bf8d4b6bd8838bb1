#pragma once
// The export's view of the open editor model: its source, cut, words and
// thumbnail, and a capture of everything one export reads, made through the
// composer. Main thread only.

#include "export/ExportComposer.h"
#include "export/ExportHost.h"

#include <functional>
#include <memory>

namespace vt {

class EditorModel;

class EditorExportHost : public ExportHost {
public:
    // `pause` stops playback; `thumbnail` renders the selected thumbnail at
    // the canvas size (a null image without a selection). Either may be
    // empty; without `thumbnail` the editor's chosen thumbnail is rendered.
    EditorExportHost(EditorModel& editor, std::shared_ptr<ExportComposer> composer,
                     std::function<void()> pause = {}, std::function<QImage()> thumbnail = {});

    std::optional<SourceVideoInfo> source() const override;
    OutputAspect aspect() const override;
    double outputLength() const override;
    std::vector<TimedWord> timedWords() const override;
    std::vector<Word> transcript() const override;
    void pausePlayback() override;
    std::optional<double> runningCleanup() const override;
    ExportCapture capture(bool audioOnly) override;
    QImage renderThumbnail() override;

    // What an export started now would read; throws CaptionError::noVideoTrack
    // while a clip has not loaded.
    ExportRequest request() const;

private:
    EditorModel& editor_;
    std::shared_ptr<ExportComposer> composer_;
    std::function<void()> pause_;
    std::function<QImage()> thumbnail_;
};

}  // namespace vt
