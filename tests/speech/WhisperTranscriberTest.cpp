// whisper.cpp for real, with a tiny generated model: its words are nonsense,
// so these tests check structure, timing rules, progress and errors.

#include "platform/media/MediaError.h"
#include "speech/WhisperTranscriber.h"
#include "platform/net/HttpDownload.h"
#include "platform/net/Sha1.h"
#include "support/LocalHttpServer.h"
#include "support/StandInModel.h"
#include "support/TinyWhisperModel.h"
#include "SpeechFixtures.h"

#include <gtest/gtest.h>

#include <sys/inotify.h>
#include <unistd.h>

#include <cmath>
#include <mutex>

using namespace vt;
using vt::test::ScopedEnv;
using vt::test::TempDir;

namespace {

using vt::test::Reports;

WhisperTranscriber::Segment seg(std::optional<std::string> text, std::int64_t t0, std::int64_t t1) { return {std::move(text), t0, t1}; }

std::vector<std::string> texts(const std::vector<Word>& words)
{
    std::vector<std::string> out;
    for (const auto& w : words) out.push_back(w.text);
    return out;
}

std::filesystem::path makeTone(const TempDir& dir, const std::string& name, int rate, int channels, double seconds)
{
    auto out = dir / name;
    const std::string cmd = "ffmpeg -v error -y -f lavfi -i sine=frequency=220:sample_rate=" + std::to_string(rate) + ":duration=" +
                            std::to_string(seconds) + " -ac " + std::to_string(channels) + " " + test::shellQuote(out.string());
    EXPECT_EQ(test::run(cmd), 0);
    return out;
}

class Whisper : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        shared = new TempDir;
        tinyModel = *shared / "tiny.bin";
        test::writeTinyWhisperModel(tinyModel);
        speechVideo = test::makeSpeechVideo(*shared / "speech.mp4");
    }
    static void TearDownTestSuite() { delete shared; }

    static inline TempDir* shared = nullptr;
    static inline std::filesystem::path tinyModel;
    static inline std::filesystem::path speechVideo;

    TempDir tmp, data;
    ScopedEnv tmpdir{"TMPDIR", tmp.path().string()};
    ScopedEnv dataHome{"XDG_DATA_HOME", data.path().string()};
};

}  // namespace

TEST(WhisperWords, SegmentsBecomeWords)
{
    auto words = WhisperTranscriber::wordsFromSegments({
        seg(",", 0, 10),                 // nothing to attach to yet: dropped
        seg(" Hello\n", 100, 150),
        seg(",", 150, 152),              // joins "Hello" with no space
        seg("[MUSIC]", 160, 200),
        seg(" (laughs) ", 200, 250),
        seg("\u266A la la", 250, 300),
        seg(" \t\n", 300, 310),
        seg(std::nullopt, 310, 320),
        seg("world", 400, 401),          // too short: lasts 0.05 s
        seg("caf\xC3", 500, 560),        // ill-formed UTF-8 becomes U+FFFD
        seg("again", 577, 602),          // 577 x 0.01 would be 5.7700000000000005
    });
    ASSERT_EQ(texts(words), (std::vector<std::string>{"Hello,", "world", "caf\uFFFD", "again"}));
    EXPECT_DOUBLE_EQ(words[0].start, 1.0);
    EXPECT_DOUBLE_EQ(words[0].end, 1.5);
    EXPECT_DOUBLE_EQ(words[1].start, 4.0);
    EXPECT_NEAR(words[1].end, 4.05, 1e-12);
    EXPECT_EQ(words[3].start, 5.77);  // whole hundredths of a second, exactly
    EXPECT_EQ(words[3].end, 6.02);
    EXPECT_FALSE(words[0].native);
}

