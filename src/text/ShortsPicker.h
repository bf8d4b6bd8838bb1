#pragma once
// The state and logic of the Shorts picker screen: the length range, the
// clips of the last find (best first), the ones chosen to become Shorts,
// the clip shown in the preview, card thumbnails, the source's loudness
// (read once) and whether a find or a Create runs. The screen view reads
// it through its signals and changes it only through its operations.
//
// A find reads the loudness (first time only) and runs the clip finder on
// worker threads; its results replace the clips only when no newer find
// started meanwhile. Thumbnails are made one after the other, never two at
// once, each on a worker thread, and land as they come; a new find drops
// the ones an earlier find still waited for. Main thread only.

#include "model/Project.h"
#include "text/ClipFinder.h"
#include "text/ClipPreview.h"

#include <QImage>
#include <QObject>

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace vt {

class ShortsPicker final : public QObject {
    Q_OBJECT

public:
    static constexpr double thumbnailDelay = 1.5;  // seconds into a clip
    static constexpr int thumbnailSide = 320;

    struct Services {
        // The loudness curve of a media file (50 values a second). Blocking.
        std::function<std::vector<float>(const std::string& path)> peaks;
        // An upright picture within side × side at a time; none on failure. Blocking.
        std::function<std::optional<QImage>(const std::string& path, double seconds, int side)> frame;
        // Leaves the picker: home (none) or the editor with the project.
        std::function<void(const std::optional<Project>&)> leave;
        // Makes one project per clip; calls `done` on the main thread when it ends.
        std::function<void(const std::vector<ClipFinder::Clip>&, const Project&, std::function<void()> done)> create;
    };
    // The real loudness reader; no pictures, leave or create.
    static Services defaultServices();

    ShortsPicker(Project source, std::shared_ptr<ClipPlayer> player, Services services, QObject* parent = nullptr);
    ~ShortsPicker() override;

    const Project& source() const { return source_; }
    ClipFinder::Length length() const { return length_; }
    const std::vector<ClipFinder::Clip>& clips() const { return clips_; }
    const std::set<std::string>& chosen() const { return chosen_; }
    const std::optional<ClipFinder::Clip>& current() const { return current_; }
    const std::map<std::string, QImage>& thumbs() const { return thumbs_; }
    const std::optional<std::vector<float>>& loudness() const { return loudness_; }
    bool finding() const { return finding_; }
    bool creating() const { return creating_; }
    ClipPreview& preview() { return *preview_; }

    // The screen is shown: load the video into the preview and find.
    void start();
    // A new length: a fresh find.
    void setLength(ClipFinder::Length length);
    void find();
    // Makes the clip current and plays it.
    void select(const ClipFinder::Clip& clip);
    // Adds or removes a clip from the choice.
    void toggleChosen(const std::string& id);
    // The chosen clips in list order.
    std::vector<ClipFinder::Clip> picked() const;
    // Makes the chosen clips into projects. Nothing while one runs or with
    // nothing chosen.
    void create();
    void back();
    void editWholeVideo();
    // The screen goes away: the preview stops.
    void stop();

    // The default choice for found clips: the ones among the first three
    // scoring above 49, else the first alone.
    static std::set<std::string> defaultChoice(const std::vector<ClipFinder::Clip>& found);

signals:
    void lengthChanged();
    void clipsChanged();
    void chosenChanged();
    void currentChanged();
    void thumbsChanged();
    void findingChanged();
    void creatingChanged();

private:
    void setFinding(bool value);
    void setCreating(bool value);
    void runFinder(std::uint64_t generation);
    void found(std::uint64_t generation, std::vector<ClipFinder::Clip> clips);
    void loadThumbnails(const std::vector<ClipFinder::Clip>& clips);
    void nextThumbnail();
    // Runs `work` on a worker thread and `then` on the main thread, unless
    // the picker is gone by then.
    void inBackground(std::function<std::function<void(ShortsPicker&)>()> work);

    Project source_;
    Services services_;
    ClipFinder::Length length_ = ClipFinder::Length::medium;
    std::vector<ClipFinder::Clip> clips_;
    std::set<std::string> chosen_;
    std::optional<ClipFinder::Clip> current_;
    std::map<std::string, QImage> thumbs_;
    std::deque<std::pair<std::string, double>> wantedThumbs_;  // clip id, seconds
    bool makingThumb_ = false;
    std::optional<std::vector<float>> loudness_;
    bool loudnessAsked_ = false;
    bool finding_ = true;
    bool creating_ = false;
    std::uint64_t generation_ = 0;
    std::unique_ptr<ClipPreview> preview_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace vt
