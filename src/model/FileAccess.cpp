#include "model/FileAccess.h"

#include "platform/Bookmark.h"

namespace vt {

std::optional<FileAccess::Resolved> FileAccess::resolve(const Bytes& data)
{
    if (auto r = bookmark::resolve(data, bookmark::Resolution::withSecurityScope))
        return Resolved{r->url.path, r->isStale, bookmark::startAccessing(r->url)};
    if (auto r = bookmark::resolve(data, bookmark::Resolution::plain)) return Resolved{r->url.path, r->isStale, false};
    return std::nullopt;
}

std::optional<Bytes> FileAccess::makeBookmark(const std::filesystem::path& file)
{
    if (auto data = bookmark::make(file, bookmark::Creation::securityScopeReadOnly)) return data;
    return bookmark::make(file, bookmark::Creation::plain);
}

FileAccess::Session::~Session()
{
    close();
}

void FileAccess::Session::close()
{
    for (const auto& url : scoped_) bookmark::stopAccessing(url);
    scoped_.clear();
}

std::string FileAccess::Session::locate(const std::string& path, std::optional<Bytes>& data)
{
    if (data) {
        if (auto r = resolve(*data)) {
            if (r->scoped) scoped_.push_back(r->url);
            if (r->isStale) {
                // A refresh that fails keeps the old bookmark; the resolved URL is still used.
                if (auto fresh = makeBookmark(r->url)) data = std::move(fresh);
            }
            return r->url.string();
        }
    }
    if (bookmark::isReadable(path)) data = makeBookmark(path);
    return path;
}

void FileAccess::Session::prepare(Project& project)
{
    project.videoPath = locate(project.videoPath, project.videoBookmark);
    if (project.clips) {
        for (VideoClip& clip : *project.clips) clip.path = locate(clip.path, clip.bookmark);
        project.syncClips();
    }
    if (project.sounds)
        for (SoundClip& sound : *project.sounds) sound.path = locate(sound.path, sound.bookmark);
    if (project.brolls)
        for (BRoll& broll : *project.brolls) broll.path = locate(broll.path, broll.bookmark);
    if (project.music && !project.music->builtInID)
        project.music->path = locate(project.music->path, project.music->bookmark);
}

}  // namespace vt
