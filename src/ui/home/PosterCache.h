#pragma once
// Project posters for the home screen, decoded once off the main thread and
// kept. A card asks for its poster each time it draws: it gets the decoded
// image when there is one, none while the file is being read or when it
// cannot be read, and `loaded` fires once a decode finishes. A poster file
// that changes on disk (a later import or duplicate) is read again; an image
// of zero width or height counts as no poster. Main thread only.

#include "platform/Uuid.h"

#include <QHash>
#include <QImage>
#include <QObject>
#include <QThreadPool>

#include <filesystem>
#include <optional>

namespace vt {

class PosterCache : public QObject {
    Q_OBJECT

public:
    // Longest side a decoded poster is kept at; cards and rows draw smaller.
    static constexpr int maxSide = 640;

    explicit PosterCache(QObject* parent = nullptr);
    ~PosterCache() override;
    // The one cache of the home screen.
    static PosterCache& shared();

    std::optional<QImage> poster(const Uuid& id);
    // Reads a picture file scaled down to `maxSide`; none when it is missing,
    // not an image, or empty. Safe on any thread.
    static std::optional<QImage> decode(const std::filesystem::path& file);
    // Decodes started so far (each file version once).
    int decodes() const { return decodes_; }
    // Waits for the decodes under way; tests use it.
    void waitForDecodes() { pool_.waitForDone(); }

signals:
    void loaded(const QString& id);

private:
    struct Entry {
        std::optional<qint64> stamp;  // modification time the entry belongs to
        bool pending = false;
        std::optional<QImage> image;
    };
    QHash<QString, Entry> entries_;
    QThreadPool pool_;
    int decodes_ = 0;
};

}  // namespace vt
