// Shorts made from the clips chosen in the Shorts picker.
#include "app/AppModel.h"

#include "app/Background.h"
#include "model/ProjectStore.h"

#include <algorithm>

namespace vt {
namespace {

constexpr double kPosterDelay = 1.5;  // seconds into the clip

}  // namespace

void AppModel::createShorts(std::vector<ClipFinder::Clip> clips, const Project& source, std::function<void()> done)
{
    std::stable_sort(clips.begin(), clips.end(), [](const auto& a, const auto& b) { return a.start < b.start; });
    background<int>(
        [clips, source] {
            int unsaved = 0;
            for (const ClipFinder::Clip& clip : clips) {
                const Project project = ClipFinder::project(clip, source);
                if (ProjectStore::save(project) != ProjectStore::SaveResult::saved) {
                    ++unsaved;
                    continue;
                }
                // A poster that cannot be read or written leaves the project without one.
                if (auto poster = frame(source.videoPath, std::min(clip.start + kPosterDelay, clip.end)))
                    writePoster(*poster, project.id);
            }
            return unsaved;
        },
        [this, done](int unsaved) {
            closeClips(std::nullopt);
            if (unsaved > 0) setErrorMessage(std::string("Some Shorts could not be saved."));
            if (done) done();
        },
        [this, done](std::exception_ptr) {
            setErrorMessage(std::string("The Shorts could not be made."));
            if (done) done();
        });
}

}  // namespace vt
