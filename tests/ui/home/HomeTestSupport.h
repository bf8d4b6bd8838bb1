#pragma once
// A private data root with an application model whose speech-model download
// reports 42.7% and then waits until the model goes away, and saved projects
// made to order.

#include "app/AppTestSupport.h"
#include "model/ProjectStore.h"

#include <QImage>

#include <chrono>
#include <thread>

namespace vt::test {

inline AppModel::Services heldDownload()
{
    AppModel::Services services;
    services.downloadModel = [](const std::function<void(double)>& progress, const CancelToken& cancel) {
        progress(0.427);
        while (!cancel.isCancelled()) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    };
    return services;
}

struct HomeFixture {
    IsolatedHome home;
    AppModel app{heldDownload()};

    // Saves a project `minutesAgo` minutes old, `seconds` long.
    Project save(const std::string& name, int minutesAgo = 0, double seconds = 10)
    {
        Project p;
        p.name = name;
        p.videoPath = (home.dir / (name + ".mp4")).string();
        p.sourceDuration = seconds;
        p.updatedAt = std::chrono::system_clock::now() - std::chrono::minutes(minutesAgo);
        ProjectStore::save(p);
        return p;
    }
    void reload() { app.enterProjects(); }
    static void writePoster(const Uuid& id, QSize size = {160, 100}, Qt::GlobalColor colour = Qt::red)
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        std::filesystem::create_directories(AppModel::posterPath(id).parent_path());
        image.save(QString::fromStdString(AppModel::posterPath(id).string()), "JPG");
    }
};

}  // namespace vt::test
