#include "platform/Bookmark.h"

#include <map>
#include <mutex>
#include <string>
#include <system_error>

#include <sys/stat.h>
#include <unistd.h>

namespace vt::bookmark {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kKind = "vellumtide-bookmark";

struct Identity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    friend bool operator==(const Identity&, const Identity&) = default;
};

std::optional<Identity> identityOf(const fs::path& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return std::nullopt;
    return Identity{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
}

struct Record {
    fs::path path;
    Identity identity;
    bool scoped = false;
};

std::optional<Record> readRecord(const Bytes& data)
{
    try {
        json::Value v = json::parse(std::string_view(reinterpret_cast<const char*>(data.data()), data.size()));
        json::Reader in(v);
        if (in.required<std::string>("kind") != kKind) return std::nullopt;
        return Record{in.required<std::string>("path"),
                      {static_cast<std::uint64_t>(in.required<std::int64_t>("device")),
                       static_cast<std::uint64_t>(in.required<std::int64_t>("inode"))},
                      in.optional<bool>("securityScope").value_or(false)};
    } catch (const json::DecodeError&) {
        return std::nullopt;
    }
}

// The entry of the folder that is the file with this identity.
std::optional<fs::path> findInFolder(const fs::path& folder, const Identity& identity)
{
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (identityOf(it->path()) == identity) return it->path();
    }
    return std::nullopt;
}

std::mutex accessMutex;
std::map<fs::path, int> accessCounts;

}  // namespace

std::optional<Bytes> make(const fs::path& file, Creation options)
{
    std::error_code ec;
    fs::path absolute = fs::absolute(file, ec).lexically_normal();
    if (ec) return std::nullopt;
    auto identity = identityOf(absolute);
    if (!identity) return std::nullopt;
    json::Writer out;
    out.required("kind", std::string(kKind))
        .required("path", absolute.string())
        .required("device", static_cast<std::int64_t>(identity->device))
        .required("inode", static_cast<std::int64_t>(identity->inode));
    if (options == Creation::securityScopeReadOnly) out.required("securityScope", true);
    std::string text = out.done().dump();
    return Bytes(text.begin(), text.end());
}

std::optional<Resolved> resolve(const Bytes& data, Resolution options)
{
    auto record = readRecord(data);
    if (!record) return std::nullopt;
    bool scoped = options == Resolution::withSecurityScope;
    if (scoped && !record->scoped) return std::nullopt;

    auto found = [&](fs::path path, bool stale) { return Resolved{{std::move(path), scoped}, stale}; };
    auto atPath = identityOf(record->path);
    if (atPath == record->identity) return found(record->path, false);
    if (auto moved = findInFolder(record->path.parent_path(), record->identity)) return found(*moved, true);
    // Another file now has the recorded name (saved over by replacing): follow the name.
    if (atPath) return found(record->path, true);
    return std::nullopt;
}

bool startAccessing(const FileURL& url)
{
    if (!url.securityScoped) return false;
    std::lock_guard lock(accessMutex);
    ++accessCounts[url.path];
    return true;
}

void stopAccessing(const fs::path& path)
{
    std::lock_guard lock(accessMutex);
    auto it = accessCounts.find(path);
    if (it == accessCounts.end()) return;
    if (--it->second <= 0) accessCounts.erase(it);
}

int openAccesses(const fs::path& path)
{
    std::lock_guard lock(accessMutex);
    auto it = accessCounts.find(path);
    return it == accessCounts.end() ? 0 : it->second;
}

bool isReadable(const fs::path& path)
{
    return ::access(path.c_str(), R_OK) == 0;
}

}  // namespace vt::bookmark
