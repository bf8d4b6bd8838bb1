#include "export/ExportAction.h"

#include "export/Exporter.h"
#include "export/SubtitleWriter.h"
#include "platform/WholeFile.h"
#include "speech/CaptionError.h"

#include <QBuffer>
#include <QByteArray>
#include <QTimer>

#include <string_view>

namespace vt {

namespace {

constexpr int cleanupCheckMs = 100;  // how often a waiting export looks at the cleanup

std::filesystem::path besides(const std::filesystem::path& file, const char* extension)
{
    return std::filesystem::path(file).replace_extension(extension);
}

}  // namespace

ExportAction::ExportAction(ExportHost& host, QObject* parent)
    : QObject(parent), host_(host), settings_(ExportSettings::load())
{
}

ExportAction::~ExportAction()
{
    cancel_.cancel();
    if (worker_.joinable()) worker_.join();
}

ExportBasis ExportAction::basis() const { return ExportBasis::of(host_.aspect(), host_.source()); }

void ExportAction::setExportSettings(const ExportSettings& settings)
{
    const bool changed = settings != settings_;
    settings_ = settings;
    settings_.save();
    if (changed) emit settingsChanged();
}

ExportSettings::Resolved ExportAction::resolvedExport() const { return settings_.resolved(basis()); }

double ExportAction::estimatedExportBytes() const
{
    return vt::estimatedExportBytes(host_.outputLength(), settings_, resolvedExport());
}

void ExportAction::setExportMode(ExportSettings::Mode mode)
{
    if (mode == settings_.mode) return;
    setExportSettings(settings_.switchedTo(mode, basis()));
}

void ExportAction::setManualExport(std::optional<int> resolution, std::optional<int> frameRate,
                                   std::optional<VideoCodec> codec)
{
    setExportSettings(settings_.withManual(resolution, frameRate, codec, basis()));
}

void ExportAction::setAlsoSRT(bool on)
{
    if (on == alsoSRT_) return;
    alsoSRT_ = on;
    emit sideFilesChanged();
}

void ExportAction::setAlsoThumbnail(bool on)
{
    if (on == alsoThumbnail_) return;
    alsoThumbnail_ = on;
    emit sideFilesChanged();
}

std::string ExportAction::subtitleText(const std::string& extension) const
{
    return SubtitleWriter::text(extension, host_.timedWords(), host_.transcript());
}

void ExportAction::startExport(const std::filesystem::path& destination)
{
    if (running_ || !host_.source()) return;
    if (worker_.joinable()) worker_.join();  // the previous run has reported its end already
    running_ = true;
    progress_ = 0.0;
    error_.reset();
    lastURL_.reset();
    const std::uint64_t run = ++run_;
    cancel_ = CancelToken();
    host_.pausePlayback();
    emit stateChanged();
    awaitCleanup(run, destination);
}

void ExportAction::awaitCleanup(std::uint64_t run, const std::filesystem::path& destination)
{
    if (run != run_ || !running_) return;  // cancelled while waiting, or another run since
    const std::optional<double> cleanup = host_.runningCleanup();
    if (cleanup != cleanupProgress_) {
        cleanupProgress_ = cleanup;
        emit stateChanged();
    }
    if (cleanup) {
        QTimer::singleShot(cleanupCheckMs, this, [this, run, destination] { awaitCleanup(run, destination); });
        return;
    }
    encode(run, destination);
}

void ExportAction::encode(std::uint64_t run, const std::filesystem::path& destination)
{
    const bool audioOnly = settings_.audioOnly;
    ExportCapture capture;
    try {
        capture = host_.capture(audioOnly);
    } catch (const std::exception& e) {
        finish(run, destination, {}, QString::fromUtf8(e.what()), false);
        return;
    }
    const ExportSettings::Resolved resolved = resolvedExport();
    worker_ = std::thread([this, run, destination, audioOnly, resolved, token = cancel_,
                           capture = std::move(capture)]() mutable {
        auto progress = [this, run](double fraction) {
            QMetaObject::invokeMethod(this, [this, run, fraction] { reportProgress(run, fraction); }, Qt::QueuedConnection);
        };
        std::optional<QString> failure;
        bool cancelled = false;
        try {
            if (audioOnly)
                Exporter::exportAudio(*capture.audio, destination, progress, token);
            else
                Exporter::exportVideo(*capture.video, capture.audio.get(), resolved, destination, progress, token);
        } catch (const CancellationError&) {
            cancelled = true;
        } catch (const std::exception& e) {
            failure = QString::fromUtf8(e.what());
        }
        QMetaObject::invokeMethod(
            this,
            [this, run, destination, failure, cancelled, words = std::move(capture.timedWords)] {
                finish(run, destination, words, failure, cancelled);
            },
            Qt::QueuedConnection);
    });
}

void ExportAction::cancelExport()
{
    if (!running_) return;
    cancel_.cancel();
    // Nothing is written yet while the export waits for the cleanup.
    if (cleanupProgress_) finish(run_, {}, {}, std::nullopt, true);
}

void ExportAction::reportProgress(std::uint64_t run, double fraction)
{
    // A report of an ended or earlier run must not bring its progress back.
    if (run != run_ || !running_ || progress_ == fraction) return;
    progress_ = fraction;
    emit stateChanged();
}

void ExportAction::finish(std::uint64_t run, const std::filesystem::path& destination,
                          const std::vector<TimedWord>& timedWords, std::optional<QString> failure, bool cancelled)
{
    if (run != run_) return;
    if (!failure && !cancelled) failure = writeSideFiles(destination, timedWords);
    if (!failure && !cancelled) lastURL_ = destination;
    error_ = cancelled ? std::nullopt : failure;
    progress_.reset();
    cleanupProgress_.reset();
    running_ = false;
    emit stateChanged();
}

std::optional<QString> ExportAction::writeSideFiles(const std::filesystem::path& destination,
                                                    const std::vector<TimedWord>& timedWords)
{
    if (alsoSRT_) {
        auto path = besides(destination, "srt");
        // An export saved as "Talk.srt" (or "Talk.png" below) is never
        // replaced by its own side file: the export is what was asked for.
        if (path != destination && !wholeFile::writeAtomically(path, SubtitleWriter::srt(SubtitleWriter::subtitleGroups(timedWords))))
            return QStringLiteral("Couldn't save the subtitles as “%1”.").arg(QString::fromStdString(path.filename().string()));
    }
    if (alsoThumbnail_ && !settings_.audioOnly) {
        QImage thumbnail = host_.renderThumbnail();
        if (thumbnail.isNull()) return std::nullopt;
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        if (!thumbnail.save(&buffer, "PNG") || png.isEmpty())
            return QString::fromUtf8(CaptionError::exportFailed("Couldn't encode PNG.").what());
        auto path = besides(destination, "png");
        if (path != destination && !wholeFile::writeAtomically(path, std::string_view(png.constData(), static_cast<std::size_t>(png.size()))))
            return QStringLiteral("Couldn't save the thumbnail as “%1”.").arg(QString::fromStdString(path.filename().string()));
    }
    return std::nullopt;
}

}  // namespace vt
