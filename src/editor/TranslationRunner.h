#pragma once
// Runs the editor's pending translation job through the on-device
// translator (platform/Translator) and hands the English texts, or a
// message, back to the editor model. It lives as long as the editor screen
// and reacts only to jobs published after it was made, one run per job id.
// No translator is installed on this computer, so a job (which the editor
// does not publish then) would end with the translator's message.
//
// Threads: lives on the main thread; the translator works on a worker
// thread and its result comes back to the main thread.

#include "editor/EditorModel.h"

#include <QObject>
#include <QPointer>

#include <exception>
#include <optional>
#include <string>

namespace vt {

class TranslationRunner final : public QObject {
    Q_OBJECT

public:
    explicit TranslationRunner(EditorModel& editor, QObject* parent = nullptr);

    // The source language of the session configuration in use; absent before
    // the first job. `configurations` counts new configurations, `runs` the
    // translation tasks started.
    const std::optional<std::optional<std::string>>& configuration() const { return configuration_; }
    int configurations() const { return configurations_; }
    int runs() const { return runs_; }

private:
    void jobChanged();
    void run();
    void report(const EditorModel::TranslationJob& job, const std::vector<std::string>& english, std::exception_ptr error);

    QPointer<EditorModel> editor_;
    std::optional<Uuid> lastJob_;
    std::optional<std::optional<std::string>> configuration_;
    int configurations_ = 0;
    int runs_ = 0;
};

}  // namespace vt
