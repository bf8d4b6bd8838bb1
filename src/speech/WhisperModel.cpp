#include "speech/WhisperTranscriber.h"

#include "model/DataRoot.h"
#include "platform/Uuid.h"
#include "platform/net/HttpDownload.h"

namespace vt {

std::filesystem::path WhisperTranscriber::modelPath()
{
    return DataRoot::root() / DataRoot::modelsFolder / modelFileName;
}

bool WhisperTranscriber::isModelInstalled()
{
    std::error_code ec;
    const auto size = std::filesystem::file_size(modelPath(), ec);
    return !ec && size > smallestInstalledSize;
}

const std::string& WhisperTranscriber::modelRemote()
{
    static const std::string remote = "https://huggingface.co/ggerganov/whisper.cpp/resolve/main/" + std::string(modelFileName);
    return remote;
}

void WhisperTranscriber::downloadModel(const std::function<void(double)>& progress, const CancelToken& cancel)
{
    downloadModelFrom(modelRemote(), progress, cancel);
}

void WhisperTranscriber::downloadModelFrom(const std::string& url, const std::function<void(double)>& progress, const CancelToken& cancel)
{
    const auto destination = modelPath();
    std::filesystem::create_directories(destination.parent_path());
    // The download lands beside the model, so that putting it in place is a
    // rename within one file system: the old file is replaced in one step
    // and never lost to a failed move.
    const auto partial = destination.parent_path() / ("." + Uuid::random().text() + ".download");
    const auto discard = [&] {
        std::error_code ignored;
        std::filesystem::remove(partial, ignored);
    };
    const long status = net::download(url, partial, progress, cancel);
    if (status != 200) {
        discard();
        throw CaptionError::transcriptionFailed("Whisper model download failed");
    }
    std::error_code ec;
    const auto size = std::filesystem::file_size(partial, ec);
    if (ec || size <= smallestInstalledSize) {
        discard();
        throw CaptionError::transcriptionFailed("the downloaded Whisper model is incomplete");
    }
    std::filesystem::rename(partial, destination, ec);
    if (ec) {
        discard();
        throw std::filesystem::filesystem_error("Couldn't put the Whisper model in place", partial, destination, ec);
    }
    if (!isModelInstalled()) throw CaptionError::transcriptionFailed("the downloaded Whisper model is incomplete");
}

}  // namespace vt
