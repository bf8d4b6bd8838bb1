#pragma once
// The editor's side of stabilization: switching it on and off, measuring
// the camera path of every clip once (off the main thread, with progress),
// and the strength, whose correction is recomputed once a burst of changes
// settles, like the editor's other refreshes. A failed analysis (also one
// that meets a clip whose video cannot be read, which it names) switches
// stabilization off and keeps its message here, for the stabilization
// controls, not in the export's error. Nothing records an undo step.
//
// Threads: a QObject of the main thread beside the editor model it serves
// (which must outlive it). Each clip is analysed on a worker; progress and
// results come back to the main thread.

#include "editor/Debounce.h"
#include "editor/EditorModel.h"
#include "platform/Cancellation.h"

#include <QObject>
#include <QThreadPool>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace vt {

class StabilizeActions final : public QObject {
    Q_OBJECT

public:
    // Measures one file's camera path (Stabilizer::analyze unless a test
    // gives another). Worker thread; throws on failure.
    using Analyze = std::function<CameraPath(const std::filesystem::path& file, const SourceVideoInfo& source,
                                             const std::function<void(double)>& progress, const CancelToken& cancel)>;
    // The correction of a path at a strength (Stabilizer::correction unless given).
    using Correct = std::function<StabilizationCorrection(const CameraPath& path, double strength)>;

    static constexpr double defaultStrength = 0.6;

    // With no clock, Qt timers. When the clips are read and stabilization
    // is on without a camera path, the analysis starts.
    explicit StabilizeActions(EditorModel& model, std::shared_ptr<EditorClock> clock = nullptr, Analyze analyze = nullptr,
                              Correct correct = nullptr, QObject* parent = nullptr);
    // Cancels a running analysis and waits for it.
    ~StabilizeActions() override;

    void setStabilize(bool on);
    // Stores the strength at once; the correction follows after the
    // composition-refresh delay of the last change.
    void setStabilizeStrength(double strength);

    // "Stabilization failed: ..." after a failed analysis; cleared by the next one.
    const std::optional<std::string>& error() const { return error_; }

signals:
    void errorChanged();

private:
    void analyze();
    void analyzeNext(std::size_t index);
    void joined(CameraPath path);
    void failed(const std::string& reason);
    void setError(std::optional<std::string> message);

    EditorModel& model_;
    Analyze analyze_;
    Correct correct_;
    Debounce correction_;
    std::vector<ClipSpan> spans_;  // the spans being analysed
    CameraPath path_;              // joined so far
    CancelToken cancel_;
    std::uint64_t run_ = 0;
    std::optional<std::string> error_;
    QThreadPool worker_;
};

}  // namespace vt
