#include "speech/WhisperTranscriber.h"

#include "model/DataRoot.h"
#include "platform/Uuid.h"
#include "platform/WholeFile.h"
#include "platform/net/HttpDownload.h"
#include "platform/net/Sha1.h"

#include <nlohmann/json.hpp>

#include <sys/stat.h>

#include <fstream>
#include <mutex>
#include <utility>

namespace vt {

namespace {

// whisper.cpp's model files start with its magic number 0x67676d6c, stored
// little-endian.
constexpr std::string_view modelMagic = "lmgg";

bool hasModelHeader(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    char head[modelMagic.size()] = {};
    return in.read(head, sizeof head) && std::string_view(head, sizeof head) == modelMagic;
}

// What tells one file at the model path from another: a replaced, rewritten
// or touched file changes at least one of these (the change time cannot be
// set back by hand).
struct Identity {
    std::uintmax_t size = 0;
    std::int64_t modifiedNs = 0;
    std::int64_t changedNs = 0;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;

    friend bool operator==(const Identity&, const Identity&) = default;
};

std::optional<Identity> identityOf(const std::filesystem::path& file)
{
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    const auto ns = [](const timespec& t) { return std::int64_t(t.tv_sec) * 1'000'000'000 + t.tv_nsec; };
    return Identity{std::uintmax_t(info.st_size), ns(info.st_mtim), ns(info.st_ctim), std::uint64_t(info.st_dev), std::uint64_t(info.st_ino)};
}

// The digest of the model file is kept beside it with the identity of the
// file it was worked out from; it is only believed for that same file.
std::filesystem::path digestRecordPath(const std::filesystem::path& model)
{
    return model.parent_path() / (model.filename().string() + ".digest");
}

nlohmann::json toJSON(const Identity& id, const std::string& sha1)
{
    return {{"size", id.size}, {"modified", id.modifiedNs}, {"changed", id.changedNs},
            {"device", id.device}, {"inode", id.inode}, {"sha1", sha1}};
}

std::optional<std::string> recordedDigest(const std::filesystem::path& model, const Identity& id)
{
    const auto read = wholeFile::read(digestRecordPath(model), 4096);
    if (!read.bytes) return std::nullopt;
    const auto record = nlohmann::json::parse(*read.bytes, nullptr, false);
    if (!record.is_object() || !record.contains("sha1") || !record["sha1"].is_string()) return std::nullopt;
    const std::string sha1 = record["sha1"];
    if (record != toJSON(id, sha1)) return std::nullopt;
    return sha1;
}

// The last digest worked out in this run, with the file it is of: where no
// record can be kept beside the model (a full disk), the file is still read
// whole only once, not on every question.
std::mutex lastDigestLock;
std::optional<std::pair<Identity, std::string>> lastDigest;

std::optional<std::string> knownDigest(const std::filesystem::path& model, const Identity& id)
{
    {
        const std::lock_guard lock(lastDigestLock);
        if (lastDigest && lastDigest->first == id) return lastDigest->second;
    }
    return recordedDigest(model, id);
}

// The record is best effort: without it the digest is only worked out again
// in a later run.
void rememberDigest(const std::filesystem::path& model, const Identity& id, const std::string& sha1)
{
    {
        const std::lock_guard lock(lastDigestLock);
        lastDigest.emplace(id, sha1);
    }
    wholeFile::writeAtomically(digestRecordPath(model), toJSON(id, sha1).dump());
}

// One whole read of the model at a time: whoever asks while it runs waits
// for its answer instead of reading the file again beside it.
std::mutex wholeReadLock;

std::mutex standInLock;
std::optional<WhisperTranscriber::ModelFile> standIn;

// isModelInstalled()'s answer as far as it is known without reading the
// whole file; `seen` is the file it is about.
std::optional<bool> verdictWithoutReading(const WhisperTranscriber::ModelFile& expected, const std::filesystem::path& model,
                                          std::optional<Identity>& seen)
{
    seen = identityOf(model);
    if (!seen || seen->size != expected.size || !hasModelHeader(model)) return false;
    if (const auto digest = knownDigest(model, *seen)) return *digest == expected.sha1;
    return std::nullopt;
}

}  // namespace

std::filesystem::path WhisperTranscriber::modelPath()
{
    return DataRoot::root() / DataRoot::modelsFolder / modelFileName;
}

const std::string& WhisperTranscriber::modelRemote()
{
    static const std::string remote = "https://huggingface.co/ggerganov/whisper.cpp/resolve/main/" + std::string(modelFileName);
    return remote;
}

WhisperTranscriber::ModelFile WhisperTranscriber::expectedModel()
{
    const std::lock_guard lock(standInLock);
    return standIn.value_or(ModelFile{modelRemote(), modelSize, std::string(modelSHA1)});
}

void WhisperTranscriber::setStandInModel(std::optional<ModelFile> model)
{
    const std::lock_guard lock(standInLock);
    standIn = std::move(model);
}

bool WhisperTranscriber::isModelInstalled()
{
    const ModelFile expected = expectedModel();
    const auto model = modelPath();
    std::optional<Identity> seen;
    if (const auto known = verdictWithoutReading(expected, model, seen)) return *known;
    const std::lock_guard reading(wholeReadLock);
    if (const auto digest = knownDigest(model, *seen)) return *digest == expected.sha1;  // read meanwhile
    // A file that arrived some other way (an earlier version's download, a
    // copy by hand) is read whole once; the record spares every later call.
    const auto digest = net::fileSha1(model);
    if (!digest || identityOf(model) != seen) return false;  // changed while it was read
    rememberDigest(model, *seen, *digest);
    return *digest == expected.sha1;
}

std::optional<bool> WhisperTranscriber::modelInstalledIfKnown()
{
    std::optional<Identity> seen;
    return verdictWithoutReading(expectedModel(), modelPath(), seen);
}

void WhisperTranscriber::downloadModel(const std::function<void(double)>& progress, const CancelToken& cancel)
{
    const ModelFile expected = expectedModel();
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
    const auto refuse = [&](const char* detail) {
        discard();
        throw CaptionError::transcriptionFailed(detail);
    };
    const net::Downloaded arrived = net::download(expected.remote, partial, progress, cancel);
    if (arrived.status != 200) refuse("Whisper model download failed");
    // A server may answer 200 with a page of its own, and a transfer without
    // a promised length ends "successfully" wherever the connection dropped.
    if (!hasModelHeader(partial)) refuse("the downloaded file is not a Whisper model");
    if (arrived.bytes < expected.size) refuse("the downloaded Whisper model is incomplete");
    if (arrived.bytes > expected.size) refuse("the downloaded Whisper model is larger than the published file");
    if (arrived.sha1 != expected.sha1) refuse("the downloaded Whisper model is damaged: its checksum differs from the published one");
    std::error_code ec;
    std::filesystem::rename(partial, destination, ec);
    if (ec) {
        discard();
        throw std::filesystem::filesystem_error("Couldn't put the Whisper model in place", partial, destination, ec);
    }
    // The digest taken during the transfer stands for the file in place.
    if (const auto id = identityOf(destination)) rememberDigest(destination, *id, arrived.sha1);
    if (!isModelInstalled()) throw CaptionError::transcriptionFailed("the downloaded Whisper model is incomplete");
}

}  // namespace vt
