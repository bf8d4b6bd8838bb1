#pragma once
// Bookmarks: stored data that finds a user's file again after the program
// restarts, even when the file was moved or renamed in its folder.
//
// There is no sandbox here, so a bookmark is our own small record, stored as
// compact JSON bytes: the file's absolute path and its identity (device and
// inode) when the bookmark was made, and whether it was made with a security
// scope. Resolving looks at the recorded path first; when the file there is
// no longer the same one, the recorded folder is searched for the file by its
// identity (a move or rename within the folder). A result found anywhere but
// at the recorded path, with the recorded identity, is reported stale: the
// bookmark should be made again.
//
// Security-scoped access is bookkeeping only: starting access on a URL that
// came from a security-scoped resolution counts one open access on its path,
// stopping takes one away. Data that is not one of our bookmarks (made on
// another platform) never resolves, and callers keep it as it is.
//
// make and resolve touch the file system; the access counts are thread-safe.

#include "platform/JsonCoding.h"

#include <filesystem>
#include <optional>

namespace vt::bookmark {

enum class Creation {
    securityScopeReadOnly,  // read-only, security-scoped
    plain,
};

enum class Resolution {
    withSecurityScope,  // fails for a bookmark made without a scope
    plain,
};

// A file location handed out by a resolution.
struct FileURL {
    std::filesystem::path path;
    bool securityScoped = false;  // access may be started on it
    friend bool operator==(const FileURL&, const FileURL&) = default;
};

struct Resolved {
    FileURL url;
    bool isStale = false;
};

// Absent when the file does not exist (or cannot be examined).
std::optional<Bytes> make(const std::filesystem::path& file, Creation options);

// Absent when the data is not a bookmark, is one whose file cannot be found,
// or (with withSecurityScope) was made without a scope.
std::optional<Resolved> resolve(const Bytes& data, Resolution options);

// True when access was started: only on security-scoped URLs.
bool startAccessing(const FileURL& url);
// Stops one access started on the path; nothing when none is open.
void stopAccessing(const std::filesystem::path& path);
// How many accesses are open on the path right now.
int openAccesses(const std::filesystem::path& path);

// Whether the current user may read the path.
bool isReadable(const std::filesystem::path& path);

}  // namespace vt::bookmark
