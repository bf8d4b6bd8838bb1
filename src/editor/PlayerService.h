#pragma once
// The editor's preview player on the real engines: each rebuild builds the
// composition of the current cut on a worker thread and hands it to a
// Player, whose sound goes to the sound device (QAudioSink) and whose clock
// drives the picture. Without a sound device the clock runs on a timer, so
// the preview still plays (silently).
//
// Rebuilds overlap freely, but only the newest one installs its result: a
// build that finishes after a newer one started is dropped, so an older cut
// never replaces a newer one. Main thread only.

#include "editor/EditorServices.h"
#include "editor/PlayerEngine.h"
#include "video/Player.h"

#include <QObject>
#include <QSize>

#include <cstdint>
#include <memory>
#include <vector>

class QTimer;

namespace vt {

class PlayerService final : public QObject, public PreviewPlayer {
    Q_OBJECT
public:
    // `shownSize` is the size pictures are composed at for the preview
    // (empty: the render size); `useSoundDevice` false keeps the clock on a
    // timer even when a device exists.
    explicit PlayerService(QSize shownSize = {}, bool useSoundDevice = true, QObject* parent = nullptr);
    ~PlayerService() override;

    void rebuild(EditorModel& model, std::function<void(std::optional<std::string> error)> done) override;
    void refresh(EditorModel& model, std::function<void()> done) override;
    void pause() override;
    void setRate(double rate) override;
    void detachItem() override;
    void setMuted(bool muted) override;
    void startTimeReports(std::function<void(double seconds, double rate)> report) override;
    void stopTimeReports() override;
    void whenPictureReady(std::function<void()> ready) override;

    // Transport for the editor's views.
    void play();
    void seek(double seconds) override;
    Player& player() { return *player_; }

signals:
    // The picture a whenPictureReady call waited for is composed; sent before
    // the waiting callers run, so a view showing the player can take it first.
    void pictureReady();

private:
    void checkPicture();

    void install(EditorModel& model, BuildResult built);

    QSize shownSize_;
    PlayerEngine player_;
    QTimer* reports_ = nullptr;
    QTimer* pictureWatch_ = nullptr;
    std::vector<std::function<void()>> pictureWaiters_;
    std::function<void(double, double)> report_;
    std::uint64_t latestRebuild_ = 0;  // the only rebuild whose result may be installed
    int building_ = 0;                 // rebuilds whose result has not come back yet
    bool hasItem_ = false;
};

}  // namespace vt
