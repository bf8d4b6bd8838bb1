#pragma once
// The editor's export command: starts, runs, cancels and reports one export
// at a time of the open project, and writes the .srt and .png side files
// beside the exported file. Holds the user's export settings for the editor
// (saved to the user settings on every assignment).
//
// An export started while the audio cleanup is still making the cleaned
// voice waits for it first (its progress stays 0 and cleanupProgress shows
// the cleanup's), so the file never carries the raw voice by accident.
//
// Lives on the main thread; the encoding runs on a worker thread of its own
// and reports back through queued calls. Progress that arrives from a run
// that is no longer current is dropped.

#include "export/ExportHost.h"
#include "export/ExportSettings.h"
#include "platform/Cancellation.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>

namespace vt {

class ExportAction : public QObject {
    Q_OBJECT
public:
    explicit ExportAction(ExportHost& host, QObject* parent = nullptr);
    // Cancels a running export and waits for its thread.
    ~ExportAction() override;

    // ---- settings ----
    const ExportSettings& exportSettings() const { return settings_; }
    // Stores and saves the value (also when unchanged); notifies only on a change.
    void setExportSettings(const ExportSettings& settings);
    ExportSettings::Resolved resolvedExport() const;
    double estimatedExportBytes() const;
    void setExportMode(ExportSettings::Mode mode);
    void setManualExport(std::optional<int> resolution, std::optional<int> frameRate, std::optional<VideoCodec> codec);

    // ---- side files ----
    bool alsoSRT() const { return alsoSRT_; }
    void setAlsoSRT(bool on);
    bool alsoThumbnail() const { return alsoThumbnail_; }
    void setAlsoThumbnail(bool on);
    // "srt", "vtt" or anything else (the plain transcript).
    std::string subtitleText(const std::string& extension) const;

    // ---- running ----
    // Does nothing while an export runs or before the source is loaded.
    void startExport(const std::filesystem::path& destination);
    void cancelExport();
    bool isExporting() const { return running_; }
    std::optional<double> exportProgress() const { return progress_; }
    // While the export waits for the audio cleanup: the cleanup's progress.
    std::optional<double> cleanupProgress() const { return cleanupProgress_; }
    std::optional<QString> exportError() const { return error_; }
    std::optional<std::filesystem::path> lastExportURL() const { return lastURL_; }

signals:
    void settingsChanged();
    void sideFilesChanged();
    // Progress, error, last file or running state changed.
    void stateChanged();

private:
    ExportHost& host_;
    ExportSettings settings_;
    bool alsoSRT_ = true;
    bool alsoThumbnail_ = false;

    bool running_ = false;
    std::optional<double> progress_;
    std::optional<double> cleanupProgress_;
    std::optional<QString> error_;
    std::optional<std::filesystem::path> lastURL_;
    std::uint64_t run_ = 0;  // the current run; queued reports of older runs are dropped
    CancelToken cancel_;
    std::thread worker_;

    ExportBasis basis() const;
    void awaitCleanup(std::uint64_t run, const std::filesystem::path& destination);
    void encode(std::uint64_t run, const std::filesystem::path& destination);
    void reportProgress(std::uint64_t run, double fraction);
    void finish(std::uint64_t run, const std::filesystem::path& destination,
                const std::vector<TimedWord>& timedWords, std::optional<QString> failure, bool cancelled);
    std::optional<QString> writeSideFiles(const std::filesystem::path& destination,
                                          const std::vector<TimedWord>& timedWords);
};

}  // namespace vt
