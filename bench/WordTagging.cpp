// Hashtags and match-cut suggestions tag the whole transcript on the main
// thread, so one pass over a long transcript must stay well under a second.
// The lexicon is read once per run, before the first tagging.

#include "platform/WordLexicon.h"
#include "platform/WordTagger.h"
#include "support/SpokenTalks.h"
#include "text/PostCopyWriter.h"

#include <benchmark/benchmark.h>

#include <sstream>
#include <string>

namespace {

// 10,000 words of ordinary speech: the hand-tagged talks, over and over,
// with and without punctuation.
const std::string& transcript()
{
    static const std::string text = [] {
        std::string out;
        int words = 0;
        for (std::size_t i = 0; words < 10'000; ++i) {
            std::istringstream talk(vt::test::spokenTalks()[i % vt::test::spokenTalks().size()].text);
            for (std::string word; words < 10'000 && talk >> word; ++words) out += (out.empty() ? "" : " ") + word;
        }
        return out;
    }();
    return text;
}

void tagTranscript(benchmark::State& state)
{
    const std::string& text = transcript();
    benchmark::DoNotOptimize(vt::WordTagger::tag(text));
    for (auto _ : state) benchmark::DoNotOptimize(vt::WordTagger::tag(text));
    state.SetItemsProcessed(state.iterations() * 10'000);
}
BENCHMARK(tagTranscript)->Unit(benchmark::kMillisecond);

void hashtagsOfTranscript(benchmark::State& state)
{
    const std::string& text = transcript();
    benchmark::DoNotOptimize(vt::PostCopyWriter::hashtags(text, 5));
    for (auto _ : state) benchmark::DoNotOptimize(vt::PostCopyWriter::hashtags(text, 5));
    state.SetItemsProcessed(state.iterations() * 10'000);
}
BENCHMARK(hashtagsOfTranscript)->Unit(benchmark::kMillisecond);

// The one-time cost the first tagging pays.
void readLexicon(benchmark::State& state)
{
    for (auto _ : state) benchmark::DoNotOptimize(vt::WordLexicon(vt::WordLexicon::installedFolder));
}
BENCHMARK(readLexicon)->Unit(benchmark::kMillisecond);

}  // namespace
