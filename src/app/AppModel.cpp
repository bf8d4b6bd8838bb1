#include "app/AppModel.h"

#include "app/AppSettings.h"
#include "app/Background.h"
#include "audio/CacheFile.h"
#include "editor/ClipMediaService.h"
#include "editor/EngineAudio.h"
#include "export/CompositionExportComposer.h"
#include "captions/presets/StylePresets.h"
#include "model/DataRoot.h"
#include "model/ProjectStore.h"
#include "platform/TextRules.h"
#include "platform/WholeFile.h"
#include "platform/media/MediaError.h"
#include "platform/media/VideoFile.h"
#include "speech/Locales.h"
#include "speech/Transcriber.h"
#include "speech/WhisperTranscriber.h"

#include <QBuffer>
#include <QLocale>

#include <unistd.h>

#include <algorithm>
#include <chrono>

namespace vt {
namespace {

constexpr int kFrameSide = 1920;
// A nearby frame is as good a poster as the exact one.
constexpr double kFrameTolerance = 1.0;
constexpr int kPosterQuality = 80;
// The model download holds a thread for minutes; an import stage and the
// locale look-up must still run beside it on a machine of one core.
constexpr int kLeastThreads = 3;

std::string currentLocaleID() { return QLocale::system().name().toStdString(); }

bool isReadable(const std::string& path) { return !path.empty() && ::access(path.c_str(), R_OK) == 0; }

// The engine the user chose, when the stored setting names one.
std::optional<TranscriptionEngine> chosenEngine()
{
    const auto stored = AppSettings::string(AppSettings::engineKey);
    return stored ? transcriptionEngine(*stored) : std::nullopt;
}

TranscriptionEngine defaultEngine(bool modelInstalled)
{
    return modelInstalled ? TranscriptionEngine::whisper : TranscriptionEngine::apple;
}

// Temporary files left by a crash or a kill during a write. One still being
// written (by a copy of the program started earlier) is younger than this.
constexpr std::chrono::hours kLeftoverAge{1};

// "<ID>.json" or "<ID>.jpg": what the store and the posters write.
bool isProjectFileName(const std::string& name)
{
    const std::filesystem::path file(name);
    const std::string stem = file.stem().string();
    const auto id = Uuid::parse(stem);
    return id && id->text() == stem && (file.extension() == ".json" || file.extension() == ".jpg");
}

// ".<ID>.download": what a speech model download writes before it is checked.
bool isPartialDownloadName(const std::string& name)
{
    constexpr std::string_view suffix = ".download";
    if (name.size() <= suffix.size() + 1 || name.front() != '.' || !name.ends_with(suffix)) return false;
    const std::string stem = name.substr(1, name.size() - 1 - suffix.size());
    const auto id = Uuid::parse(stem);
    return id && id->text() == stem;
}

void removeLeftovers()
{
    const std::filesystem::path root = ProjectStore::root();
    wholeFile::removeLeftovers(root, kLeftoverAge, [](const std::string& target) { return target == DataRoot::stylesFileName; });
    wholeFile::removeLeftovers(ProjectStore::directory(), kLeftoverAge, isProjectFileName);
    for (std::string_view folder : {DataRoot::cacheFolder, DataRoot::musicFolder})
        CacheFile::removeLeftovers(root / folder, kLeftoverAge);
    // A speech model download cut off by a kill: up to the model's whole size.
    wholeFile::removeStale(root / DataRoot::modelsFolder, kLeftoverAge, isPartialDownloadName);
}

}  // namespace

std::string_view rawValue(Screen screen)
{
    static constexpr std::array<std::string_view, 6> names{"welcome", "onboarding", "home", "processing", "editor", "clips"};
    return names[static_cast<std::size_t>(screen)];
}

AppModel::Services AppModel::defaultServices()
{
    Services services;
    services.downloadModel = [](const std::function<void(double)>& progress, const CancelToken& cancel) {
        WhisperTranscriber::downloadModel(progress, cancel);
    };
    return services;
}

const std::vector<std::string>& AppModel::videoTypes()
{
    static const std::vector<std::string> types{"video/mp4",  "video/quicktime", "video/x-m4v", "video/x-matroska", "video/webm",
                                                "video/x-msvideo", "video/mpeg", "video/mp2t", "video/3gpp"};
    return types;
}

AppModel::AppModel(Services services, QObject* parent) : QObject(parent), services_(std::move(services))
{
    pool_.setMaxThreadCount(std::max(pool_.maxThreadCount(), kLeastThreads));
    localeID_ = currentLocaleID();
    startStyleID_ = StylePresets::core().front().id;
    // The first use of the data root, which moves an earlier edition's folder
    // into place. A model file not checked before is read whole (seconds) on
    // the pool, not here, where it would hold up the window.
    const auto modelInstalled = WhisperTranscriber::modelInstalledIfKnown();
    whisperInstalled_ = modelInstalled.value_or(false);
    ProjectStore::migrateLegacySettings();
    removeLeftovers();

    // Until its check ends, a file of the model's size and header is taken
    // for the model.
    engine_ = chosenEngine().value_or(defaultEngine(modelInstalled.value_or(true)));
    whisperLanguageID_ = AppSettings::string(AppSettings::whisperLanguageKey)
                             .value_or(locales::currentRegion() == std::optional<std::string>("IN") ? "hinglish" : "auto");
    captionLanguageID_ = AppSettings::string(AppSettings::captionLanguageKey).value_or("latin");
    screen_ = AppSettings::boolean(AppSettings::hasOnboardedKey) ? Screen::welcome : Screen::onboarding;
    ProjectStore::Listing listing = ProjectStore::list();
    projects_ = std::move(listing.projects);
    unreadableProjects_ = std::move(listing.unreadable);
    if (!modelInstalled) checkModel();

    background<std::vector<std::string>>(
        [] { return Transcriber::supportedLocales(); }, [this](std::vector<std::string> supported) { correctLocale(std::move(supported)); },
        [this](std::exception_ptr) { correctLocale({}); });
}

AppModel::~AppModel()
{
    releaseEditorServices();
    if (task_) task_->cancel();
    if (modelDownloadTask_) modelDownloadTask_->cancel();
    pool_.waitForDone();
}

void AppModel::checkModel()
{
    background<bool>(
        [] { return WhisperTranscriber::isModelInstalled(); },
        [this](bool installed) {
            setWhisperInstalled(installed);
            // Without an engine of the user's choosing, the default follows the model.
            if (chosenEngine() || engine_ == defaultEngine(installed)) return;
            engine_ = defaultEngine(installed);
            emit engineChanged();
        },
        [](std::exception_ptr) {});  // the model stays not installed
}

void AppModel::correctLocale(std::vector<std::string> supported)
{
    if (locales_ != supported) {
        locales_ = std::move(supported);
        emit localesChanged();
    }
    setLocaleID(chooseLocale(localeID_, locales_, locales::languageCode(currentLocaleID()).value_or("en")));
}

std::string AppModel::chooseLocale(const std::string& current, const std::vector<std::string>& supported,
                                   const std::string& systemLanguage)
{
    if (supported.empty()) return "en_US";
    // "en_US" and "en-US" name one locale: the user's choice stands, in the
    // recognizer's spelling.
    const std::string wanted = locales::normalised(current);
    const auto same = std::find_if(supported.begin(), supported.end(),
                                   [&](const std::string& id) { return locales::normalised(id) == wanted; });
    if (same != supported.end()) return *same;
    for (const std::string& prefix : {systemLanguage, std::string("en")}) {
        const auto match = std::find_if(supported.begin(), supported.end(),
                                        [&](const std::string& id) { return id.starts_with(prefix); });
        if (match != supported.end()) return *match;
    }
    return supported.front();
}

// ---- properties ------------------------------------------------------------

#define VT_SET_IF_CHANGED(member, value, signal) \
    do {                                         \
        if (member == value) return;             \
        member = std::move(value);               \
        emit signal();                           \
    } while (false)

void AppModel::setScreen(Screen screen) { VT_SET_IF_CHANGED(screen_, screen, screenChanged); }
void AppModel::setLocaleID(std::string id) { VT_SET_IF_CHANGED(localeID_, id, localeIDChanged); }
void AppModel::setStartStyleID(std::string id) { VT_SET_IF_CHANGED(startStyleID_, id, startStyleIDChanged); }
void AppModel::setWhisperInstalled(bool installed) { VT_SET_IF_CHANGED(whisperInstalled_, installed, whisperInstalledChanged); }
void AppModel::setModelDownloadProgress(std::optional<double> progress)
{
    VT_SET_IF_CHANGED(modelDownloadProgress_, progress, modelDownloadProgressChanged);
}
void AppModel::setModelDownloadTask(Task task) { VT_SET_IF_CHANGED(modelDownloadTask_, task, modelDownloadTaskChanged); }
void AppModel::setErrorMessage(std::optional<std::string> message, std::string detail)
{
    errorDetail_ = message ? std::move(detail) : std::string();
    VT_SET_IF_CHANGED(errorMessage_, message, errorMessageChanged);
}
void AppModel::setTask(Task task) { VT_SET_IF_CHANGED(task_, task, taskChanged); }
void AppModel::setShowShortcuts(bool show) { VT_SET_IF_CHANGED(showShortcuts_, show, showShortcutsChanged); }
void AppModel::setShowEditorTips(bool show) { VT_SET_IF_CHANGED(showEditorTips_, show, showEditorTipsChanged); }

#undef VT_SET_IF_CHANGED

void AppModel::setEngine(TranscriptionEngine engine)
{
    AppSettings::set(AppSettings::engineKey, QString::fromUtf8(rawValue(engine).data(), static_cast<qsizetype>(rawValue(engine).size())));
    if (engine_ == engine) return;
    engine_ = engine;
    emit engineChanged();
}

void AppModel::setWhisperLanguageID(std::string id)
{
    AppSettings::set(AppSettings::whisperLanguageKey, QString::fromStdString(id));
    if (whisperLanguageID_ == id) return;
    whisperLanguageID_ = std::move(id);
    emit whisperLanguageIDChanged();
}

void AppModel::setCaptionLanguageID(std::string id)
{
    AppSettings::set(AppSettings::captionLanguageKey, QString::fromStdString(id));
    if (captionLanguageID_ == id) return;
    captionLanguageID_ = std::move(id);
    emit captionLanguageIDChanged();
}

void AppModel::setProjects(std::vector<Project> projects)
{
    projects_ = std::move(projects);
    emit projectsChanged();
}

void AppModel::reloadProjects()
{
    ProjectStore::Listing listing = ProjectStore::list();
    std::erase_if(listing.unreadable, [&](const std::filesystem::path& file) { return acknowledged_.contains(file); });
    if (listing.unreadable != unreadableProjects_) {
        unreadableProjects_ = std::move(listing.unreadable);
        emit unreadableProjectsChanged();
    }
    setProjects(std::move(listing.projects));
}

void AppModel::acknowledgeUnreadableProjects()
{
    if (unreadableProjects_.empty()) return;
    acknowledged_.insert(unreadableProjects_.begin(), unreadableProjects_.end());
    unreadableProjects_.clear();
    emit unreadableProjectsChanged();
}

void AppModel::setProcessing(std::optional<ProcessingState> processing)
{
    processing_ = std::move(processing);
    emit processingChanged();
}

void AppModel::setEditor(std::unique_ptr<EditorModel> editor)
{
    releaseEditorServices();
    editor_ = std::move(editor);
    emit editorChanged();
}

// The export stops and waits for its thread before the editor it reads goes.
void AppModel::releaseEditorServices()
{
    exportAction_.reset();
    exportHost_.reset();
    player_.reset();
}

void AppModel::dropEditor()
{
    if (!editor_) return;
    releaseEditorServices();
    editor_->teardown();
    // Deleted once the event loop is back: a signal of the model may be on
    // the stack, and its destructor still writes a pending save.
    editor_.release()->deleteLater();
    emit editorChanged();
}

void AppModel::setClipSource(std::optional<Project> project)
{
    clipSource_ = std::move(project);
    emit clipSourceChanged();
}

// ---- screens and projects --------------------------------------------------

void AppModel::openPanel()
{
    if (!services_.pickVideo) return;
    if (const auto file = services_.pickVideo()) importVideo(*file);
}

void AppModel::finishOnboarding()
{
    AppSettings::set(AppSettings::hasOnboardedKey, true);
    setScreen(Screen::home);
}

void AppModel::enterProjects()
{
    reloadProjects();
    setScreen(Screen::home);
}

void AppModel::showOnboarding()
{
    if (screen_ == Screen::home || screen_ == Screen::welcome) setScreen(Screen::onboarding);
}

void AppModel::open(const Project& project)
{
    auto files = std::make_shared<FileAccess::Session>();
    Project copy = project;
    files->prepare(copy);
    for (const VideoClip& clip : copy.videoClips()) {
        if (!isReadable(clip.path)) {
            files->close();
            setErrorMessage("The original video was moved or deleted:\n" + clip.path);
            return;
        }
    }
    auto player = std::make_shared<PlayerService>();
    EditorServices services;
    services.player = player;
    services.media = std::make_shared<ClipMediaService>();
    services.audio = std::make_shared<EngineAudio>();
    setEditor(std::make_unique<EditorModel>(std::move(copy), std::move(files), std::move(services)));
    player_ = std::move(player);
    exportHost_ = std::make_unique<EditorExportHost>(*editor_, std::make_shared<CompositionExportComposer>(),
                                                     [player = player_.get()] { player->pause(); });
    exportAction_ = std::make_unique<ExportAction>(*exportHost_);
    setScreen(Screen::editor);
}

bool AppModel::saveOpenProject()
{
    if (!editor_) return true;
    Project project = editor_->project();
    project.updatedAt = std::chrono::system_clock::now();
    if (ProjectStore::save(project) == ProjectStore::SaveResult::saved) return true;
    // Closing would throw the edits away: the project stays open instead.
    setErrorMessage(std::string("The project could not be saved, so it stays open."));
    return false;
}

void AppModel::closeEditor()
{
    if (!saveOpenProject()) return;
    dropEditor();
    reloadProjects();
    setScreen(Screen::home);
}

void AppModel::remove(const Project& project)
{
    ProjectStore::remove(project);
    std::erase_if(projects_, [&](const Project& p) { return p.id == project.id; });
    emit projectsChanged();
}

void AppModel::rename(const Project& project, const std::string& name)
{
    std::string trimmed = QString::fromStdString(name).trimmed().toStdString();
    if (trimmed.empty()) return;
    const auto entry = std::find_if(projects_.begin(), projects_.end(), [&](const Project& p) { return p.id == project.id; });
    if (entry == projects_.end()) return;
    entry->name = std::move(trimmed);
    ProjectStore::save(*entry);
    reloadProjects();
}

// A duplicate that pointed at the original's recording would lose it when
// the original removes or re-records its take, so the copy gets its own file
// in the recordings folder. When the recording cannot be copied, the copy
// goes without a voiceover rather than share one; a take whose file is
// already gone has nothing to share and stays as it is. A take outside that
// folder is not a recording of ours (nothing ever deletes it), so it is
// neither copied nor changed.
static void giveOwnVoiceover(Project& copy)
{
    if (!copy.voiceover || copy.voiceover->path.empty()) return;
    const std::filesystem::path take = copy.voiceover->path;
    if (!DataRoot::holds(DataRoot::voiceoversFolder, take)) return;
    std::error_code error;
    if (!std::filesystem::exists(take, error)) return;
    const auto own = DataRoot::folder(DataRoot::voiceoversFolder) / (Uuid::random().text() + take.extension().string());
    if (std::filesystem::copy_file(take, own, error)) copy.voiceover->path = own.string();
    else copy.voiceover.reset();
}

void AppModel::duplicate(const Project& project)
{
    Project copy = project;
    copy.id = Uuid::random();
    copy.name = project.name + " copy";
    copy.createdAt = std::chrono::system_clock::now();
    copy.updatedAt = std::chrono::system_clock::now();
    giveOwnVoiceover(copy);
    ProjectStore::save(copy);
    // A poster that leads out of the projects folder is someone else's file.
    if (DataRoot::holds(DataRoot::projectsFolder, posterPath(project.id))) {
        std::error_code ignored;  // no poster, or a target already there
        std::filesystem::copy_file(posterPath(project.id), posterPath(copy.id), std::filesystem::copy_options::none, ignored);
    }
    reloadProjects();
}

void AppModel::findShorts(const Project& project)
{
    if (!saveOpenProject()) return;
    dropEditor();
    auto files = std::make_shared<FileAccess::Session>();
    Project copy = project;
    files->prepare(copy);
    clipFiles_ = std::move(files);
    setClipSource(std::move(copy));
    setScreen(Screen::clips);
}

void AppModel::closeClips(const std::optional<Project>& project)
{
    if (clipFiles_) {
        clipFiles_->close();
        clipFiles_.reset();
    }
    setClipSource(std::nullopt);
    reloadProjects();
    if (project) open(*project);
    else setScreen(Screen::home);
}

// ---- frames ------------------------------------------------------------------

std::optional<QImage> AppModel::frame(const std::filesystem::path& url, double seconds)
{
    std::optional<QImage> image;
    try {
        media::VideoFile file(url);
        file.frames({seconds}, kFrameSide, kFrameTolerance, [&](std::size_t, std::optional<media::Picture> picture) {
            if (!picture) return;
            QImage view(picture->bgra.data(), picture->width, picture->height, picture->width * 4, QImage::Format_ARGB32);
            image = view.copy();
        });
    } catch (const std::exception&) {
        return std::nullopt;
    }
    return image;
}

std::filesystem::path AppModel::posterPath(const Uuid& id) { return ProjectStore::directory() / (id.text() + ".jpg"); }

bool AppModel::writePoster(const QImage& image, const Uuid& id)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "JPG", kPosterQuality)) return false;
    return wholeFile::writeAtomically(posterPath(id), std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

}  // namespace vt
