// What a Delete on one word of an hour-long transcript (10,000 words) costs
// until the transcript dock has repainted: the cut through the editor model
// (one undo step, a re-planned cut, re-derived captions and paragraphs),
// then the word list's signature pass, which lays out no paragraph again,
// and the synchronous repaint of the chips on screen. The second benchmark
// is the dock's own share: the same notifications and repaint for a change
// that leaves the model's derivation out.

#include "HourOfSpeech.h"
#include "OffscreenApplication.h"
#include "StillClock.h"
#include "editor/EditorModel.h"
#include "ui/editor/TranscriptDock.h"
#include "ui/editor/WordList.h"

#include <QApplication>
#include <QKeyEvent>

#include <benchmark/benchmark.h>

#include <memory>

using namespace vt;

namespace {


QApplication& application() { return bench::widgetApplication(); }

struct DockBench {
    EditorModel model;
    ui::TranscriptDock dock;
    DockBench()
        : model(bench::hourOfSpeech(10'000, "/media/hour.mov"), nullptr, EditorServices{nullptr, nullptr, nullptr, nullptr, std::make_shared<bench::StillClock>()}),
          dock(model, nullptr)
    {
        dock.resize(900, 320);
        dock.show();
        QApplication::processEvents();
        model.select(model.transcript()[20].id, {});
    }
};

void BM_DeleteToRepaint(benchmark::State& state)
{
    application();
    DockBench b;
    QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
    for (auto _ : state) {
        b.dock.handleKey(del);  // cuts, then restores on the next round
        b.dock.wordList()->viewport()->repaint();
    }
}
BENCHMARK(BM_DeleteToRepaint)->Unit(benchmark::kMillisecond);

void BM_DockRefreshAndRepaint(benchmark::State& state)
{
    application();
    DockBench b;
    for (auto _ : state) {
        emit b.model.paragraphsChanged();
        b.dock.wordList()->viewport()->repaint();
    }
}
BENCHMARK(BM_DockRefreshAndRepaint)->Unit(benchmark::kMillisecond);

}  // namespace
