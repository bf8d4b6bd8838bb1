#include "text/ShortsPicker.h"

#include "audio/Waveform.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <algorithm>
#include <thread>

namespace vt {
namespace {

constexpr int kChoiceFrom = 3;      // the default choice looks at the first three
constexpr int kChoiceScore = 49;    // and takes those scoring above this

}  // namespace

ShortsPicker::Services ShortsPicker::defaultServices()
{
    Services s;
    s.peaks = [](const std::string& path) { return Waveform::peaks(path); };
    return s;
}

ShortsPicker::ShortsPicker(Project source, std::shared_ptr<ClipPlayer> player, Services services, QObject* parent)
    : QObject(parent), source_(std::move(source)), services_(std::move(services)),
      preview_(std::make_unique<ClipPreview>(std::move(player)))
{
}

ShortsPicker::~ShortsPicker() { *alive_ = false; }

void ShortsPicker::inBackground(std::function<std::function<void(ShortsPicker&)>()> work)
{
    std::thread([alive = alive_, self = this, work = std::move(work)] {
        auto then = work();
        QMetaObject::invokeMethod(QCoreApplication::instance(), [alive, self, then = std::move(then)] {
            if (*alive && then) then(*self);
        });
    }).detach();
}

void ShortsPicker::setFinding(bool value)
{
    if (finding_ == value) return;
    finding_ = value;
    emit findingChanged();
}

void ShortsPicker::setCreating(bool value)
{
    if (creating_ == value) return;
    creating_ = value;
    emit creatingChanged();
}

void ShortsPicker::start()
{
    preview_->load(source_.videoPath);
    find();
}

void ShortsPicker::setLength(ClipFinder::Length length)
{
    if (length_ == length) return;
    length_ = length;
    emit lengthChanged();
    find();
}

void ShortsPicker::find()
{
    setFinding(true);
    wantedThumbs_.clear();
    preview_->player().pause();
    preview_->setPlaying(false);
    const std::uint64_t generation = ++generation_;
    if (loudness_ || loudnessAsked_) {
        if (loudness_) runFinder(generation);
        return;  // the loudness read under way runs the newest find when it lands
    }
    loudnessAsked_ = true;
    inBackground([peaks = services_.peaks, path = source_.videoPath]() -> std::function<void(ShortsPicker&)> {
        std::vector<float> curve = peaks ? peaks(path) : std::vector<float>{};
        return [curve = std::move(curve)](ShortsPicker& picker) mutable {
            picker.loudness_ = std::move(curve);
            picker.runFinder(picker.generation_);
        };
    });
}

void ShortsPicker::runFinder(std::uint64_t generation)
{
    inBackground([words = source_.words, length = length_, loudness = *loudness_, end = source_.sourceDuration,
                  generation]() -> std::function<void(ShortsPicker&)> {
        const double mediaEnd = end > 0 ? end : std::numeric_limits<double>::infinity();
        auto clips = ClipFinder::find(words, length, loudness, ClipFinder::maxClips, mediaEnd);
        return [generation, clips = std::move(clips)](ShortsPicker& picker) mutable { picker.found(generation, std::move(clips)); };
    });
}

std::set<std::string> ShortsPicker::defaultChoice(const std::vector<ClipFinder::Clip>& found)
{
    std::set<std::string> chosen;
    for (std::size_t i = 0; i < std::min<std::size_t>(kChoiceFrom, found.size()); ++i)
        if (found[i].score > kChoiceScore) chosen.insert(found[i].id());
    if (chosen.empty() && !found.empty()) chosen.insert(found.front().id());
    return chosen;
}

void ShortsPicker::found(std::uint64_t generation, std::vector<ClipFinder::Clip> clips)
{
    if (generation != generation_) return;  // a newer find owns the screen
    clips_ = std::move(clips);
    emit clipsChanged();
    chosen_ = defaultChoice(clips_);
    emit chosenChanged();
    current_ = clips_.empty() ? std::nullopt : std::optional(clips_.front());
    if (current_) preview_->cue(*current_);
    emit currentChanged();
    setFinding(false);
    loadThumbnails(clips_);
}

void ShortsPicker::loadThumbnails(const std::vector<ClipFinder::Clip>& clips)
{
    if (!services_.frame) return;
    for (const ClipFinder::Clip& clip : clips)
        if (!thumbs_.contains(clip.id())) wantedThumbs_.emplace_back(clip.id(), std::min(clip.start + thumbnailDelay, clip.end));
    nextThumbnail();
}

void ShortsPicker::nextThumbnail()
{
    if (makingThumb_) return;  // the one being made starts the next when it lands
    while (!wantedThumbs_.empty() && thumbs_.contains(wantedThumbs_.front().first)) wantedThumbs_.pop_front();
    if (wantedThumbs_.empty()) return;
    const std::string id = wantedThumbs_.front().first;
    const double at = wantedThumbs_.front().second;
    wantedThumbs_.pop_front();
    makingThumb_ = true;
    inBackground([frame = services_.frame, path = source_.videoPath, id, at]() -> std::function<void(ShortsPicker&)> {
        std::optional<QImage> image = frame(path, at, thumbnailSide);
        return [id, image = std::move(image)](ShortsPicker& picker) {
            picker.makingThumb_ = false;
            // A picture that cannot be made leaves the card on its placeholder.
            if (image && !picker.thumbs_.contains(id)) {
                picker.thumbs_[id] = *image;
                emit picker.thumbsChanged();
            }
            picker.nextThumbnail();
        };
    });
}

void ShortsPicker::select(const ClipFinder::Clip& clip)
{
    current_ = clip;
    emit currentChanged();
    preview_->cue(clip);
    preview_->player().play();
    preview_->setPlaying(true);
}

void ShortsPicker::toggleChosen(const std::string& id)
{
    if (!chosen_.erase(id)) chosen_.insert(id);
    emit chosenChanged();
}

std::vector<ClipFinder::Clip> ShortsPicker::picked() const
{
    std::vector<ClipFinder::Clip> out;
    for (const ClipFinder::Clip& clip : clips_)
        if (chosen_.contains(clip.id())) out.push_back(clip);
    return out;
}

void ShortsPicker::create()
{
    // One Create at a time: a second press would make every project twice.
    if (creating_ || chosen_.empty()) return;
    const std::vector<ClipFinder::Clip> clips = picked();
    setCreating(true);
    preview_->stop();
    if (!services_.create) return;
    services_.create(clips, source_, [alive = alive_, self = this] {
        if (*alive) self->setCreating(false);
    });
}

void ShortsPicker::back()
{
    if (creating_) return;
    preview_->stop();
    if (services_.leave) services_.leave(std::nullopt);
}

void ShortsPicker::editWholeVideo()
{
    if (creating_) return;
    if (services_.leave) services_.leave(source_);
}

void ShortsPicker::stop() { preview_->stop(); }

}  // namespace vt
