// Caption derivation converts every word of the transcript on every edit, so
// the cost that matters is one pass over a whole transcript: here 10,000
// Devanagari words, romanized and shown in other Indic scripts.

#include "speech/Transliterator.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

// Everyday Hindi with English loanwords and punctuation, as whisper.cpp
// writes it.
const std::vector<std::string>& transcript()
{
    static const std::vector<std::string> words = [] {
        const char* vocabulary[] = {
            "नमस्ते", "दोस्तों,", "आज", "हम", "बात", "करेंगे", "अपने", "नए", "वीडियो", "के", "बारे",
            "में।", "मैं", "ठीक", "हूँ", "और", "आप", "कैसे", "हैं?", "यह", "कंटेंट", "बहुत", "ज़्यादा",
            "अच्छा", "है", "क्योंकि", "इंस्टाग्राम", "पर", "रील्स", "वायरल", "होती", "हैं।", "चैनल",
            "को", "सब्सक्राइब", "करना", "मत", "भूलना", "“कमेंट”", "करके", "बताओ", "प्रॉडक्ट", "कैसा",
            "लगा", "समझना", "ज़रूरी", "पढ़ाई", "किताब", "दुनिया", "ख़ुशी", "१२३", "फ़ोन", "मोबाइल",
            "स्ट्रेटेजी", "सक्सेस", "थोड़ा", "सोचो", "भाई", "कहानी", "ज़िंदगी",
        };
        std::vector<std::string> out;
        out.reserve(10'000);
        for (std::size_t i = 0; out.size() < 10'000; ++i) out.emplace_back(vocabulary[i % std::size(vocabulary)]);
        return out;
    }();
    return words;
}

void romanizeTranscript(benchmark::State& state)
{
    const auto& words = transcript();
    for (auto _ : state)
        for (const auto& w : words) benchmark::DoNotOptimize(vt::Transliterator::romanize(w));
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(words.size()));
}
BENCHMARK(romanizeTranscript)->Unit(benchmark::kMillisecond);

void displayTranscript(benchmark::State& state)
{
    const auto script = static_cast<vt::CaptionScript>(state.range(0));
    state.SetLabel(std::string(vt::rawValue(script)));
    const auto& words = transcript();
    for (auto _ : state)
        for (const auto& w : words) benchmark::DoNotOptimize(vt::Transliterator::display(w, w, script));
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(words.size()));
}
BENCHMARK(displayTranscript)
    ->Arg(static_cast<int>(vt::CaptionScript::latin))
    ->Arg(static_cast<int>(vt::CaptionScript::devanagari))
    ->Arg(static_cast<int>(vt::CaptionScript::bengali))
    ->Arg(static_cast<int>(vt::CaptionScript::tamil))
    ->Arg(static_cast<int>(vt::CaptionScript::urdu))
    ->Unit(benchmark::kMillisecond);

// Bengali speech: every word goes through ICU into Devanagari first.
void romanizeBengaliTranscript(benchmark::State& state)
{
    std::vector<std::string> bengali;
    for (const auto& w : transcript())
        bengali.push_back(vt::Transliterator::display(w, w, vt::CaptionScript::bengali));
    for (auto _ : state)
        for (const auto& w : bengali) benchmark::DoNotOptimize(vt::Transliterator::romanize(w));
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(bengali.size()));
}
BENCHMARK(romanizeBengaliTranscript)->Unit(benchmark::kMillisecond);

}  // namespace

// Our own entry point: the shared test-support library linked into every
// benchmark carries the test programs' main, which would otherwise win.
BENCHMARK_MAIN();
