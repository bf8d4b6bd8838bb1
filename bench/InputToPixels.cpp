// From a key or a click in the program's window to the end of the repaint it
// causes, on an hour-long project (10,000 words over an hour of video with
// sound), with everything the window has running: the player, the preview,
// the dock, the timeline, the inspector. Four inputs:
// - Delete on a picked word (it is cut, then restored by the next press);
// - a click on a word (it is picked, the dock takes the keys);
// - typing in the inline field of a word being retyped;
// - dragging the playhead along the transport bar's scrubber.
//
// Each input is made at a fixed moment, one after the other at the pace a
// user keeps (a Delete every 0.4 s, so the debounced player rebuild of the
// previous one falls between them; keys every 0.12 s; a drag step every
// 16 ms). The time measured runs from that moment, not from when the
// window's thread got round to the input, so work that holds the thread
// when the input comes (a player rebuild, a preview picture) counts. It ends
// when the repaint that shows the change has been painted. The reported
// time is the mean; the counters median_ms and max_ms are the middle and the
// slowest input, cpu_ms the CPU
// time of the window's thread per input until the repaint, and
// cpu_between_ms what it ran between inputs (debounced work). Run on one
// core (taskset -c N) for the figure that matters.

#include "HourOfSpeech.h"
#include "OffscreenApplication.h"
#include "app/AppModel.h"
#include "app/AppSettings.h"
#include "editor/EditorModel.h"
#include "model/ProjectStore.h"
#include "support/TestSupport.h"
#include "support/TestVideos.h"
#include "ui/editor/EditorView.h"
#include "ui/editor/InlineWordField.h"
#include "ui/editor/TranscriptDock.h"
#include "ui/editor/TransportBar.h"
#include "ui/editor/WaveformScrubber.h"
#include "ui/editor/WordList.h"
#include "ui/shell/MainWindow.h"
#include "ui/shell/RootView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <time.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

using namespace vt;

namespace {

using Clock = std::chrono::steady_clock;

constexpr int wordCount = 10'000;

// An hour of 640 × 360 test picture at 30 frames a second with a tone, made
// once from one minute repeated (seconds to make) and kept for later runs.
std::filesystem::path hourOfVideo(double seconds)
{
    const auto minute = test::cachedMedia(
        "vellumtide-bench-window-minute.mp4",
        "-f lavfi -i testsrc2=size=640x360:rate=30 -f lavfi -i sine=f=220:r=48000 -t 60 "
        "-c:v libx264 -preset veryfast -crf 32 -g 60 -pix_fmt yuv420p -c:a aac -b:a 48k");
    return test::cachedMedia("vellumtide-bench-window-hour.mp4",
                             "-stream_loop " + std::to_string(static_cast<int>(seconds / 60) + 1) + " -i " +
                                 test::shellQuote(minute.string()) + " -t " + std::to_string(seconds) + " -c copy");
}

// Counts the paints of the widgets that show an input's change.
class PaintWatch : public QObject {
public:
    void watch(QWidget* widget)
    {
        if (widget) widget->installEventFilter(this);
    }
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

// CPU seconds the calling thread (the window's) has run: apart from the wall
// time, what the input made the thread itself do.
double threadSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

// Runs the window's event loop until `at`; late when the thread was busy.
void runUntil(Clock::time_point at)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(at - Clock::now()).count();
    if (left > 0) {
        QEventLoop loop;
        QTimer::singleShot(static_cast<int>(left), Qt::PreciseTimer, &loop, &QEventLoop::quit);
        loop.exec();
    }
    QCoreApplication::processEvents();
}

// Runs the event loop until one of the watched widgets has painted (at most
// 2 s); the paints of one window update all land in the same pass.
void untilPainted(PaintWatch& watch, int before)
{
    QElapsedTimer cap;
    cap.start();
    while (watch.paints == before && cap.elapsed() < 2000)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
}

struct OpenWindow {
    test::TempDir home;
    test::ScopedEnv data{"XDG_DATA_HOME", (home / "data").string()};
    test::ScopedEnv config{"XDG_CONFIG_HOME", (home / "config").string()};
    std::unique_ptr<AppModel> app;
    std::unique_ptr<MainWindow> window;

