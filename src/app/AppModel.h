#pragma once
// The one application model: which screen the window shows, the saved
// projects, the transcription settings of the next import, the speech-model
// download, the running import, the open project, the one pending error and
// the help-sheet flags. Views read its properties and call its operations;
// every change is announced by the property's signal (only when the value
// differs, except for projects, processing, editor and clipSource, which
// announce every write).
//
// Main thread only. Heavy work (probing, transcription, face tracking, the
// download) runs on the model's own thread pool and comes back to the main
// thread as queued calls on this object; the destructor stops and waits for
// that work, so nothing arrives after the model is gone.

#include "app/ProcessingState.h"
#include "editor/EditorModel.h"
#include "editor/PlayerService.h"
#include "export/EditorExportHost.h"
#include "export/ExportAction.h"
#include "model/FileAccess.h"
#include "model/Project.h"
#include "platform/Cancellation.h"
#include "speech/HeardLanguage.h"
#include "speech/TranscriptionEngine.h"
#include "text/ClipFinder.h"

#include <QImage>
#include <QObject>
#include <QThreadPool>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace vt {

enum class Screen { welcome, onboarding, home, processing, editor, clips };

// A running piece of work that can be told to stop. Compared by identity.
class TaskHandle {
public:
    void cancel() const { token_.cancel(); }
    bool isCancelled() const { return token_.isCancelled(); }
    const CancelToken& token() const { return token_; }

private:
    CancelToken token_;
};
using Task = std::shared_ptr<TaskHandle>;

class AppModel : public QObject {
    Q_OBJECT

public:
    // The services the model calls that reach outside the machine, and the
    // face tracker; tests replace them. All block their (background) thread.
    struct Services {
        // Fetches the speech model, reporting fractions from its own thread.
        // `cancel` fires only when the model itself goes away (at exit).
        std::function<void(const std::function<void(double)>& progress, const CancelToken& cancel)> downloadModel;
        // The file chooser of openPanel: one video, or none when cancelled.
        // The window sets it; without one openPanel does nothing.
        std::function<std::optional<std::filesystem::path>()> pickVideo;
        // Follows the speaker's face through an imported video; none:
        // FaceTracker::analyze.
        std::function<std::optional<FaceTrack>(const std::filesystem::path& video, double duration,
                                               const std::function<void(double)>& progress)>
            trackFaces;
    };
    void setPickVideo(std::function<std::optional<std::filesystem::path>()> pick) { services_.pickVideo = std::move(pick); }
    static Services defaultServices();

    // Construction in the start-up order: defaults, the data root, legacy
    // settings, the stored settings, the first screen, the projects, and a
    // background look-up of the recognizer's locales.
    explicit AppModel(Services services = defaultServices(), QObject* parent = nullptr);
    ~AppModel() override;

    // The video types the open panel offers, as MIME types.
    static const std::vector<std::string>& videoTypes();

    // ---- properties -------------------------------------------------------
    Screen screen() const { return screen_; }
    void setScreen(Screen screen);
    const std::vector<Project>& projects() const { return projects_; }
    // The project files the last look through the store could not read (they
    // are left as they are), less those the user has already been shown.
    const std::vector<std::filesystem::path>& unreadableProjects() const { return unreadableProjects_; }
    // The user has seen them: they are not reported again while the program runs.
    void acknowledgeUnreadableProjects();
    const std::vector<std::string>& locales() const { return locales_; }
    const std::string& localeID() const { return localeID_; }
    void setLocaleID(std::string id);
    // The recognizer locale to use: the current one when the recognizer has
    // it (in either spelling), else the first of the system's language, else
    // the first English one, else the first; "en_US" when it has none.
    static std::string chooseLocale(const std::string& current, const std::vector<std::string>& supported,
                                    const std::string& systemLanguage);
    const std::string& startStyleID() const { return startStyleID_; }
    void setStartStyleID(std::string id);
    TranscriptionEngine engine() const { return engine_; }
    void setEngine(TranscriptionEngine engine);  // writes "engine" every time
    const std::string& whisperLanguageID() const { return whisperLanguageID_; }
    void setWhisperLanguageID(std::string id);  // writes "whisperLanguage" every time
    bool whisperInstalled() const { return whisperInstalled_; }
    const std::string& captionLanguageID() const { return captionLanguageID_; }
    void setCaptionLanguageID(std::string id);  // writes "captionLanguage" every time
    std::optional<double> modelDownloadProgress() const { return modelDownloadProgress_; }
    const std::optional<ProcessingState>& processing() const { return processing_; }
    // The editor model of the open project; null when none is open.
    EditorModel* editor() const { return editor_.get(); }
    // The open project's preview player and export command; null when none is open.
    PlayerService* player() const { return player_.get(); }
    ExportAction* exportAction() const { return exportAction_.get(); }
    const std::optional<std::string>& errorMessage() const { return errorMessage_; }
    // The libraries' own account of the error, for its details; empty when
    // the message says it all. Set with the message and cleared with it.
    const std::string& errorDetail() const { return errorDetail_; }
    void setErrorMessage(std::optional<std::string> message, std::string detail = {});
    const Task& task() const { return task_; }
    bool showShortcuts() const { return showShortcuts_; }
    void setShowShortcuts(bool show);
    bool showEditorTips() const { return showEditorTips_; }
    void setShowEditorTips(bool show);
    const std::optional<Project>& clipSource() const { return clipSource_; }

