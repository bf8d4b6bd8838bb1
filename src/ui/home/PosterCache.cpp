#include "ui/home/PosterCache.h"

#include "model/ProjectStore.h"

#include <QImageReader>
#include <QPointer>

namespace vt {

namespace {

// The file's modification time; none when it is not there.
std::optional<qint64> stampOf(const std::filesystem::path& file)
{
    std::error_code error;
    const auto time = std::filesystem::last_write_time(file, error);
    if (error) return std::nullopt;
    return time.time_since_epoch().count();
}

}  // namespace

PosterCache::PosterCache(QObject* parent) : QObject(parent) { pool_.setMaxThreadCount(2); }

PosterCache::~PosterCache() { pool_.waitForDone(); }

PosterCache& PosterCache::shared()
{
    static PosterCache* cache = new PosterCache;  // lives as long as the program
    return *cache;
}

std::optional<QImage> PosterCache::decode(const std::filesystem::path& file)
{
    QImageReader reader(QString::fromStdString(file.string()));
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (size.isValid() && (size.width() <= 0 || size.height() <= 0)) return std::nullopt;
    if (size.isValid() && std::max(size.width(), size.height()) > maxSide)
        reader.setScaledSize(size.scaled(maxSide, maxSide, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
    QImage image = reader.read();
    if (image.isNull() || image.width() <= 0 || image.height() <= 0) return std::nullopt;
    return image;
}

std::optional<QImage> PosterCache::poster(const Uuid& id)
{
    const QString key = QString::fromStdString(id.text());
    const auto file = ProjectStore::directory() / (id.text() + ".jpg");
    const auto modified = stampOf(file);
    Entry& entry = entries_[key];
    if (!modified) {
        entry = Entry{};
        return std::nullopt;
    }
    const qint64 stamp = *modified;
    if (entry.stamp == stamp) return entry.image;
    entry.stamp = stamp;
    entry.pending = true;
    entry.image.reset();
    ++decodes_;
    QPointer<PosterCache> self(this);
    pool_.start([self, key, file, stamp] {
        auto image = decode(file);
        // The destructor waits for the pool, so the cache outlives this call.
        QMetaObject::invokeMethod(
            self.data(), [self, key, stamp, image = std::move(image)] {
                auto found = self->entries_.find(key);
                if (found == self->entries_.end() || found->stamp != stamp) return;  // a newer file took its place
                found->pending = false;
                found->image = image;
                emit self->loaded(key);
            },
            Qt::QueuedConnection);
    });
    return std::nullopt;
}

}  // namespace vt
