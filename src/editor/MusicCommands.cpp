#include "editor/MusicCommands.h"

#include "platform/Bookmark.h"
#include "platform/HandOff.h"
#include "platform/media/AudioFileReader.h"
#include "platform/media/MediaError.h"

#include <exception>

namespace vt {

namespace {

// The music file's length in seconds; 0 when it cannot be read.
double lengthOf(const std::string& path)
{
    try {
        media::AudioFileReader reader(path);
        const int rate = reader.processingFormat().sampleRate;
        return rate > 0 ? static_cast<double>(reader.length()) / rate : 0;
    } catch (const media::MediaError&) {
        return 0;
    }
}

}  // namespace

MusicCommands::MusicCommands(EditorModel& model, Generate generate, QObject* parent)
    : QObject(parent), model_(model), generate_(generate ? std::move(generate) : [](const MusicGenerator::Mood& m, const CancelToken& cancel) {
          return MusicGenerator::ensure(m, nullptr, cancel);
      })
{
    worker_.setMaxThreadCount(1);
}

MusicCommands::~MusicCommands()
{
    closing_.cancel();
    worker_.waitForDone();
}

void MusicCommands::useMusicFile(const std::filesystem::path& file)
{
    BackgroundMusic music;
    music.path = file.string();
    music.name = file.stem().string();
    music.bookmark = bookmark::make(file, bookmark::Creation::securityScopeReadOnly);
    if (!music.bookmark) music.bookmark = bookmark::make(file, bookmark::Creation::plain);
    setMusic(music);
}

void MusicCommands::setError(std::optional<std::string> message)
{
    if (message == error_) return;
    error_ = std::move(message);
    emit errorChanged();
}

void MusicCommands::useBuiltInMusic(const MusicGenerator::Mood& mood)
{
    setError(std::nullopt);
    ++generating_;
    model_.setMusicBusy(true);
    const HandOff handOff;
    std::function<void()> job = [this, mood, handOff] {
        handOff.take();
        std::filesystem::path file;
        std::string failure;
        try {
            file = generate_(mood, closing_);
        } catch (const CancellationError&) {
            return;  // the editor is closing: nothing to install or report
        } catch (const std::exception& e) {
            failure = e.what();
        } catch (...) {
            failure = "no details";
        }
        auto land = [this, mood, file, failure, handOff] {
            handOff.take();
            // Moods chosen in a row are made in turn: busy until the last.
            const bool stillBusy = --generating_ > 0;
            if (!failure.empty()) {
                setError("Couldn't create the music: " + failure);
                model_.setMusicBusy(stillBusy);
                return;
            }
            const std::optional<BackgroundMusic>& current = model_.project().music;
            BackgroundMusic music;
            music.path = file.string();
            music.name = mood.name;
            music.builtInID = mood.id;
            if (current) {
                music.volume = current->volume;
                music.ducking = current->ducking;
                music.fadeIn = current->fadeIn;
                music.fadeOut = current->fadeOut;
            }
            setMusic(music);
            model_.setMusicBusy(stillBusy);
        };
        handOff.give();
        QMetaObject::invokeMethod(this, std::move(land), Qt::QueuedConnection);
    };
    handOff.give();
    worker_.start(std::move(job));
}

void MusicCommands::setMusic(std::optional<BackgroundMusic> music)
{
    // The failure of an earlier mood no longer concerns the music now chosen.
    setError(std::nullopt);
    ++changes_;
    editedFrom_.reset();
    model_.updateProject([&](Project& p) { p.music = music; });
    model_.setMusicLength(0);
    if (music) loadLength(music->path);
    model_.timelineChanged();
}

void MusicCommands::loadLength(const std::string& path)
{
    const std::uint64_t change = changes_;
    worker_.start([this, path, change] {
        const double seconds = lengthOf(path);
        QMetaObject::invokeMethod(
            this,
            [this, seconds, change] {
                if (change == changes_) model_.setMusicLength(seconds);
            },
            Qt::QueuedConnection);
    });
}

BackgroundMusic MusicCommands::music() const { return model_.project().music.value_or(BackgroundMusic{}); }

void MusicCommands::changeMusic(const std::function<void(BackgroundMusic&)>& edit, bool commit)
{
    if (const auto& music = model_.project().music) {
        if (!editedFrom_) editedFrom_ = *music;
        model_.updateProject([&](Project& p) { edit(*p.music); });
    }
    if (commit) finishEdit();
}

void MusicCommands::finishEdit()
{
    const auto& music = model_.project().music;
    if (editedFrom_ && music && !(*editedFrom_ == *music)) model_.recordMusicUndo(*editedFrom_);
    editedFrom_.reset();
    model_.timelineChanged();
}

std::vector<MusicDucker::Point> MusicCommands::musicCurve() const
{
    const auto& music = model_.project().music;
    if (!music) return {};
    return MusicDucker::curve(model_.plan().outputLength(), model_.speechRanges(), *music);
}

}  // namespace vt
