#pragma once
// Media made at test time for the speech tests: videos with and without a
// sound track, from the shared real-speech recording or any audio file.

#include "speech/Transcriber.h"
#include "support/TestSupport.h"

#include <filesystem>
#include <mutex>
#include <utility>
#include <vector>
#include <optional>
#include <string>

namespace vt::test {

// A small video (black picture) whose sound is `audio`, or silent without.
inline std::filesystem::path makeVideo(const std::filesystem::path& out, const std::optional<std::filesystem::path>& audio,
                                       double seconds = 2)
{
    std::string cmd = "ffmpeg -v error -y -f lavfi -i color=c=black:s=64x48:r=10:d=" + std::to_string(seconds) + " ";
    if (audio) cmd += "-i " + shellQuote(audio->string()) + " -c:a aac -shortest ";
    cmd += "-c:v libx264 -preset ultrafast -pix_fmt yuv420p " + shellQuote(out.string());
    if (run(cmd) != 0) throw std::runtime_error("ffmpeg failed: " + cmd);
    return out;
}

// The real speech recording as the sound of an 11 s video.
inline std::filesystem::path makeSpeechVideo(const std::filesystem::path& out)
{
    return makeVideo(out, sharedFixture("speech-en-11s.wav"), 11);
}

// Every progress report of a run, in order; reports may come from any thread.
struct Reports {
    std::mutex mutex;
    std::vector<std::pair<std::string, double>> items;
    ProgressHandler handler()
    {
        return [this](const std::string& stage, double f) {
            std::lock_guard lock(mutex);
            items.emplace_back(stage, f);
        };
    }
};

// Number of entries in a folder.
inline std::size_t entryCount(const std::filesystem::path& folder)
{
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(folder)) ++n;
    return n;
}

}  // namespace vt::test
