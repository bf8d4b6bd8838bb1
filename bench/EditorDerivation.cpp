// What every edit costs in the editor: one full re-derivation of a 10,000-word
// project (cut, caption words, caption lines, paragraphs, placed timeline
// items, B-roll) plus assembling and publishing the render snapshot. Each
// iteration changes one word first, so the changed values are really
// compared, stored and published.

#include "StillClock.h"
#include "editor/EditorModel.h"

#include <benchmark/benchmark.h>

#include <string>

using namespace vt;

namespace {


Project longProject(int count)
{
    static const char* const texts[] = {"so",  "here", "is",   "what", "happened", "when", "we",
                                        "put", "the",  "new",  "camera", "on",     "the",  "tripod"};
    Project p;
    p.videoPath = "/media/talk.mov";
    double t = 0.3;
    for (int i = 0; i < count; ++i) {
        Word w;
        w.id = Uuid::random();
        w.text = texts[i % std::size(texts)];
        if (i % 12 == 11) w.text += ".";
        w.start = t;
        w.end = t + 0.28;
        w.deleted = i % 40 == 13;
        w.emphasized = i % 25 == 0;
        t = w.end + (i % 50 == 49 ? 1.2 : 0.07);
        p.words.push_back(std::move(w));
    }
    p.sourceDuration = t + 0.5;
    std::vector<BRoll> brolls;
    for (int i = 100; i + 5 < count; i += 400) {
        BRoll b;
        b.startWordID = p.words[i].id;
        b.endWordID = p.words[i + 5].id;
        brolls.push_back(b);
    }
    p.brolls = brolls;
    std::vector<MotionEffect> motions(20);
    for (std::size_t i = 0; i < motions.size(); ++i) motions[i].start = 30.0 * i;
    p.motions = motions;
    return p;
}

void BM_VisualChange(benchmark::State& state)
{
    EditorModel model(longProject(static_cast<int>(state.range(0))), nullptr,
                      EditorServices{nullptr, nullptr, nullptr, nullptr, std::make_shared<bench::StillClock>()});
    std::size_t i = 0;
    for (auto _ : state) {
        model.updateProject([&](Project& p) { p.words[i % p.words.size()].emphasized ^= true; });
        model.visualChanged();
        ++i;
    }
}
BENCHMARK(BM_VisualChange)->Arg(10'000)->Unit(benchmark::kMillisecond);

void BM_TimelineChange(benchmark::State& state)
{
    EditorModel model(longProject(static_cast<int>(state.range(0))), nullptr,
                      EditorServices{nullptr, nullptr, nullptr, nullptr, std::make_shared<bench::StillClock>()});
    std::size_t i = 0;
    for (auto _ : state) {
        model.updateProject([&](Project& p) { p.words[(i * 7) % p.words.size()].deleted ^= true; });
        model.timelineChanged();
        ++i;
    }
}
BENCHMARK(BM_TimelineChange)->Arg(10'000)->Unit(benchmark::kMillisecond);

}  // namespace