    OpenWindow()
    {
        bench::widgetApplication();
        constexpr double seconds = 3700;
        Project project = bench::hourOfSpeech(wordCount, hourOfVideo(seconds).string());
        project.name = "An hour of talk";
        project.sourceDuration = std::max(project.sourceDuration, seconds);
        AppSettings::set(AppSettings::hasOnboardedKey, true);
        AppSettings::set("editorTipsSeen", true);
        ProjectStore::save(project);
        app = std::make_unique<AppModel>();
        window = std::make_unique<MainWindow>(*app);
        window->rootView()->setReduceMotion(true);
        window->show();
        app->open(project);
        if (!editor()) throw std::runtime_error("the project did not open");
        // Ready once the media are read, the first player item is in and the
        // sound's peaks and the filmstrip of the hour are made.
        const auto ready = [this] {
            return !editor()->isLoading() && !editor()->isRefreshing() && editor()->source()
                && !editor()->waveformPeaks().empty() && !editor()->filmstrip().empty();
        };
        QElapsedTimer cap;
        cap.start();
        while (!ready() && cap.elapsed() < 120000)
            QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
        if (!ready()) throw std::runtime_error("the media did not load");
        settle();
    }
    ~OpenWindow()
    {
        window.reset();
        app.reset();
    }
    EditorModel* editor() const { return app->editor(); }
    ui::EditorView& view() const { return *window->rootView()->editorScreen(); }
    ui::WordList& words() const { return *view().dock()->wordList(); }
    // Lets pending debounced work (saves, rebuilds, refreshes) run out.
    static void settle() { runUntil(Clock::now() + std::chrono::milliseconds(1500)); }
    // The centre of transcript word `index`, scrolled into view.
    QPoint wordPoint(std::size_t index)
    {
        const auto rect = words().wordRect(index);
        if (!rect) throw std::runtime_error("no such word on screen");
        words().verticalScrollBar()->setValue(static_cast<int>(rect->top()) - 40);
        QCoreApplication::processEvents();
        return *words().wordCenter(index);
    }
};

OpenWindow& openWindow()
{
    static auto* window = new OpenWindow;  // kept to the end, like the application
    return *window;
}

// Times `input` made every `pace` from now on, each until `watch` saw the
// repaint; the time counts from the moment the input was due.
void timeInputs(benchmark::State& state, std::chrono::milliseconds pace, PaintWatch& watch,
                const std::function<void(std::int64_t)>& input)
{
    std::vector<double> times;
    auto due = Clock::now() + pace;
    std::int64_t n = 0;
    double onInput = 0, between = 0;
    for (auto _ : state) {
        const double idle = threadSeconds();
        runUntil(due);
        const double start = threadSeconds();
        between += start - idle;
        const int before = watch.paints;
        input(++n);
        untilPainted(watch, before);
        onInput += threadSeconds() - start;
        if (watch.paints == before) state.counters["unpainted"] += 1;
        const double seconds = std::chrono::duration<double>(Clock::now() - due).count();
        state.SetIterationTime(seconds);
        times.push_back(seconds);
        due += pace;
        if (due < Clock::now()) due = Clock::now() + pace;  // fell behind: start the pace again
    }
    std::sort(times.begin(), times.end());
    state.counters["median_ms"] = times.empty() ? 0 : times[times.size() / 2] * 1000;
    state.counters["max_ms"] = times.empty() ? 0 : times.back() * 1000;
    // Per input, on the window's thread: from the input to its repaint, and
    // what ran on it while waiting for the next one (debounced work).
    state.counters["cpu_ms"] = benchmark::Counter(onInput * 1000, benchmark::Counter::kAvgIterations);
    state.counters["cpu_between_ms"] = benchmark::Counter(between * 1000, benchmark::Counter::kAvgIterations);
    OpenWindow::settle();
}

void BM_DeleteWord(benchmark::State& state)
{
    OpenWindow& w = openWindow();
    const QPoint at = w.wordPoint(4000);
    QTest::mouseClick(w.words().viewport(), Qt::LeftButton, {}, at);
    OpenWindow::settle();
    PaintWatch watch;
    watch.watch(w.words().viewport());
    timeInputs(state, std::chrono::milliseconds(400), watch, [](std::int64_t) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);  // cuts, the next press restores
    });
}

void BM_ClickWord(benchmark::State& state)
{
    OpenWindow& w = openWindow();
    const QPoint first = w.wordPoint(6000);
    const QPoint second = *w.words().wordCenter(6003);
    PaintWatch watch;
    watch.watch(w.words().viewport());
    timeInputs(state, std::chrono::milliseconds(300), watch, [&](std::int64_t n) {
        QTest::mouseClick(w.words().viewport(), Qt::LeftButton, {}, n % 2 ? second : first);
    });
}

void BM_TypeInField(benchmark::State& state)
{
    OpenWindow& w = openWindow();
    const QPoint at = w.wordPoint(7000);
    QTest::mouseDClick(w.words().viewport(), Qt::LeftButton, {}, at);
    OpenWindow::settle();
    ui::InlineWordField* field = w.words().field();
    if (!field) throw std::runtime_error("no inline field");
    field->setCursorPosition(static_cast<int>(field->text().size()));
    PaintWatch watch;
    watch.watch(field);
    watch.watch(w.words().viewport());
    // Letters go in and come out again, so the word stays short.
    timeInputs(state, std::chrono::milliseconds(120), watch, [field](std::int64_t n) {
        if (n % 8 < 4)
            QTest::keyClick(field, static_cast<char>('a' + n % 4));
        else
            QTest::keyClick(field, Qt::Key_Backspace);
    });
    QTest::keyClick(field, Qt::Key_Escape);
    OpenWindow::settle();
}

void BM_DragPlayhead(benchmark::State& state)
{
    OpenWindow& w = openWindow();
    ui::WaveformArea* area = w.view().dock()->transportBar()->scrubber()->area();
    PaintWatch watch;
    watch.watch(area);
    const int width = area->width();
    const int y = area->height() / 2;
    QTest::mousePress(area, Qt::LeftButton, {}, QPoint(width / 4, y));
    OpenWindow::settle();
    // Back and forth over the middle half, two points a step.
    timeInputs(state, std::chrono::milliseconds(16), watch, [&](std::int64_t n) {
        const int span = width / 2;
        const int step = static_cast<int>((2 * n) % (2 * span));
        const int x = width / 4 + (step < span ? step : 2 * span - step);
        QTest::mouseMove(area, QPoint(x, y));
    });
    QTest::mouseRelease(area, Qt::LeftButton, {}, QPoint(width / 2, y));
    OpenWindow::settle();
}

}  // namespace

BENCHMARK(BM_DeleteWord)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(40);
BENCHMARK(BM_ClickWord)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(40);
BENCHMARK(BM_TypeInField)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(64);
BENCHMARK(BM_DragPlayhead)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(120);

int main(int argc, char** argv)
{
    bench::widgetApplication();
    benchmark::Initialize(&argc, argv);
    openWindow();  // set-up stays out of every benchmark
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
