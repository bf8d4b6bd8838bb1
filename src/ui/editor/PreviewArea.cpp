#include "ui/editor/PreviewArea.h"

#include "editor/EditorModel.h"
#include "platform/media/VideoFile.h"
#include "ui/theme/Theme.h"
#include "video/Compositor.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QThreadPool>

namespace vt::ui {
namespace {

constexpr int stillSide = 1280;

QImage readStill(const std::string& path, double seconds)
{
    try {
        media::VideoFile file(path);
        if (!file.hasVideo()) return {};
        QImage image;
        file.frames({seconds}, stillSide, 0.5, [&](std::size_t, std::optional<media::Picture> picture) {
            if (!picture) return;
            image = QImage(picture->bgra.data(), picture->width, picture->height, picture->width * 4,
                           QImage::Format_ARGB32)
                        .copy();
        });
        return image;
    } catch (const std::exception&) {
        return {};  // an unreadable file leaves the last picture up
    }
}

}  // namespace

PreviewArea::PreviewArea(EditorModel& editor, QWidget* parent)
    : QWidget(parent), editor_(editor), generation_(std::make_shared<std::uint64_t>(0))
{
    setMinimumHeight(120);
    debounce_.setSingleShot(true);
    debounce_.setInterval(60);
    connect(&debounce_, &QTimer::timeout, this, &PreviewArea::request);
    for (auto signal : {&EditorModel::currentTimeChanged, &EditorModel::planChanged, &EditorModel::sourceChanged})
        connect(&editor, signal, &debounce_, qOverload<>(&QTimer::start));
    for (auto signal : {&EditorModel::groupsChanged, &EditorModel::projectChanged, &EditorModel::posterFrameChanged})
        connect(&editor, signal, this, &PreviewArea::compose);
    if (editor.posterFrame()) still_ = *editor.posterFrame();
    compose();
    debounce_.start();
}

PreviewArea::~PreviewArea() { ++*generation_; }

void PreviewArea::request()
{
    const std::string path = editor_.project().videoPath;
    if (path.empty()) return;
    const double seconds = editor_.plan().sourceTime(editor_.currentTime());
    const std::uint64_t ticket = ++*generation_;
    QPointer<PreviewArea> self(this);
    auto generation = generation_;
    QThreadPool::globalInstance()->start([self, generation, ticket, path, seconds] {
        QImage still = readStill(path, seconds);
        QMetaObject::invokeMethod(QCoreApplication::instance(), [self, generation, ticket, still = std::move(still)] {
            if (!self || *generation != ticket || still.isNull()) return;
            self->still_ = still;
            self->compose();
        });
    });
}

void PreviewArea::compose()
{
    if (still_.isNull() && editor_.posterFrame()) still_ = *editor_.posterFrame();
    frame_ = Compositor::render(still_, editor_.currentTime(), editor_.snapshot());
    update();
}

void PreviewArea::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::Antialiasing);
    if (frame_.isNull()) return;
    const QSizeF fitted = QSizeF(frame_.size()).scaled(size(), Qt::KeepAspectRatio);
    const QRectF target(QPointF((width() - fitted.width()) / 2, (height() - fitted.height()) / 2), fitted);
    QPainterPath clip;
    clip.addRoundedRect(target, 10, 10);
    painter.setClipPath(clip);
    painter.drawImage(target, frame_);
}

}  // namespace vt::ui
