#include "editor/TranslationRunner.h"

#include "text/TranslationSupport.h"

#include <QCoreApplication>
#include <QThreadPool>
#include <QTimer>

#include <charconv>
#include <exception>
#include <mutex>

namespace vt {
namespace {

constexpr const char* kTarget = "en";

// A translator serves one run at a time, whichever editor asked: the run of
// an editor closed meanwhile may still be fetching its language assets.
std::mutex translatorInUse;

// A client identifier read as a decimal index, with an optional sign.
std::optional<long> index(const std::string& id)
{
    std::string_view digits = id;
    bool negative = false;
    if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) {
        negative = digits.front() == '-';
        digits.remove_prefix(1);
    }
    long value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size() || digits.empty()) return std::nullopt;
    return negative ? -value : value;
}

}  // namespace

TranslationRunner::TranslationRunner(EditorModel& editor, QObject* parent) : QObject(parent), editor_(&editor)
{
    if (editor.translationJob()) lastJob_ = editor.translationJob()->id;
    connect(&editor, &EditorModel::translationJobChanged, this, &TranslationRunner::jobChanged);
}

void TranslationRunner::jobChanged()
{
    if (!editor_) return;
    const auto& job = editor_->translationJob();
    const std::optional<Uuid> id = job ? std::optional(job->id) : std::nullopt;
    if (id == lastJob_) return;
    lastJob_ = id;
    if (!job) return;
    // The same source invalidates the configuration (the session is run
    // again); another source makes a new one. Either way the task runs.
    if (!configuration_ || *configuration_ != job->source) {
        configuration_ = job->source;
        ++configurations_;
    }
    QTimer::singleShot(0, this, &TranslationRunner::run);
}

// A translator may fetch language assets and take its time: it works on a
// worker thread, and the window stays responsive meanwhile. The result goes
// back to the editor with the job it was made for.
void TranslationRunner::run()
{
    if (!editor_ || !editor_->translationJob()) return;
    ++runs_;
    QThreadPool::globalInstance()->start([self = QPointer(this), job = *editor_->translationJob(),
                                          translator = Translator::backend()] {
        std::vector<std::string> english(job.chunks.size());
        std::exception_ptr error;
        try {
            const std::lock_guard oneRun(translatorInUse);
            translator->prepare(job.source, kTarget);
            std::vector<Translator::Request> requests;
            for (std::size_t i = 0; i < job.chunks.size(); ++i) requests.push_back({job.chunks[i].text, std::to_string(i)});
            for (const Translator::Response& response : translator->translate(job.source, kTarget, requests)) {
                const auto k = index(response.clientIdentifier);
                if (k && *k >= 0 && std::size_t(*k) < english.size()) english[std::size_t(*k)] = response.targetText;
            }
        } catch (...) {
            error = std::current_exception();
        }
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, job, english = std::move(english), error] {
                if (self) self->report(job, english, error);
            },
            Qt::QueuedConnection);
    });
}

void TranslationRunner::report(const EditorModel::TranslationJob& job, const std::vector<std::string>& english,
                               std::exception_ptr error)
{
    if (!editor_) return;
    if (!error) {
        editor_->finishTranslation(job, english);
        return;
    }
    try {
        std::rethrow_exception(error);
    } catch (const Translator::Error& e) {
        editor_->failTranslation(job, TranslationSupport::message(e));
    } catch (const std::exception& e) {
        editor_->failTranslation(job, TranslationSupport::message(Translator::Error(e.what())));
    } catch (...) {
        editor_->failTranslation(job, TranslationSupport::message(Translator::Error("no details")));
    }
}

}  // namespace vt
