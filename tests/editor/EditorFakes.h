#pragma once
// Stand-ins for the editor's services, so tests drive time by hand and see
// every call the model makes to the player, the media and the audio side.

#include "editor/EditorModel.h"
#include "editor/EditorServices.h"
#include "support/TimedWords.h"
#include "support/Waits.h"

#include <QCoreApplication>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <future>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace vt::test {

// Time moves only when the test says so; timers fire in due order.
class ManualClock final : public EditorClock {
public:
    Date now() const override { return start_ + std::chrono::milliseconds(std::llround(elapsed_ * 1000)); }
    Ticket start(double seconds, std::function<void()> fire) override
    {
        timers_[next_] = {elapsed_ + seconds, std::move(fire)};
        return next_++;
    }
    void cancel(Ticket ticket) override { timers_.erase(ticket); }

    void advance(double seconds)
    {
        const double until = elapsed_ + seconds;
        while (true) {
            auto due = std::min_element(timers_.begin(), timers_.end(),
                                        [](const auto& a, const auto& b) { return a.second.at < b.second.at; });
            if (due == timers_.end() || due->second.at > until + 1e-9) break;
            elapsed_ = std::max(elapsed_, due->second.at);
            auto fire = std::move(due->second.fire);
            timers_.erase(due);
            fire();
        }
        elapsed_ = until;
    }
    std::size_t pending() const { return timers_.size(); }
    double elapsed() const { return elapsed_; }

private:
    struct Timer {
        double at;
        std::function<void()> fire;
    };
    Date start_ = Date(std::chrono::seconds(1'750'000'000));
    double elapsed_ = 0;
    std::map<Ticket, Timer> timers_;
    Ticket next_ = 1;
};

// Records what the model asks of the player; rebuilds and refreshes end at
// once (or, with `holdRebuilds`, when the test releases them).
class FakePlayer final : public PreviewPlayer {
public:
    void rebuild(EditorModel& model, std::function<void(std::optional<std::string>)> done) override
    {
        ++rebuilds;
        seeks.push_back(model.takePendingSeek());
        snapshotsAtRebuild.push_back(model.renderState()->load());
        if (holdRebuilds)
            held.push_back(std::move(done));
        else
            done(failWith);
    }
    void refresh(EditorModel&, std::function<void()> done) override
    {
        ++refreshes;
        done();
    }
    void pause() override { ++pauses; }
    void setRate(double rate) override { rates.push_back(rate); }
    void seek(double seconds) override { playheadSeeks.push_back(seconds); }
    void detachItem() override { ++detaches; }
    void setMuted(bool value) override { muted = value; }
    void startTimeReports(std::function<void(double, double)> report) override { this->report = std::move(report); }
    void stopTimeReports() override
    {
        ++stops;
        report = nullptr;
    }

    int rebuilds = 0, refreshes = 0, pauses = 0, detaches = 0, stops = 0;
    bool muted = false;
    std::vector<std::optional<double>> seeks;
    std::vector<double> playheadSeeks;
    std::vector<double> rates;
    std::vector<std::shared_ptr<const RenderSnapshot>> snapshotsAtRebuild;
    std::optional<std::string> failWith;
    bool holdRebuilds = false;
    std::vector<std::function<void(std::optional<std::string>)>> held;
    std::function<void(double, double)> report;
};

// Media facts by path; unknown paths cannot be read.
class FakeMedia final : public EditorMedia {
public:
    std::optional<SourceVideoInfo> probeVideo(const std::string& path) override
    {
        if (gate.valid()) gate.wait();
        std::lock_guard guard(lock);
        auto it = videos.find(path);
        return it == videos.end() ? std::nullopt : std::optional(it->second);
    }
    std::optional<QImage> frame(const std::string& path, double seconds) override
    {
        std::lock_guard guard(lock);
        frames.emplace_back(path, seconds);
        QImage image(4, 4, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::red);
        return image;
    }
    std::optional<double> duration(const std::string& path) override
    {
        std::lock_guard guard(lock);
        auto it = durations.find(path);
        return it == durations.end() ? std::nullopt : std::optional(it->second);
    }
    std::vector<float> peaks(const std::string&) override
    {
        if (loadGate.valid()) loadGate.wait();
        return {0.5f, 0.25f};
    }
    std::optional<QImage> thumbnail(const BRoll&) override { return QImage(2, 2, QImage::Format_RGB32); }
    // One picture at the start of the asked range.
    std::vector<Filmstrip::Frame> filmstrip(const std::string&, double lower, double upper, int) override
    {
        if (loadGate.valid()) loadGate.wait();
        if (!(upper > lower)) return {};
        return {{lower, QImage(2, 2, QImage::Format_RGB32)}};
    }
    // A picture at every time that is not negative, sorted.
    std::vector<Filmstrip::Frame> framesAtSource(const std::vector<ClipSpan>&, const std::vector<double>& times,
                                                 int maxSize) override
    {
        std::vector<Filmstrip::Frame> found;
        for (double t : times)
            if (t >= 0) found.push_back({t, QImage(maxSize, maxSize, QImage::Format_RGB32)});
        std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.time < b.time; });
        return found;
    }

