#pragma once
// A generated sound file on its way into a cache: written under a temporary
// name beside its destination and moved into place only when complete, so a
// file cut short by a crash or a full disk is never found under the cache
// name. The temporary name is unique per writer ("<stem>.<random>.tmp<ext>"),
// so two renders of one key running at once never write the same file; the
// last complete one wins. Until commit() the temporary file is deleted when
// the object goes away (errors ignored).

#include <filesystem>

namespace vt {

class CacheFile {
public:
    explicit CacheFile(std::filesystem::path destination);
    ~CacheFile();
    CacheFile(const CacheFile&) = delete;
    CacheFile& operator=(const CacheFile&) = delete;

    const std::filesystem::path& temporary() const { return temporary_; }
    const std::filesystem::path& destination() const { return destination_; }

    // Moves the finished temporary file over the destination (atomically,
    // replacing any file there). Throws std::filesystem::filesystem_error.
    void commit();

private:
    std::filesystem::path destination_;
    std::filesystem::path temporary_;
    bool committed_ = false;
};

}  // namespace vt
