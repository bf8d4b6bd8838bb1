#include "editor/StabilizeActions.h"

#include "editor/QtEditorClock.h"
#include "video/effects/Stabilizer.h"

#include <QCoreApplication>
#include <QPointer>

#include <exception>

namespace vt {

namespace {

CameraPath analyzeFile(const std::filesystem::path& file, const SourceVideoInfo& source,
                       const std::function<void(double)>& progress, const CancelToken& cancel)
{
    return Stabilizer::analyze(file, source, progress, cancel);
}

}  // namespace

StabilizeActions::StabilizeActions(EditorModel& model, std::shared_ptr<EditorClock> clock, Analyze analyze, Correct correct,
                                   QObject* parent)
    : QObject(parent), model_(model), analyze_(analyze ? std::move(analyze) : Analyze(analyzeFile)),
      correct_(correct ? std::move(correct) : Correct(Stabilizer::correction))
{
    worker_.setMaxThreadCount(1);
    correction_.bind(clock ? std::move(clock) : std::make_shared<QtEditorClock>());
    const auto resume = [this] {
        const auto& s = model_.project().stabilization;
        if (!model_.isLoading() && s && s->enabled && !s->path) setStabilize(true);
    };
    // A measured path gives its correction at once, enabled or not.
    if (const auto& s = model_.project().stabilization; s && s->path && !model_.stabCorrection())
        model_.setStabCorrection(correct_(*s->path, s->strength));
    connect(&model_, &EditorModel::isLoadingChanged, this, resume);
    connect(&model_, &EditorModel::sourceChanged, this, resume);
    resume();
}

StabilizeActions::~StabilizeActions()
{
    cancel_.cancel();
    ++run_;
    worker_.waitForDone();
}

void StabilizeActions::setError(std::optional<std::string> message)
{
    if (error_ == message) return;
    error_ = std::move(message);
    emit errorChanged();
}

void StabilizeActions::setStabilize(bool on)
{
    const auto& stored = model_.project().stabilization;
    Stabilization s = stored.value_or(Stabilization{false, defaultStrength, std::nullopt});
    s.enabled = on;
    model_.updateProject([&](Project& p) { p.stabilization = s; });
    if (!on) {
        model_.visualChanged();
        return;
    }
    if (s.path) {
        model_.setStabCorrection(correct_(*s.path, s.strength));
        model_.visualChanged();
        return;
    }
    if (!model_.source() || model_.stabilizeProgress()) return;
    analyze();
}

void StabilizeActions::setStabilizeStrength(double strength)
{
    if (model_.project().stabilization)
        model_.updateProject([strength](Project& p) { p.stabilization->strength = strength; });
    correction_.start(EditorModel::refreshDelay, [this] {
        const auto& s = model_.project().stabilization;
        if (s && s->path) model_.setStabCorrection(correct_(*s->path, s->strength));
        model_.visualChanged();
    });
}

// ---- the analysis ---------------------------------------------------------------------------

void StabilizeActions::analyze()
{
    setError(std::nullopt);
    model_.setStabilizeProgress(0.0);
    spans_ = model_.project().spans();
    path_ = {};
    cancel_ = CancelToken();
    ++run_;
    analyzeNext(0);
}

void StabilizeActions::analyzeNext(std::size_t index)
{
    if (index == spans_.size()) {
        joined(path_);
        return;
    }
    const ClipSpan span = spans_[index];
    const auto facts = model_.clipInfo().find(span.clip.id);
    // A clip that cannot be read cannot be measured, and a path with a hole
    // where it lies would steady its frames by its neighbours' shake.
    if (facts == model_.clipInfo().end()) {
        const std::string& name = span.clip.name.empty() ? span.clip.path : span.clip.name;
        failed("The clip \u201c" + name + "\u201d could not be read.");
        return;
    }
    const SourceVideoInfo info = facts->second;
    const double count = static_cast<double>(spans_.size());
    QPointer self(this);
    const std::uint64_t run = run_;
    auto progress = [self, run, index, count](double p) {
        QMetaObject::invokeMethod(qApp, [self, run, index, count, p] {
            if (!self || run != self->run_ || !self->model_.stabilizeProgress()) return;
            self->model_.setStabilizeProgress((p + static_cast<double>(index)) / count);
        }, Qt::QueuedConnection);
    };
    worker_.start([self, run, index, span, info, progress, work = analyze_, cancel = cancel_] {
        std::optional<CameraPath> path;
        std::string failure;
        try {
            path = work(span.clip.path, info, progress, cancel);
        } catch (const std::exception& e) {
            failure = e.what();
        } catch (...) {
            failure = "unknown error";
        }
        QMetaObject::invokeMethod(qApp, [self, run, index, span, path = std::move(path), failure] {
            if (!self || run != self->run_) return;
            if (!path) {
                self->failed(failure);
                return;
            }
            // Each clip continues from where the previous one ended.
            CameraPath& all = self->path_;
            const double lastX = all.x.empty() ? 0 : all.x.back();
            const double lastY = all.y.empty() ? 0 : all.y.back();
            const double firstX = path->x.empty() ? 0 : path->x.front();
            const double firstY = path->y.empty() ? 0 : path->y.front();
            for (std::size_t i = 0; i < path->t.size(); ++i) {
                all.t.push_back(path->t[i] + span.start);
                all.x.push_back(path->x[i] + (lastX - firstX));
                all.y.push_back(path->y[i] + (lastY - firstY));
            }
            self->analyzeNext(index + 1);
        }, Qt::QueuedConnection);
    });
}

void StabilizeActions::joined(CameraPath path)
{
    if (model_.project().stabilization) model_.updateProject([&](Project& p) { p.stabilization->path = path; });
    const auto& s = model_.project().stabilization;
    model_.setStabCorrection(correct_(path, s ? s->strength : defaultStrength));
    model_.setStabilizeProgress(std::nullopt);
    model_.visualChanged();
}

void StabilizeActions::failed(const std::string& reason)
{
    if (model_.project().stabilization) model_.updateProject([](Project& p) { p.stabilization->enabled = false; });
    setError("Stabilization failed: " + reason);
    model_.setStabilizeProgress(std::nullopt);
    model_.visualChanged();
}

}  // namespace vt
