#include "audio/CacheFile.h"

#include "platform/WholeFile.h"

#include <condition_variable>
#include <mutex>
#include <set>

namespace vt {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view temporaryMark = ".tmp";

// The destinations being written now, one writer each.
std::mutex busyLock;
std::condition_variable busyChanged;
std::set<fs::path> busy;

}  // namespace

CacheFile::CacheFile(fs::path destination) : destination_(std::move(destination))
{
    temporary_ = destination_;
    temporary_.replace_filename(destination_.stem().string() + std::string(temporaryMark)
                                + destination_.extension().string());
    std::unique_lock lock(busyLock);
    busyChanged.wait(lock, [&] { return !busy.contains(destination_); });
    busy.insert(destination_);
}

CacheFile::~CacheFile()
{
    if (!committed_) {
        std::error_code ignored;
        fs::remove(temporary_, ignored);
    }
    std::lock_guard lock(busyLock);
    busy.erase(destination_);
    busyChanged.notify_all();
}

void CacheFile::commit()
{
    fs::rename(temporary_, destination_);
    committed_ = true;
}

void CacheFile::removeLeftovers(const fs::path& folder, std::chrono::seconds age)
{
    wholeFile::removeStale(folder, age, [](const std::string& name) {
        return fs::path(name).stem().extension() == temporaryMark;
    });
}

}  // namespace vt
