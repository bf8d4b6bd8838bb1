// The speech-model download: started once, its progress kept in the model,
// its failure shown in the alert.

#include "app/AppModel.h"

#include "app/Background.h"
#include "speech/FailureText.h"
#include "speech/WhisperTranscriber.h"

namespace vt {

void AppModel::downloadWhisperModel()
{
    if (modelDownloadProgress_ || WhisperTranscriber::isModelInstalled()) return;
    setModelDownloadProgress(0.0);
    auto download = std::make_shared<TaskHandle>();
    setModelDownloadTask(download);
    auto fetch = services_.downloadModel;
    background<bool>(
        [this, fetch, download] {
            fetch(
                [this, download](double fraction) {
                    QMetaObject::invokeMethod(
                        this,
                        [this, download, fraction] {
                            // A report that comes in after its download ended
                            // would bring back a finished download's bar.
                            if (modelDownloadTask_ == download) setModelDownloadProgress(fraction);
                        },
                        Qt::QueuedConnection);
                },
                download->token());
            return true;
        },
        [this, download](bool) { endDownload(download, nullptr); },
        [this, download](std::exception_ptr error) { endDownload(download, error); });
}

void AppModel::endDownload(const Task& download, std::exception_ptr error)
{
    if (error) {
        FailureText::Text text = FailureText::ofDownload(error);
        setErrorMessage(std::move(text.message), std::move(text.detail));
    }
    if (modelDownloadTask_ != download) return;
    setModelDownloadProgress(std::nullopt);
    setModelDownloadTask(nullptr);
    setWhisperInstalled(WhisperTranscriber::isModelInstalled());
}

}  // namespace vt