TEST(WhisperWords, RomanizingRowsCapitaliseSentenceStarts)
{
    const auto make = [](std::vector<std::string> texts) {
        std::vector<Word> words;
        for (std::size_t i = 0; i < texts.size(); ++i) {
            Word w;
            w.text = texts[i];
            w.start = double(i);
            w.end = double(i) + 0.3;
            words.push_back(w);
        }
        return words;
    };
    // नमस्ते = "namaste"; a word after "," keeps its case, after "?" or "…" it is capitalised.
    auto words = make({"\u0928\u092E\u0938\u094D\u0924\u0947", "hello,", "\u0928\u092E\u0938\u094D\u0924\u0947", "why?", "ok\u2026", "9am"});
    WhisperTranscriber::finish(words, WhisperLanguage::find("hinglish"));
    ASSERT_EQ(words.size(), 6u);
    EXPECT_EQ(words[0].text.front(), 'N');
    EXPECT_EQ(words[0].native, "\u0928\u092E\u0938\u094D\u0924\u0947");
    EXPECT_EQ(words[1].text, "hello,");  // after "Namaste": no sentence end
    EXPECT_EQ(words[2].text.front(), 'n');
    EXPECT_EQ(words[4].text, "Ok\u2026");
    EXPECT_EQ(words[5].text, "9am");
    EXPECT_FALSE(words[1].native);

    // The Hindi row keeps Devanagari and records it as native text.
    words = make({"\u0928\u092E\u0938\u094D\u0924\u0947", "hi"});
    WhisperTranscriber::finish(words, WhisperLanguage::find("hindi"));
    EXPECT_EQ(words[0].text, "\u0928\u092E\u0938\u094D\u0924\u0947");
    EXPECT_EQ(words[0].native, words[0].text);
    EXPECT_FALSE(words[1].native);
}

