#include "editor/TranslationRunner.h"

#include "text/TranslationSupport.h"

#include <QTimer>

#include <charconv>

namespace vt {
namespace {

constexpr const char* kTarget = "en";

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

void TranslationRunner::run()
{
    if (!editor_ || !editor_->translationJob()) return;
    ++runs_;
    const EditorModel::TranslationJob job = *editor_->translationJob();
    const auto translator = Translator::backend();
    std::vector<std::string> english(job.chunks.size());
    try {
        translator->prepare(job.source, kTarget);
        std::vector<Translator::Request> requests;
        for (std::size_t i = 0; i < job.chunks.size(); ++i) requests.push_back({job.chunks[i].text, std::to_string(i)});
        for (const Translator::Response& response : translator->translate(job.source, kTarget, requests)) {
            const auto k = index(response.clientIdentifier);
            if (k && *k >= 0 && std::size_t(*k) < english.size()) english[std::size_t(*k)] = response.targetText;
        }
    } catch (const Translator::Error& error) {
        if (editor_) editor_->failTranslation(job, TranslationSupport::message(error));
        return;
    }
    if (editor_) editor_->finishTranslation(job, english);
}

}  // namespace vt
