// The import of a talk from start to a saved project with words (wall time,
// one run each) and the built-in recognizer against a bare PocketSphinx
// decoder. Each benchmark's label is the machine's load (`uptime`) when it
// ended: the machine may be shared, so read the figures with it.
//
//   BM_ImportTalk60s       a 60 s talk, 1920 x 1080 at 25 fps, the shared portrait as the face
//   BM_ImportTalkHour      an hour of speech, 640 x 360 at 10 fps, the same face
//   BM_RecognizerOverBare  the recognizer on the 60 s talk's sound (model loads included)
//                          over one bare decoder going through it in one utterance
//
// For the two-core figure run the program under `taskset -c 0,1`. The talks
// are espeak-ng speech made once into a folder of the system's temporary
// folder (vellumtide-bench-talks) and reused by later runs.

#include "OffscreenApplication.h"
#include "app/AppModel.h"
#include "platform/recognizer/FileRecognizer.h"
#include "platform/recognizer/PieceRecognizer.h"
#include "platform/recognizer/SpeechModels.h"
#include "support/SpokenAudio.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <pocketsphinx.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <stdexcept>

using namespace vt;

namespace {

using Clock = std::chrono::steady_clock;

void check(int status, const std::string& what)
{
    if (status != 0) throw std::runtime_error(what + " failed");
}

std::string machineLoad()
{
    std::array<char, 256> line{};
    FILE* pipe = ::popen("uptime", "r");
    if (!pipe) return "load unknown";
    std::string out = std::fgets(line.data(), int(line.size()), pipe) ? line.data() : "load unknown";
    ::pclose(pipe);
    const auto at = out.find("load average");
    out = at == std::string::npos ? out : out.substr(at);
    while (!out.empty() && (out.back() == '\n' || out.back() == ' ')) out.pop_back();
    return out;
}

// A file made once by `make` into the cache folder, under a temporary name
// first so that an interrupted run leaves nothing half made.
std::filesystem::path cached(const std::string& name, const std::function<void(const std::filesystem::path&)>& make)
{
    const auto folder = std::filesystem::temp_directory_path() / "vellumtide-bench-talks";
    std::filesystem::create_directories(folder);
    const auto out = folder / name;
    if (std::filesystem::exists(out)) return out;
    const auto partial = folder / ("partial-" + name);
    make(partial);
    std::filesystem::rename(partial, out);
    return out;
}

std::filesystem::path spokenTalk()
{
    return cached("talk.wav", [](const std::filesystem::path& out) {
        test::TempDir dir;
        std::filesystem::copy_file(test::speakSentences(dir.path(), test::talkSentences()).wav, out);
    });
}

// The talk's sound repeated and cut to `seconds`.
std::filesystem::path talkSound(double seconds)
{
    const std::string name = "talk-" + std::to_string(int(seconds)) + "s.wav";
    return cached(name, [seconds](const std::filesystem::path& out) {
        const std::string talk = test::shellQuote(spokenTalk().string());
        check(test::run("sox -R " + talk + " " + test::shellQuote(out.string()) + " repeat " + std::to_string(int(seconds / 150) + 1) +
                        " trim 0 " + std::to_string(seconds)),
              "sox");
    });
}

// The shared portrait, still, over the sound.
std::filesystem::path talkVideo(double seconds, const std::string& size, int rate)
{
    const std::string name = "talk-" + std::to_string(int(seconds)) + "s-" + size + ".mp4";
    return cached(name, [&](const std::filesystem::path& out) {
        const auto [w, h] = std::pair(size.substr(0, size.find('x')), size.substr(size.find('x') + 1));
        check(test::run("ffmpeg -v error -y -loop 1 -framerate " + std::to_string(rate) + " -i " +
                        test::shellQuote(test::sharedFixture("face-portrait.png").string()) + " -i " +
                        test::shellQuote(talkSound(seconds).string()) + " -vf " + test::shellQuote("scale=-2:" + h + ",pad=" + w + ":" + h + ":(ow-iw)/2:0") +
                        " -c:v libx264 -preset ultrafast -tune stillimage -pix_fmt yuv420p -c:a aac -b:a 96k -shortest " +
                        test::shellQuote(out.string())),
              "ffmpeg");
    });
}

// Seconds from importVideo to the saved project; fails the benchmark when
// the import ends without one or without words.
double importSeconds(benchmark::State& state, const std::filesystem::path& video)
{
    bench::application();
    test::TempDir home;
    test::ScopedEnv data{"XDG_DATA_HOME", (home / "data").string()};
    test::ScopedEnv config{"XDG_CONFIG_HOME", (home / "config").string()};
    AppModel app;
    app.finishOnboarding();
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (!app.projects().empty() || app.screen() == Screen::home) loop.quit();
    });
    const auto start = Clock::now();
    app.importVideo(video);
    poll.start(5);
    loop.exec();
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    if (app.projects().empty() || app.projects().front().words.empty())
        state.SkipWithError(("the import saved no words: " + app.errorMessage().value_or("")).c_str());
    else
        state.counters["words"] = double(app.projects().front().words.size());
    // Let the editor or Shorts picker that opened settle before the model goes.
    QCoreApplication::processEvents();
    return seconds;
}

