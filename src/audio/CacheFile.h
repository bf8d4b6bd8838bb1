#pragma once
// A generated sound file on its way into a cache: written under a temporary
// name beside its destination and moved into place only when complete, so a
// file cut short by a crash or a full disk is never found under the cache
// name. The temporary name follows from the destination ("<stem>.tmp<ext>"),
// so the next render of the same file writes over a crash's leftover, and
// removeLeftovers clears those that are never rendered again. Two writers of
// one destination in this program take turns: the second waits in its
// constructor until the first has committed or given up. Until commit() the
// temporary file is deleted when the object goes away (errors ignored).

#include <chrono>
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

    // Removes the temporary files of cache writers in `folder` (not below it)
    // last written more than `age` ago; a writer still under way keeps
    // writing to its file. Errors are ignored.
    static void removeLeftovers(const std::filesystem::path& folder, std::chrono::seconds age);

private:
    std::filesystem::path destination_;
    std::filesystem::path temporary_;
    bool committed_ = false;
};

}  // namespace vt
