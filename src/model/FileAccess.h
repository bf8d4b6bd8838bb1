#pragma once
// Reaching the user's media files again through the bookmarks a project
// stores beside each path (see platform/Bookmark.h).
//
// A Session opens every media file of one project for as long as the project
// is edited: it follows files that moved, refreshes stale bookmarks, makes
// bookmarks for files that lack a usable one, and stops every access it
// started when it is closed or destroyed. Hold it by shared_ptr where more
// than one owner needs it. Failures are never reported: a reference that
// cannot be opened is left as it was, and the caller checks readability.
// Main thread only.

#include "model/Project.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vt {

struct FileAccess {
    struct Resolved {
        std::filesystem::path url;  // where the bookmark points now (follows moves)
        bool isStale = false;       // the bookmark should be made again from url
        bool scoped = false;        // access was started on url and must be stopped
    };

    // Absent when the bookmark resolves to nothing. A security-scoped
    // resolution is tried first (starting access on success), then a plain one.
    static std::optional<Resolved> resolve(const Bytes& bookmark);

    // Bookmark for a newly recorded media file: read-only security-scoped,
    // else plain, else absent.
    static std::optional<Bytes> makeBookmark(const std::filesystem::path& file);

    class Session {
    public:
        Session() = default;
        ~Session();
        Session(const Session&) = delete;
        Session& operator=(const Session&) = delete;

        // Opens the main video, then each clip (followed by syncClips), sound,
        // B-roll and the music file (unless the music is built in), rewriting
        // their paths and bookmarks in place.
        void prepare(Project& project);

        // Stops access on every started URL in order, then forgets them.
        // Closing again does nothing.
        void close();

        // Every URL this session started access on, once per start.
        const std::vector<std::filesystem::path>& scoped() const { return scoped_; }

    private:
        // Returns the path to keep for one media reference; may replace the bookmark.
        std::string locate(const std::string& path, std::optional<Bytes>& bookmark);

        std::vector<std::filesystem::path> scoped_;
    };
};

}  // namespace vt