TEST(WhisperAudio, LoadsEveryRateWholeAt16kMono)
{
    TempDir dir;
    // Low rates used to overflow a fixed-size output and lose the end.
    for (auto [rate, channels] : {std::pair{8000, 1}, std::pair{11025, 2}, std::pair{44100, 2}, std::pair{16000, 1}}) {
        auto file = makeTone(dir, "tone-" + std::to_string(rate) + ".wav", rate, channels, 10);
        const auto samples = WhisperTranscriber::loadPCM16kMono(file);
        EXPECT_NEAR(double(samples.size()), 160'000, 16) << rate;
        double tail = 0;  // the last quarter second is still the tone
        for (std::size_t i = samples.size() - 4000; i < samples.size() - 100; ++i) tail += samples[i] * samples[i];
        EXPECT_GT(std::sqrt(tail / 3900), 0.05) << rate;  // the tone has an RMS of 0.088
    }
    auto cut = makeTone(dir, "cut.wav", 22050, 1, 4);
    std::filesystem::resize_file(cut, std::filesystem::file_size(cut) / 2);
    try {
        WhisperTranscriber::loadPCM16kMono(cut);
        FAIL();
    } catch (const CaptionError& e) {
        EXPECT_EQ(e.kind(), CaptionError::Case::transcriptionFailed);
    }
    EXPECT_THROW(WhisperTranscriber::loadPCM16kMono(dir / "missing.wav"), media::MediaError);
}

TEST_F(Whisper, TranscribesAVideoWithTheTinyModel)
{
    Reports reports;
    const auto words = WhisperTranscriber::transcribeWithModel(tinyModel, speechVideo, WhisperLanguage::find("en"), reports.handler(), {});
    ASSERT_GE(reports.items.size(), 2u);
    EXPECT_EQ(reports.items[0], (std::pair<std::string, double>{"Extracting audio", 0}));
    EXPECT_EQ(reports.items[1], (std::pair<std::string, double>{"Transcribing with Whisper", 0}));
    for (std::size_t i = 2; i < reports.items.size(); ++i) {
        EXPECT_EQ(reports.items[i].first, "Transcribing with Whisper");
        EXPECT_GE(reports.items[i].second, 0);
        EXPECT_LE(reports.items[i].second, 1);
    }
    // The tiny model's words are nonsense, but they keep the rules.
    EXPECT_TRUE(std::is_sorted(words.begin(), words.end(), [](const Word& a, const Word& b) { return a.start < b.start; }));
    for (const auto& w : words) {
        EXPECT_FALSE(w.text.empty());
        EXPECT_GE(w.start, 0);
        EXPECT_LE(w.end - w.start, 1.4 + 1e-9);
        EXPECT_GT(w.end, w.start);
        EXPECT_LE(w.end, 30.1);
    }
    EXPECT_EQ(test::entryCount(tmp.path()), 0u);
}

TEST_F(Whisper, CancellationStopsWhisperAndLeavesNoFile)
{
    // Already cancelled when the run starts (at our own stage report), and
    // cancelled while it runs (at whisper.cpp's first report, made on its
    // thread inside the run), with no race against how fast the run is.
    for (bool early : {true, false}) {
        CancelToken cancel;
        int reports = 0;
        auto progress = [&](const std::string& stage, double) {
            if (stage == "Transcribing with Whisper" && ++reports == (early ? 1 : 2)) cancel.cancel();
        };
        EXPECT_THROW(WhisperTranscriber::transcribeWithModel(tinyModel, speechVideo, WhisperLanguage::find("auto"), progress, cancel),
                     CancellationError);
        EXPECT_EQ(test::entryCount(tmp.path()), 0u);
    }
}

TEST_F(Whisper, ABrokenModelGivesTheFixedMessage)
{
    test::writeFile(tmp / "broken.bin", "not a model");
    try {
        WhisperTranscriber::transcribeWithModel(tmp / "broken.bin", speechVideo, WhisperLanguage::find("en"), nullptr, {});
        FAIL();
    } catch (const CaptionError& e) {
        EXPECT_EQ(e.message(), "The on-device speech engine couldn't transcribe this audio (couldn't load the Whisper model).");
    }
    std::filesystem::remove(tmp / "broken.bin");
    EXPECT_EQ(test::entryCount(tmp.path()), 0u);
}

TEST_F(Whisper, AVideoCutShortFailsInsteadOfGivingPartOfTheTranscript)
{
    // Index in front, as cameras write it, so a cut file still opens; the
    // picture takes most of the bytes, so cuts fall between sound packets,
    // and it is shorter than the sound, so every cut loses some of the sound.
    const auto whole = tmp / "whole.mp4";
    ASSERT_EQ(test::run("ffmpeg -v error -y -f lavfi -i testsrc=size=320x240:rate=10:duration=1.5 -f lavfi -i sine=frequency=300:duration=2 "
                        "-c:v libx264 -preset ultrafast -pix_fmt yuv420p -c:a aac -movflags +faststart " +
                        test::shellQuote(whole.string())),
              0);
    const auto cut = tmp / "cut.mp4";
    for (int percent : {30, 65, 95}) {
        std::filesystem::copy_file(whole, cut, std::filesystem::copy_options::overwrite_existing);
        std::filesystem::resize_file(cut, std::filesystem::file_size(whole) * percent / 100);
        try {
            WhisperTranscriber::transcribeWithModel(tinyModel, cut, WhisperLanguage::find("en"), nullptr, {});
            ADD_FAILURE() << "a cut at " << percent << " % gave a transcript";
        } catch (const CaptionError& e) {
            EXPECT_EQ(e.message().rfind("The on-device speech engine couldn't transcribe this audio (the audio could not be read to its end: ", 0), 0u)
                << percent << " %: " << e.message();
        }
    }
    std::filesystem::remove(whole);
    std::filesystem::remove(cut);
    EXPECT_EQ(test::entryCount(tmp.path()), 0u);
}

// ---- the model file and its download ------------------------------------

namespace {

void sparseFile(const std::filesystem::path& path, std::uintmax_t size)
{
    std::filesystem::create_directories(path.parent_path());
    test::writeFile(path, "");
    std::filesystem::resize_file(path, size);
}

// How often a file is opened, as the kernel reports it.
class OpenCount {
public:
    explicit OpenCount(const std::filesystem::path& file) : fd_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
    {
        // Closes are watched too, so that successive opens are never merged
        // into one event.
        if (fd_ < 0 || ::inotify_add_watch(fd_, file.c_str(), IN_OPEN | IN_CLOSE_NOWRITE) < 0)
            throw std::runtime_error("cannot watch " + file.string());
    }
    ~OpenCount() { ::close(fd_); }
    OpenCount(const OpenCount&) = delete;
    OpenCount& operator=(const OpenCount&) = delete;

    int opens()
    {
        int opens = 0;
        alignas(inotify_event) char buffer[4096];
        for (ssize_t got; (got = ::read(fd_, buffer, sizeof buffer)) > 0;)
            for (char* at = buffer; at < buffer + got;) {
                const auto* event = reinterpret_cast<const inotify_event*>(at);
                opens += (event->mask & IN_OPEN) ? 1 : 0;
                at += sizeof(inotify_event) + event->len;
            }
        return opens;
    }

private:
    int fd_;
};

// Puts `bytes` at `path` as a new file, as a download or a copy would.
void replaceFile(const std::filesystem::path& path, const std::string& bytes)
{
    const auto fresh = path.parent_path() / "fresh";
    test::writeFile(fresh, bytes);
    std::filesystem::rename(fresh, path);
}

}  // namespace

TEST_F(Whisper, ThePublishedModelIsKnownByItsAddressSizeAndDigest)
{
    const auto published = WhisperTranscriber::expectedModel();
    EXPECT_EQ(published.remote, WhisperTranscriber::modelRemote());
    EXPECT_EQ(WhisperTranscriber::modelRemote().rfind("https://", 0), 0u);
    EXPECT_TRUE(WhisperTranscriber::modelRemote().ends_with("/whisper.cpp/resolve/main/ggml-large-v3-turbo-q5_0.bin"));
    EXPECT_EQ(published.size, 574'041'195u);
    EXPECT_EQ(published.sha1, "e050f7970618a659205450ad97eb95a18d69c9ee");

    EXPECT_EQ(WhisperTranscriber::modelPath(), data / "Vellumtide/Models/ggml-large-v3-turbo-q5_0.bin");
    EXPECT_FALSE(WhisperTranscriber::isModelInstalled());
    EXPECT_FALSE(std::filesystem::exists(data / "Vellumtide/Models"));  // asking creates no Models folder
    // Large enough to pass for the model by its size alone, which is not enough.
    sparseFile(WhisperTranscriber::modelPath(), 400'000'001);
    EXPECT_FALSE(WhisperTranscriber::isModelInstalled());
    std::filesystem::resize_file(WhisperTranscriber::modelPath(), published.size);
    EXPECT_FALSE(WhisperTranscriber::isModelInstalled());  // the size, but no model's header
}

TEST_F(Whisper, InstalledMeansTheExpectedSizeHeaderAndDigestWorkedOutOncePerFile)
{
    const std::string good = "lmgg" + std::string(5000, 'w');
    test::writeFile(tmp / "model.bin", good);
    test::StandInModel model(tmp / "model.bin");
    const auto path = WhisperTranscriber::modelPath();
    const auto record = path.parent_path() / "ggml-large-v3-turbo-q5_0.bin.digest";
    model.install();
    EXPECT_TRUE(WhisperTranscriber::isModelInstalled());
    EXPECT_NE(test::readFile(record).find(*net::fileSha1(path)), std::string::npos);

    std::string sameSizeOtherBytes = good;
    sameSizeOtherBytes[3000] = 'x';
    const std::pair<const char*, std::string> others[] = {
        {"one byte differs", sameSizeOtherBytes},
        {"no model header", "LMGG" + good.substr(4)},
        {"one byte short", good.substr(0, good.size() - 1)},
        {"one byte more", good + "w"},
    };
    for (const auto& [name, bytes] : others) {
        replaceFile(path, bytes);
        EXPECT_FALSE(WhisperTranscriber::isModelInstalled()) << name;
        EXPECT_FALSE(WhisperTranscriber::isModelInstalled()) << name << ", asked again";
    }
    // A record of another file, or a damaged one, is not believed.
    replaceFile(path, good);
    EXPECT_TRUE(WhisperTranscriber::isModelInstalled());
    test::writeFile(record, "{\"sha1\": 12");
    EXPECT_TRUE(WhisperTranscriber::isModelInstalled());
    replaceFile(path, sameSizeOtherBytes);
    EXPECT_FALSE(WhisperTranscriber::isModelInstalled());
}

TEST_F(Whisper, AModelWhoseDigestCannotBeRecordedIsStillReadWholeOnlyOnce)
{
    test::writeFile(tmp / "model.bin", "lmgg" + std::string(5000, 'w'));
    test::StandInModel model(tmp / "model.bin");
    model.install();
    // As on a full disk: no record can be kept beside the model (a folder
    // stands where it would go).
    std::filesystem::create_directories(WhisperTranscriber::modelPath().parent_path() / "ggml-large-v3-turbo-q5_0.bin.digest");
    OpenCount opened(WhisperTranscriber::modelPath());
    constexpr int questions = 4;
    for (int i = 0; i < questions; ++i) EXPECT_TRUE(WhisperTranscriber::isModelInstalled());
    // Its first bytes may be looked at each time; the whole of it is read once.
    EXPECT_LE(opened.opens(), questions + 1);
}

TEST_F(Whisper, FailedDownloadsLeaveThePreviousFileAndNoPartialOne)
{
    TempDir served;
    const std::string expected = "lmgg" + std::string(300'000, 'm');
    test::writeFile(served / "expected.bin", expected);
    test::writeFile(served / "short.bin", expected.substr(0, 100'000));
    test::LocalHttpServer server(served.path());
    const auto model = WhisperTranscriber::modelPath();
    std::filesystem::create_directories(model.parent_path());
    test::writeFile(model, "previous");
    const auto failure = [&](const std::string& name) -> std::string {
        test::StandInModel standIn(served / "expected.bin", server.url(name));
        try {
            WhisperTranscriber::downloadModel(nullptr, {});
        } catch (const CaptionError& e) {
            return e.message();
        }
        return "no error";
    };
    EXPECT_EQ(failure("missing.bin"), "The on-device speech engine couldn't transcribe this audio (Whisper model download failed).");
    EXPECT_EQ(failure("short.bin"), "The on-device speech engine couldn't transcribe this audio (the downloaded Whisper model is incomplete).");
    {
        test::StandInModel unreachable(served / "expected.bin", "http://127.0.0.1:1/x");
        EXPECT_THROW(WhisperTranscriber::downloadModel(nullptr, {}), net::NetError);
    }
    EXPECT_EQ(test::readFile(model), "previous");
    EXPECT_EQ(test::entryCount(model.parent_path()), 1u);
}

TEST_F(Whisper, CancelledDownloadStopsReportingAndKeepsThePreviousFile)
{
    TempDir served;
    sparseFile(served / "model.bin", 400'000'001);
    test::LocalHttpServer server(served.path(), 4'000'000);  // slow enough to cancel
    test::StandInModel standIn(test::writeModelLookalike(served / "expected.bin"), server.url("model.bin"));
    const auto model = WhisperTranscriber::modelPath();
    std::filesystem::create_directories(model.parent_path());
    test::writeFile(model, "previous");
    CancelToken cancel;
    std::vector<double> fractions;
    EXPECT_THROW(WhisperTranscriber::downloadModel(
                     [&](double f) {
                         fractions.push_back(f);
                         if (fractions.size() == 3) cancel.cancel();
                     },
                     cancel),
                 CancellationError);
    EXPECT_EQ(fractions.size(), 3u);  // none after the cancellation
    EXPECT_EQ(test::readFile(model), "previous");
    EXPECT_EQ(test::entryCount(model.parent_path()), 1u);
}

TEST_F(Whisper, CompleteDownloadReplacesTheModelInOneStep)
{
    TempDir served;
    const std::string bytes = "lmgg" + std::string(3'000'000, 'w');
    test::writeFile(served / "model.bin", bytes);
    test::LocalHttpServer server(served.path(), 10'000'000);  // paced, so that progress is seen along the way
    test::StandInModel standIn(served / "model.bin", server.url("model.bin"));
    const auto model = WhisperTranscriber::modelPath();
    std::filesystem::create_directories(model.parent_path());
    test::writeFile(model, "older and smaller");
    std::vector<double> fractions;
    WhisperTranscriber::downloadModel([&](double f) { fractions.push_back(f); }, {});
    EXPECT_TRUE(WhisperTranscriber::isModelInstalled());
    EXPECT_EQ(test::readFile(model), bytes);
    EXPECT_EQ(test::entryCount(model.parent_path()), 2u);  // the model and the record of its digest
    ASSERT_GT(fractions.size(), 2u);
    EXPECT_TRUE(std::is_sorted(fractions.begin(), fractions.end()));
    EXPECT_EQ(fractions.back(), 1.0);
}

TEST_F(Whisper, TranscribeDownloadsOnlyAMissingModel)
{
    // Missing: the download comes first (here it cannot reach the server).
    {
        ScopedEnv proxy("https_proxy", "http://127.0.0.1:1");
        ScopedEnv allProxy("ALL_PROXY", "http://127.0.0.1:1");
        // ... whatever proxy exceptions the machine lists.
        ScopedEnv noProxy("no_proxy", std::nullopt);
        ScopedEnv noProxyUpper("NO_PROXY", std::nullopt);
        Reports reports;
        EXPECT_THROW(WhisperTranscriber::transcribe(speechVideo, WhisperLanguage::find("en"), reports.handler()), net::NetError);
        ASSERT_EQ(reports.items.size(), 1u);
        EXPECT_EQ(reports.items[0], (std::pair<std::string, double>{"Downloading Whisper model (one time, 574 MB)", 0}));
        EXPECT_FALSE(std::filesystem::exists(WhisperTranscriber::modelPath()));
    }
    // Installed (though unusable here): no download, extraction first.
    test::StandInModel standIn(test::writeModelLookalike(data / "lookalike.bin"));
    standIn.install();
    Reports reports;
    EXPECT_THROW(WhisperTranscriber::transcribe(speechVideo, WhisperLanguage::find("en"), reports.handler()), CaptionError);
    ASSERT_FALSE(reports.items.empty());
    EXPECT_EQ(reports.items[0].first, "Extracting audio");
    EXPECT_EQ(test::entryCount(tmp.path()), 0u);
}

// ---- spoken language -------------------------------------------------------

TEST(WhisperSpeechStart, FirstLoudWindowEndingBeforeTheLastSample)
{
    const auto samples = [](std::size_t count, std::size_t loudFrom, float level) {
        std::vector<float> s(count, 0.0f);
        for (std::size_t i = loudFrom; i < count; ++i) s[i] = (i % 2 ? level : -level);  // RMS = level
        return s;
    };
    EXPECT_EQ(WhisperTranscriber::speechStart(samples(40'000, 40'000, 0)), 0u);        // silent: from the start
    EXPECT_EQ(WhisperTranscriber::speechStart(samples(40'000, 8'000, 0.1f)), 8'000u);   // loud from 0.5 s
    EXPECT_EQ(WhisperTranscriber::speechStart(samples(40'000, 12'000, 0.1f)), 8'000u);  // half loud is loud enough
    EXPECT_EQ(WhisperTranscriber::speechStart(samples(40'000, 12'000, 0.025f)), 16'000u); // ... unless quiet
    EXPECT_EQ(WhisperTranscriber::speechStart(samples(16'000, 8'000, 0.1f)), 0u);       // last window ends at the last sample
    EXPECT_EQ(WhisperTranscriber::speechStart(samples(40'000, 16'000, 0.0199f)), 0u);   // the level must exceed 0.02
    EXPECT_EQ(WhisperTranscriber::speechStart(samples(40'000, 16'000, 0.0201f)), 16'000u);
    EXPECT_EQ(WhisperTranscriber::speechStart(samples(8'000, 0, 0.5f)), 0u);            // a single window is not searched
}

TEST_F(Whisper, DetectsALanguageFromTheFirstSpeech)
{
    const auto samples = WhisperTranscriber::loadPCM16kMono(test::sharedFixture("speech-en-11s.wav"));
    auto heard = WhisperTranscriber::detectLanguageWithModel(tinyModel, samples);
    ASSERT_TRUE(heard);
    EXPECT_FALSE(heard->code.empty());
    EXPECT_GE(heard->probability, 0);
    EXPECT_LE(heard->probability, 1);
    for (const auto& [code, p] : heard->all) EXPECT_GE(p, 0.01) << code;
    if (heard->probability >= 0.01) {
        EXPECT_EQ(heard->all.at(heard->code), heard->probability);
    }

    // Less than a second from the start of speech: no answer.
    EXPECT_FALSE(WhisperTranscriber::detectLanguageWithModel(tinyModel, std::vector<float>(15'999, 0.1f)));
    std::vector<float> late(492'800, 0.0f);  // 30.8 s, loud only from 30 s
    for (std::size_t i = 480'000; i < late.size(); ++i) late[i] = 0.3f;
    EXPECT_FALSE(WhisperTranscriber::detectLanguageWithModel(tinyModel, late));
    // A model that will not load.
    EXPECT_THROW(WhisperTranscriber::detectLanguageWithModel(tmp / "none.bin", samples), CaptionError);
}

TEST_F(Whisper, DetectionFromAFileNeedsTheInstalledModel)
{
    // Not installed: no answer, nothing extracted (the file is not even read).
    EXPECT_FALSE(WhisperTranscriber::detectLanguage(tmp / "missing.mp4"));
    const auto heard = WhisperTranscriber::detectLanguageWithModel(tinyModel, speechVideo);
    EXPECT_TRUE(heard);
    EXPECT_EQ(test::entryCount(tmp.path()), 0u);
}
