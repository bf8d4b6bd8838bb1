// The derivation the editor repeats after every edit of the transcript: cut
// the video (EditPlan::make), place the kept words on the output timeline
// (timedWords) and break them into caption lines (CaptionGrouper). It has to
// stay linear in the number of words: an hour of talk is about 10,000 words.
//
// The transcript is synthetic but shaped like speech: 0.3 s words with short
// gaps, a sentence end every 11 words, a longer pause every 37, one word in
// 30 deleted (a few hundred in 10,000) and a short run of words with a
// per-line look every 200.

#include "captions/CaptionGrouper.h"
#include "model/EditPlan.h"

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

using namespace vt;

namespace {

struct Transcript {
    std::vector<Word> words;
    double duration = 0;  // seconds
};

Transcript makeTranscript(std::size_t count)
{
    static const char* const kTexts[] = {"so", "the", "thing", "about", "editing", "video", "is", "that",
                                         "nobody", "tells", "you", "how", "much", "time", "it", "takes"};
    Transcript t;
    t.words.reserve(count);
    double clock = 0.4;
    for (std::size_t i = 0; i < count; ++i) {
        Word w;
        w.id = Uuid::random();
        w.text = kTexts[i % std::size(kTexts)];
        if (i % 11 == 10) w.text += ".";
        w.start = clock;
        w.end = clock + 0.3;
        w.deleted = i % 30 == 7;
        w.emphasized = i % 23 == 0;
        if (i % 200 < 4) w.styleID = "accent";
        clock = w.end + (i % 37 == 36 ? 1.4 : 0.08);
        t.words.push_back(std::move(w));
    }
    t.duration = clock + 0.5;
    return t;
}

CaptionStyle baseLook()
{
    CaptionStyle s;
    s.id = "base";
    s.maxWordsPerGroup = 4;
    return s;
}

const std::map<std::string, CaptionStyle>& overrides()
{
    static const std::map<std::string, CaptionStyle> table = [] {
        CaptionStyle accent = baseLook();
        accent.id = "accent";
        accent.maxWordsPerGroup = 2;
        return std::map<std::string, CaptionStyle>{{"accent", accent}};
    }();
    return table;
}

void BM_EditPlanMake(benchmark::State& state)
{
    Transcript t = makeTranscript(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        EditPlan plan = EditPlan::make(t.words, t.duration, true, 0.8);
        benchmark::DoNotOptimize(plan);
    }
    state.SetComplexityN(state.range(0));
}

void BM_TimedWords(benchmark::State& state)
{
    Transcript t = makeTranscript(static_cast<std::size_t>(state.range(0)));
    EditPlan plan = EditPlan::make(t.words, t.duration, true, 0.8);
    state.counters["segments"] = static_cast<double>(plan.segments.size());
    for (auto _ : state) {
        auto timed = plan.timedWords(t.words);
        benchmark::DoNotOptimize(timed);
    }
    state.SetComplexityN(state.range(0));
}

void BM_CaptionGrouping(benchmark::State& state)
{
    Transcript t = makeTranscript(static_cast<std::size_t>(state.range(0)));
    auto timed = EditPlan::make(t.words, t.duration, true, 0.8).timedWords(t.words);
    for (auto _ : state) {
        auto groups = CaptionGrouper::groups(timed, baseLook(), overrides());
        benchmark::DoNotOptimize(groups);
    }
    state.SetComplexityN(state.range(0));
}

void BM_Derivation(benchmark::State& state)
{
    Transcript t = makeTranscript(static_cast<std::size_t>(state.range(0)));
    const CaptionStyle look = baseLook();
    for (auto _ : state) {
        EditPlan plan = EditPlan::make(t.words, t.duration, true, 0.8);
        auto groups = CaptionGrouper::groups(plan.timedWords(t.words), look, overrides());
        benchmark::DoNotOptimize(groups);
    }
    state.SetComplexityN(state.range(0));
}

void sizes(benchmark::internal::Benchmark* b)
{
    b->Arg(1000)->Arg(10000)->Arg(40000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
}

}  // namespace

BENCHMARK(BM_EditPlanMake)->Apply(sizes);
BENCHMARK(BM_TimedWords)->Apply(sizes);
BENCHMARK(BM_CaptionGrouping)->Apply(sizes);
BENCHMARK(BM_Derivation)->Apply(sizes);

// Our own entry point: the test-support library linked into every bench
// program carries the test programs' main, which would otherwise be taken.
BENCHMARK_MAIN();