void runImport(benchmark::State& state, const std::filesystem::path& video)
{
    for (auto _ : state) state.SetIterationTime(importSeconds(state, video));
    state.counters["cores"] = double(recognizer::usableCores());
    state.SetLabel(machineLoad());
}

void BM_ImportTalk60s(benchmark::State& state) { runImport(state, talkVideo(60, "1920x1080", 25)); }

void BM_ImportTalkHour(benchmark::State& state) { runImport(state, talkVideo(3600, "640x360", 10)); }

std::size_t ours(const std::vector<std::int16_t>& audio)
{
    recognizer::PieceRecognizer engine(*recognizer::findModel("en-US"));
    std::size_t words = 0;
    const std::atomic<bool> stop{false};
    engine.recognize(audio, [&](std::vector<recognizer::Utterance> done) { for (const auto& u : done) words += u.words.size(); }, stop);
    return words;
}

std::size_t bare(const std::vector<std::int16_t>& audio)
{
    const auto model = *recognizer::findModel("en-US");
    cmd_ln_t* config = cmd_ln_init(nullptr, ps_args(), TRUE, "-hmm", model.acousticModel->c_str(), "-lm", model.languageModel->c_str(),
                                   "-dict", model.dictionary->c_str(), "-logfn", "/dev/null", nullptr);
    ps_decoder_t* ps = ps_init(config);
    ps_start_utt(ps);
    for (std::size_t at = 0; at < audio.size(); at += 4096) ps_process_raw(ps, audio.data() + at, std::min<std::size_t>(4096, audio.size() - at), FALSE, FALSE);
    ps_end_utt(ps);
    std::size_t segments = 0;
    for (ps_seg_t* seg = ps_seg_iter(ps); seg; seg = ps_seg_next(seg)) ++segments;
    ps_free(ps);
    cmd_ln_free_r(config);
    return segments;
}

void BM_RecognizerOverBare(benchmark::State& state)
{
    const auto audio = recognizer::readRecognizerAudio(talkSound(60));
    double oursSeconds = 0, bareSeconds = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        benchmark::DoNotOptimize(ours(audio));
        const auto t1 = Clock::now();
        benchmark::DoNotOptimize(bare(audio));
        const auto t2 = Clock::now();
        oursSeconds += std::chrono::duration<double>(t1 - t0).count();
        bareSeconds += std::chrono::duration<double>(t2 - t1).count();
        state.SetIterationTime(oursSeconds);
    }
    state.counters["ours_s"] = oursSeconds;
    state.counters["bare_s"] = bareSeconds;
    state.counters["ours_over_bare"] = oursSeconds / bareSeconds;
    state.counters["cores"] = double(recognizer::usableCores());
    state.SetLabel(machineLoad());
}

}  // namespace

BENCHMARK(BM_RecognizerOverBare)->Unit(benchmark::kSecond)->Iterations(1)->UseManualTime();
BENCHMARK(BM_ImportTalk60s)->Unit(benchmark::kSecond)->Iterations(1)->UseManualTime();
BENCHMARK(BM_ImportTalkHour)->Unit(benchmark::kSecond)->Iterations(1)->UseManualTime();