    std::shared_future<void> gate;  // when set, probing waits for it
    std::shared_future<void> loadGate;  // when set, peaks and filmstrips wait for it
    std::mutex lock;
    std::map<std::string, SourceVideoInfo> videos;
    std::map<std::string, double> durations;
    std::vector<std::pair<std::string, double>> frames;
};

// One pop per emphasised word start (so tests can tell the settings events
// apart); renders to a path named after the event count.
class FakeAudio final : public EditorAudio {
public:
    std::vector<SoundEvent> events(const SoundEffects& settings, const std::vector<CaptionGroup>& groups,
                                   const std::set<int>&, const EditPlan&, bool hook) override
    {
        hookSeen.push_back(hook);
        std::vector<SoundEvent> out;
        if (hook && settings.hookHit) out.push_back({0, SoundEvent::Kind::hit});
        for (const auto& g : groups)
            for (const auto& w : g.words)
                if (w.emphasized && settings.emphasisPops) out.push_back({w.start, SoundEvent::Kind::pop});
        return out;
    }
    std::optional<std::string> render(const std::vector<SoundEvent>& events, double) override
    {
        ++renders;
        return "/cache/sfx-" + std::to_string(events.size()) + ".caf";
    }
    std::string cleanedAudioPath(const Uuid& clipID, const AudioCleanup&) override
    {
        return cacheFolder + "/" + clipID.text() + ".m4a";
    }

    std::vector<bool> hookSeen;
    std::atomic<int> renders = 0;
    std::string cacheFolder = "/nonexistent";
};

inline Word word(std::string text, double start, double end, bool deleted = false)
{
    return timedWord(std::move(text), start, end, deleted);
}

// Words of 0.4 s every 0.5 s from 0.5 s, texts "w0", "w1", ...
inline std::vector<Word> evenWords(int count)
{
    std::vector<Word> words;
    for (int i = 0; i < count; ++i)
        words.push_back(word("w" + std::to_string(i), 0.5 + 0.5 * i, 0.9 + 0.5 * i));
    return words;
}

inline VideoClip clip(std::string path, double duration)
{
    VideoClip c;
    c.path = std::move(path);
    c.name = c.path;
    c.duration = duration;
    return c;
}

inline Project sampleProject(int wordCount = 10)
{
    Project p;
    p.name = "Sample";
    p.videoPath = "/media/sample.mov";
    p.sourceDuration = 0.5 + 0.5 * wordCount + 1;
    p.localeID = "en-US";
    p.words = evenWords(wordCount);
    return p;
}

// An editor on fakes, with the set-up run to its end.
struct EditorRig {
    std::shared_ptr<ManualClock> clock = std::make_shared<ManualClock>();
    std::shared_ptr<FakePlayer> player = std::make_shared<FakePlayer>();
    std::shared_ptr<FakeMedia> media = std::make_shared<FakeMedia>();
    std::shared_ptr<FakeAudio> audio = std::make_shared<FakeAudio>();
    std::unique_ptr<EditorModel> model;

    explicit EditorRig(Project project, bool mediaReadable = true)
    {
        if (mediaReadable)
            for (const auto& clip : project.videoClips()) media->videos[clip.path] = SourceVideoInfo{};
        model = std::make_unique<EditorModel>(std::move(project), nullptr,
                                              EditorServices{player, media, audio, nullptr, clock});
        waitFor([&] { return !model->isLoading(); });
    }
    EditorModel& operator*() { return *model; }
    EditorModel* operator->() { return model.get(); }
};

}  // namespace vt::test

#include "support/TestSupport.h"
#include "model/ProjectStore.h"

#include <gtest/gtest.h>

namespace vt::test {

// Every editor test writes its project files into a throw-away data root.
class EditorTest : public ::testing::Test {
protected:
    TempDir dir;
    ScopedEnv data{"XDG_DATA_HOME", dir.path().string()};
    ScopedEnv config{"XDG_CONFIG_HOME", (dir.path() / "config").string()};

    std::filesystem::path fileOf(const Project& p) const
    {
        return ProjectStore::directory() / (p.id.text() + ".json");
    }
    std::optional<Project> stored(const Project& p) const
    {
        if (!std::filesystem::exists(fileOf(p))) return std::nullopt;
        return Project::fromJson(json::parse(readFile(fileOf(p))));
    }
};

}  // namespace vt::test
