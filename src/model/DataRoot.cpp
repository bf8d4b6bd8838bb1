#include "model/DataRoot.h"

#include <algorithm>
#include <cstdlib>
#include <mutex>
#include <string>
#include <system_error>

namespace vt::DataRoot {

namespace fs = std::filesystem;

namespace {

// An XDG base folder: the variable when it holds an absolute path (relative
// ones are invalid and ignored), else $HOME + fallback.
fs::path xdgFolder(const char* variable, const char* fallback)
{
    if (const char* value = std::getenv(variable); value && *value == '/') return value;
    const char* home = std::getenv("HOME");
    return fs::path(home && *home ? home : "/") / fallback;
}

bool itemExists(const fs::path& path)
{
    std::error_code ec;
    // A dangling link is still an item in the way.
    return fs::symlink_status(path, ec).type() != fs::file_type::not_found && !ec;
}

}  // namespace

fs::path applicationSupport()
{
    return xdgFolder("XDG_DATA_HOME", ".local/share");
}

fs::path root()
{
    fs::path support = applicationSupport();
    fs::path dataRoot = support / productFolderName;
    // One caller at a time decides whether a legacy folder moves into place.
    static std::mutex takeover;
    std::lock_guard lock(takeover);
    if (!itemExists(dataRoot)) {
        for (std::string_view name : legacyNames) {
            fs::path legacy = support / name;
            if (!itemExists(legacy)) continue;
            std::error_code ec;
            fs::rename(legacy, dataRoot, ec);  // a failed move leaves both as they were
            break;
        }
    }
    std::error_code ec;
    fs::create_directories(dataRoot, ec);
    return dataRoot;
}

fs::path folder(std::string_view name)
{
    fs::path path = root() / name;
    std::error_code ec;
    fs::create_directories(path, ec);
    return path;
}

namespace {

bool strictlyBelow(const fs::path& folder, const fs::path& path)
{
    const auto [in, at] = std::mismatch(folder.begin(), folder.end(), path.begin(), path.end());
    return in == folder.end() && at != path.end();
}

}  // namespace

bool holds(std::string_view name, const fs::path& file)
{
    if (file.empty()) return false;
    std::error_code ec;
    const fs::path inside = fs::weakly_canonical(root() / name, ec);
    if (ec) return false;
    const fs::path absolute = fs::absolute(file, ec);
    if (ec) return false;
    // Removing a path removes the entry it names, and a link is removed, not
    // followed; copying follows it. So both the entry (its folder resolved,
    // its own name as written) and what it finally leads to must be inside.
    const fs::path folder = fs::weakly_canonical(absolute.parent_path(), ec);
    if (ec) return false;
    const fs::path entry = (folder / absolute.filename()).lexically_normal();
    const fs::path target = fs::weakly_canonical(absolute, ec);
    if (ec) return false;
    return strictlyBelow(inside, entry) && strictlyBelow(inside, target);
}

fs::path settingsFile()
{
    std::string name(productFolderName);
    return xdgFolder("XDG_CONFIG_HOME", ".config") / name / (name + ".conf");
}

fs::path suiteSettingsFile(std::string_view suite)
{
    return xdgFolder("XDG_CONFIG_HOME", ".config") / (std::string(suite) + ".conf");
}

}  // namespace vt::DataRoot
