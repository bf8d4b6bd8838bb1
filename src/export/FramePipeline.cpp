#include "export/FramePipeline.h"

#include "platform/media/MediaError.h"

#include <sched.h>

#include <algorithm>
#include <future>
#include <utility>

namespace vt {

namespace {

media::FrameView viewOf(QImage& image, bool hdr)
{
    if (image.isNull()) throw media::MediaError("Couldn't read the composed video.");
    if (hdr) {
        if (image.format() != QImage::Format_RGBA64 && image.format() != QImage::Format_RGBX64 &&
            image.format() != QImage::Format_RGBA64_Premultiplied)
            image = image.convertToFormat(QImage::Format_RGBX64);
    } else if (image.format() != QImage::Format_ARGB32 && image.format() != QImage::Format_RGB32 &&
               image.format() != QImage::Format_ARGB32_Premultiplied) {
        image = image.convertToFormat(QImage::Format_ARGB32);
    }
    return {image.constBits(), image.width(), image.height(), static_cast<int>(image.bytesPerLine()),
            hdr ? media::FrameView::Layout::rgba16 : media::FrameView::Layout::bgra8};
}

}  // namespace

struct FramePipeline::Slot {
    double time = 0;
    ComposedVideo::Composing composing;  // taken by the worker that runs it
    std::promise<media::EncoderPicture> done;
    std::future<media::EncoderPicture> picture = done.get_future();
};

FramePipeline::FramePipeline(ComposedVideo& video, const Plan& plan, const media::MediaWriter& writer) : plan_(plan)
{
    plan_.workers = std::max(plan_.workers, 1);
    plan_.depth = std::max(plan_.depth, plan_.workers);
    // Converters are made here so that a writer without video fails at once.
    std::vector<media::PictureConverter> converters;
    for (int i = 0; i < plan_.workers; ++i) converters.push_back(writer.pictureConverter());
    try {
        threads_.emplace_back([this, &video] { read(video); });
        for (auto& converter : converters)
            threads_.emplace_back([this, c = std::move(converter)]() mutable { compose(std::move(c)); });
    } catch (...) {
        stop();
        throw;
    }
}

FramePipeline::~FramePipeline() { stop(); }

void FramePipeline::stop()
{
    {
        std::lock_guard guard(lock_);
        stopping_ = true;
    }
    changed_.notify_all();
    for (auto& thread : threads_)
        if (thread.joinable()) thread.join();
}

std::optional<FramePipeline::Frame> FramePipeline::next()
{
    std::shared_ptr<Slot> slot;
    {
        std::unique_lock guard(lock_);
        changed_.wait(guard, [this] { return !ordered_.empty() || readingDone_; });
        if (ordered_.empty()) return std::nullopt;
        slot = std::move(ordered_.front());
        ordered_.pop_front();
    }
    changed_.notify_all();  // room for the reader
    return Frame{slot->time, slot->picture.get()};
}

void FramePipeline::read(ComposedVideo& video)
{
    for (std::int64_t k = 0; k < plan_.frames; ++k) {
        {
            std::unique_lock guard(lock_);
            changed_.wait(guard, [this] { return stopping_ || std::ssize(ordered_) < plan_.depth; });
            if (stopping_) break;
        }
        auto slot = std::make_shared<Slot>();
        slot->time = static_cast<double>(k) / plan_.fps;
        bool failed = false;
        try {
            slot->composing = video.prepare(slot->time, plan_.size, plan_.hdr);
        } catch (...) {
            // Handed out in its place; nothing after it is read.
            slot->done.set_exception(std::current_exception());
            failed = true;
        }
        {
            std::lock_guard guard(lock_);
            ordered_.push_back(slot);
            if (!failed) waiting_.push_back(slot);
        }
        changed_.notify_all();
        if (failed) break;
    }
    {
        std::lock_guard guard(lock_);
        readingDone_ = true;
    }
    changed_.notify_all();
}

void FramePipeline::compose(media::PictureConverter converter)
{
    for (;;) {
        std::shared_ptr<Slot> slot;
        {
            std::unique_lock guard(lock_);
            changed_.wait(guard, [this] { return stopping_ || !waiting_.empty(); });
            if (stopping_) return;
            slot = std::move(waiting_.front());
            waiting_.pop_front();
        }
        try {
            // The composed picture is let go before the frame is handed on,
            // so it never outlives its place in the pipeline.
            media::EncoderPicture picture = [&] {
                QImage image = std::exchange(slot->composing, {})();
                return converter.convert(viewOf(image, plan_.hdr));
            }();
            slot->done.set_value(std::move(picture));
        } catch (...) {
            slot->done.set_exception(std::current_exception());
        }
    }
}

int FramePipeline::defaultWorkers()
{
    cpu_set_t cores;
    CPU_ZERO(&cores);
    const int available = sched_getaffinity(0, sizeof cores, &cores) == 0 ? CPU_COUNT(&cores) : 2;
    return std::clamp(available / 2, 1, 4);
}

int FramePipeline::depthFor(int workers) { return std::max(workers, 1) + 1; }

}  // namespace vt