    // ---- operations -------------------------------------------------------
    // Lets the user pick one video and imports it (a modal file dialog).
    void openPanel();
    void importVideo(const std::filesystem::path& url);
    void downloadWhisperModel();
    void finishOnboarding();
    void enterProjects();
    void showOnboarding();
    void open(const Project& project);
    // Saves and closes the open project; one the store refuses stays open.
    void closeEditor();
    void remove(const Project& project);
    void rename(const Project& project, const std::string& name);
    void duplicate(const Project& project);
    // Leaves the open project as closeEditor does (kept open when it cannot
    // be saved) and shows the Shorts picker for `project`.
    void findShorts(const Project& project);
    void closeClips(const std::optional<Project>& project);
    // One new project per clip, in order of start, each saved with its
    // poster; then the home screen. `done` runs on the main thread at the end.
    void createShorts(std::vector<ClipFinder::Clip> clips, const Project& source, std::function<void()> done = {});

    // One upright picture of a video at `seconds`, at most 1920 pixels on a
    // side; none on any failure. Blocks; call it away from the main thread.
    static std::optional<QImage> frame(const std::filesystem::path& url, double seconds);
    // The poster file of a project in the store's folder.
    static std::filesystem::path posterPath(const Uuid& id);
    // Writes it as a JPEG, atomically: a poster cut short never shows, and
    // whatever stood at its name (a link out of the folder, say) is replaced,
    // not written through. False when it could not be written.
    static bool writePoster(const QImage& image, const Uuid& id);

signals:
    void screenChanged();
    void projectsChanged();
    void unreadableProjectsChanged();
    void localesChanged();
    void localeIDChanged();
    void startStyleIDChanged();
    void engineChanged();
    void whisperLanguageIDChanged();
    void whisperInstalledChanged();
    void captionLanguageIDChanged();
    void modelDownloadProgressChanged();
    void modelDownloadTaskChanged();
    void processingChanged();
    void editorChanged();
    void errorMessageChanged();
    void taskChanged();
    void showShortcutsChanged();
    void showEditorTipsChanged();
    void clipSourceChanged();

private:
    struct Import;
    void startImport(const std::filesystem::path& url);
    // Pipeline stages, each on the main thread.
    void probed(const std::shared_ptr<Import>& run);
    // With the model installed, the language guard decides from what was heard.
    void chooseEngine(const std::shared_ptr<Import>& run, bool guarded, std::optional<HeardLanguage> heard);
    void transcribe(const std::shared_ptr<Import>& run);
    void transcribeNow(const std::shared_ptr<Import>& run);
    void trackFaces(const std::shared_ptr<Import>& run);
    void finishImport(const std::shared_ptr<Import>& run);
    // `fetchingModel`: the transcriber was downloading the speech model.
    void failImport(const std::shared_ptr<Import>& run, std::exception_ptr error, bool fetchingModel = false);
    bool isCurrent(const std::shared_ptr<Import>& run) const;
    // Updates the phase of the running import when `run` is still it.
    void updatePhase(const std::shared_ptr<Import>& run, std::string phase, double fraction);
    // A ProgressHandler that hands each report to the main thread.
    std::function<void(const std::string&, double)> reporter(const std::shared_ptr<Import>& run);
    Project buildProject(const Import& run) const;

    void endDownload(const Task& download, std::exception_ptr error);
    void setProjects(std::vector<Project> projects);
    // Reads the store again: the projects and the files it could not read.
    void reloadProjects();
    void setProcessing(std::optional<ProcessingState> processing);
    void setModelDownloadProgress(std::optional<double> progress);
    void setModelDownloadTask(Task task);
    void setWhisperInstalled(bool installed);
    void setEditor(std::unique_ptr<EditorModel> editor);
    // Tears the open editor model down and lets it go.
    void dropEditor();
    void releaseEditorServices();
    void setTask(Task task);
    void setClipSource(std::optional<Project> project);
    // Saves the open project (a no-op without one); false, with the alert,
    // when the store refuses it.
    bool saveOpenProject();
    void correctLocale(std::vector<std::string> supported);
    // Reads a model file not checked before whole, beside the window, and
    // brings in its answer.
    void checkModel();

    // Runs `work` on the thread pool and `then` with its result (or the
    // exception it threw) back on the main thread.
    template <class Result>
    void background(std::function<Result()> work, std::function<void(Result)> done,
                    std::function<void(std::exception_ptr)> failed);

    Services services_;
    // Work of this model only, so that the destructor can wait for it.
    QThreadPool pool_;
    Screen screen_ = Screen::home;
    std::vector<Project> projects_;
    std::vector<std::filesystem::path> unreadableProjects_;
    std::set<std::filesystem::path> acknowledged_;
    std::vector<std::string> locales_;
    std::string localeID_;
    std::string startStyleID_;
    TranscriptionEngine engine_ = TranscriptionEngine::apple;
    std::string whisperLanguageID_;
    bool whisperInstalled_ = false;
    std::string captionLanguageID_;
    std::optional<double> modelDownloadProgress_;
    Task modelDownloadTask_;
    std::optional<ProcessingState> processing_;
    std::unique_ptr<EditorModel> editor_;
    std::shared_ptr<PlayerService> player_;
    std::unique_ptr<EditorExportHost> exportHost_;
    std::unique_ptr<ExportAction> exportAction_;  // goes before the editor it reads
    std::optional<std::string> errorMessage_;
    std::string errorDetail_;
    Task task_;
    bool showShortcuts_ = false;
    bool showEditorTips_ = false;
    std::optional<Project> clipSource_;
    std::shared_ptr<FileAccess::Session> clipFiles_;
};

std::string_view rawValue(Screen screen);

}  // namespace vt
