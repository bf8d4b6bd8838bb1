#include "editor/GradeActions.h"

#include "editor/ClipMediaService.h"
#include "video/Compositor.h"
#include "video/effects/ColorGrader.h"

#include <QCoreApplication>
#include <QPointer>

#include <algorithm>

namespace vt {

namespace {

constexpr int analysisSize = 480;

std::vector<QImage> readOverlayFrames(const std::string& path, const std::vector<double>& times)
{
    ClipMediaService media;
    std::vector<QImage> out;
    for (double t : times)
        if (auto picture = media.frame(path, t)) out.push_back(picture->scaled(analysisSize, analysisSize, Qt::KeepAspectRatio));
    return out;
}

std::vector<QImage> pictures(const std::vector<Filmstrip::Frame>& frames)
{
    std::vector<QImage> out;
    for (const auto& f : frames)
        if (!f.image.isNull()) out.push_back(f.image);
    return out;
}

}  // namespace

GradeActions::GradeActions(EditorModel& model, OverlayFrames overlayFrames, QObject* parent)
    : QObject(parent), model_(model), overlayFrames_(overlayFrames ? std::move(overlayFrames) : OverlayFrames(readOverlayFrames))
{
    connect(&model_, &EditorModel::lookPreviewsOutdated, this, &GradeActions::outdatePreviews);
    connect(&model_, &EditorModel::posterFrameChanged, this, [this] { drawing_.clear(); ++generation_; emit lookPreviewsChanged(); });
    connect(&model_, &EditorModel::projectChanged, this, [this] {
        // Sends the change only when the switch's state moved.
        const bool now = autoEnhanced();
        if (now != lastAuto_) {
            lastAuto_ = now;
            emit autoEnhancedChanged();
        }
    });
}

GradeActions::~GradeActions()
{
    ++generation_;
    worker_.waitForDone();
}

VideoGrade GradeActions::grade() const { return model_.project().grade.value_or(VideoGrade{}); }

void GradeActions::store(VideoGrade grade)
{
    model_.updateProject([&](Project& p) { p.grade = std::move(grade); });
    model_.visualChanged();
}

void GradeActions::setLook(const std::string& lookID)
{
    VideoGrade g = grade();
    g.look = lookID;
    store(std::move(g));
}

void GradeActions::resetGrade()
{
    model_.updateProject([](Project& p) { p.grade.reset(); });
    model_.visualChanged();
}

void GradeActions::resetGrade(const std::vector<Field>& fields)
{
    VideoGrade g = grade();
    for (Field f : fields) g.*f = 0;
    store(std::move(g));
}

void GradeActions::setField(Field field, double value)
{
    VideoGrade g = grade();
    g.*field = value;
    store(std::move(g));
}

// ---- auto-enhance ---------------------------------------------------------------------

bool GradeActions::autoEnhanced() const { return beforeAuto_ && model_.project().grade == beforeAuto_->result; }

void GradeActions::setAutoEnhance(bool on, std::function<void()> done)
{
    if (!on) {
        if (beforeAuto_ && model_.project().grade == beforeAuto_->result)
            model_.updateProject([&](Project& p) { p.grade = beforeAuto_->base; });
        beforeAuto_.reset();
        model_.visualChanged();
        emit autoEnhancedChanged();
        if (done) done();
        return;
    }
    const std::optional<VideoGrade> base = model_.project().grade;
    model_.setAutoBusy(true);
    const double length = model_.plan().outputLength();
    std::vector<double> times;
    for (int k = 1; k <= 5; ++k) times.push_back(model_.plan().sourceTime(length * k / 6));
    QPointer self(this);
    model_.framesAtSource(times, analysisSize, [self, base, done = std::move(done)](std::vector<Filmstrip::Frame> frames) {
        if (!self) return;
        // A plain average of a few small pictures: quick enough for the main thread.
        const VideoGrade result = ColorGrader::autoGrade(pictures(frames), self->grade());
        self->store(result);
        self->model_.setAutoBusy(false);
        if (self->model_.project().grade) self->beforeAuto_ = BeforeAuto{base, *self->model_.project().grade};
        emit self->autoEnhancedChanged();
        if (done) done();
    });
}

void GradeActions::autoEnhance(const TimelineItem& item, std::function<void()> done)
{
    const Project& p = model_.project();
    const auto apply = [this, item, done](const std::vector<QImage>& frames) {
        if (!frames.empty()) {
            const VideoGrade result = ColorGrader::autoGrade(frames, model_.adjust(item).grade);
            model_.updateAdjust(item, [&](ItemAdjust& a) { a.grade = result; });
        }
        if (done) done();
    };
    if (item.kind == TimelineItem::Kind::overlay) {
        if (!p.brolls) return;
        const auto it = std::find_if(p.brolls->begin(), p.brolls->end(), [&](const BRoll& b) { return b.id == item.id; });
        if (it == p.brolls->end()) return;
        if (it->isImage) {
            QImage picture(QString::fromStdString(it->path));
            apply(picture.isNull() ? std::vector<QImage>{} : std::vector<QImage>{picture});
            return;
        }
        QPointer self(this);
        worker_.start([self, read = overlayFrames_, path = it->path, offset = it->sourceOffset, apply] {
            auto frames = read(path, {offset, offset + 0.8, offset + 1.6});
            QMetaObject::invokeMethod(qApp, [self, frames = std::move(frames), apply] {
                if (self) apply(frames);
            }, Qt::QueuedConnection);
        });
        return;
    }
    if (item.kind != TimelineItem::Kind::clip) return;
    const auto spans = p.spans();
    const auto span = std::find_if(spans.begin(), spans.end(), [&](const ClipSpan& s) { return s.clip.id == item.id; });
    if (span == spans.end()) return;
    const double lo = span->start + span->clip.trimStart;
    const double hi = std::max(lo, span->start + span->clip.duration - span->clip.trimEnd);
    std::vector<double> times;
    for (int k = 1; k <= 5; ++k) times.push_back(lo + (hi - lo) * k / 6);
    QPointer self(this);
    model_.framesAtSource(times, analysisSize, [self, apply](std::vector<Filmstrip::Frame> frames) {
        if (self) apply(pictures(frames));
    });
}

void GradeActions::setPreviewLook(std::optional<std::string> lookID)
{
    if (model_.previewLook() == lookID) return;
    model_.setPreviewLook(std::move(lookID));
    model_.visualChanged();
}

// ---- look previews ---------------------------------------------------------------------

QSize GradeActions::previewSize(OutputAspect aspect)
{
    const Size s = renderSize(aspect);
    return {static_cast<int>(s.width / 6), static_cast<int>(s.height / 6)};
}

void GradeActions::outdatePreviews()
{
    ++generation_;
    drawing_.clear();
    previews_.clear();
    emit lookPreviewsChanged();
}

void GradeActions::ensureLookPreview(const ColorLook& look)
{
    const std::string id(look.id);
    if (previews_.contains(id) || drawing_.contains(id) || !model_.posterFrame()) return;
    const Project& p = model_.project();
    const Point focus = p.faceTrack ? p.faceTrack->center(model_.posterTime()) : Point{0.5, 0.5};
    const ReframeMode mode = p.reframe == ReframeMode::fit ? ReframeMode::fit : ReframeMode::smart;
    drawing_.insert(id);
    QPointer self(this);
    worker_.start([self, id, poster = *model_.posterFrame(), size = previewSize(p.aspect), mode, focus, gen = generation_] {
        VideoGrade only;
        only.look = id;
        only.intensity = 1;
        const QImage fitted = Compositor::reframe(poster, size, mode, focus);
        QImage picture = ColorGrader::apply(only, fitted, 0);
        QMetaObject::invokeMethod(qApp, [self, id, gen, picture = std::move(picture)] {
            if (!self || gen != self->generation_) return;  // drawn for an older format or framing
            self->drawing_.erase(id);
            if (picture.isNull()) return;
            self->previews_[id] = picture;
            emit self->lookPreviewsChanged();
        }, Qt::QueuedConnection);
    });
}

}  // namespace vt
