#pragma once
// A small file the program takes for its speech model while it lives, so
// that tests can serve, download and install "the" model without its
// hundreds of megabytes. For test programs that link the speech library.

#include "platform/net/Sha1.h"
#include "speech/WhisperTranscriber.h"
#include "support/TestSupport.h"

#include <filesystem>
#include <stdexcept>
#include <string>

namespace vt::test {

// A few bytes that start as a whisper.cpp model does; enough for every check
// but loading it.
inline std::filesystem::path writeModelLookalike(const std::filesystem::path& out, const std::string& filler = "stand-in")
{
    writeFile(out, "lmgg" + filler);
    return out;
}

class StandInModel {
public:
    // Expects `file`'s size and digest from now on, fetched from `remote`.
    explicit StandInModel(std::filesystem::path file, std::string remote = "http://127.0.0.1:1/unreachable")
        : file_(std::move(file))
    {
        const auto sha1 = net::fileSha1(file_);
        if (!sha1) throw std::runtime_error("cannot read " + file_.string());
        WhisperTranscriber::setStandInModel(WhisperTranscriber::ModelFile{std::move(remote), std::filesystem::file_size(file_), *sha1});
    }
    ~StandInModel() { WhisperTranscriber::setStandInModel(std::nullopt); }
    StandInModel(const StandInModel&) = delete;
    StandInModel& operator=(const StandInModel&) = delete;

    // Puts a copy at the model path, as a finished download would.
    void install() const
    {
        std::filesystem::create_directories(WhisperTranscriber::modelPath().parent_path());
        std::filesystem::copy_file(file_, WhisperTranscriber::modelPath(), std::filesystem::copy_options::overwrite_existing);
    }

private:
    std::filesystem::path file_;
};

}  // namespace vt::test
