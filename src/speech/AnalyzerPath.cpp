#include "speech/AnalyzerPath.h"

#include "platform/TextRules.h"
#include "platform/media/AudioConverter.h"
#include "platform/media/AudioFileReader.h"
#include "platform/media/MediaError.h"
#include "speech/SpeechText.h"
#include "speech/TemporaryFile.h"

#include <unicode/uchar.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <future>
#include <thread>

namespace vt::speech {

namespace {

constexpr std::int64_t feedFrames = 32'768;
constexpr std::int64_t outputSlackFrames = 4'096;
constexpr double untimedWordSeconds = 0.2;

Word newWord(std::string text, double start, double end)
{
    Word word;
    word.id = Uuid::random();
    word.text = std::move(text);
    word.start = start;
    word.end = end;
    return word;
}

// Recognised text breaks into tokens at every kind of white space, line
// breaks included (unlike trimming, which takes only spaces and tabs).
bool isWhiteSpace(char32_t c) { return u_isUWhiteSpace(UChar32(c)); }

std::vector<std::string> tokens(const std::u32string& text)
{
    std::vector<std::string> out;
    std::u32string current;
    for (char32_t c : text) {
        if (isWhiteSpace(c)) {
            if (!current.empty()) out.push_back(text::toUtf8(current));
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty()) out.push_back(text::toUtf8(current));
    return out;
}

bool usable(const std::optional<recognizer::AudioTimeRange>& range)
{
    return range && std::isfinite(range->start) && std::isfinite(range->duration);
}

}  // namespace

void appendResult(const recognizer::TranscriptionResult& result, std::vector<Word>& words)
{
    bool firstRun = true;
    bool previousEndedWithSpace = true;
    for (const auto& run : result.text) {
        const std::u32string chars = text::toUtf32(run.text);
        const auto pieces = tokens(chars);
        if (pieces.empty()) {
            if (!chars.empty()) previousEndedWithSpace = isWhiteSpace(chars.back());
            firstRun = false;
            continue;
        }
        const bool startsWithSpace = isWhiteSpace(chars.front());
        const bool boundary = firstRun || previousEndedWithSpace;
        const bool timed = usable(run.audioTimeRange);

        // Token spans: the run's time split in proportion to character counts.
        std::vector<std::pair<double, double>> spans;
        if (timed) {
            double total = 0;
            std::vector<double> weights;
            for (const auto& token : pieces) {
                weights.push_back(double(std::max<std::size_t>(text::characterCount(token), 1)));
                total += weights.back();
            }
            double start = run.audioTimeRange->start;
            for (double weight : weights) {
                const double end = start + run.audioTimeRange->duration * weight / total;
                spans.emplace_back(start, end);
                start = end;
            }
        }

        for (std::size_t i = 0; i < pieces.size(); ++i) {
            const std::string& token = pieces[i];
            if (!hasLetterOrNumber(token)) {
                if (!words.empty() && !endsWithPunctuation(words.back().text)) words.back().text += firstCharacter(token);
            } else if (words.empty()) {
                words.push_back(timed ? newWord(token, spans[i].first, spans[i].second) : newWord(token, 0, untimedWordSeconds));
            } else if (i == 0 && !startsWithSpace && !boundary) {
                Word& last = words.back();
                last.text += token;
                if (timed) last.end = std::max(last.end, spans[i].second);
            } else if (i == 0 && !timed) {
                words.back().text += " " + token;
            } else if (timed) {
                words.push_back(newWord(token, spans[i].first, spans[i].second));
            } else {
                const double start = words.back().end;
                words.push_back(newWord(token, start, start + untimedWordSeconds));
            }
        }
        previousEndedWithSpace = isWhiteSpace(chars.back());
        firstRun = false;
    }
}

// ---- feeder ---------------------------------------------------------------

struct AudioFeeder::State {
    media::AudioFileReader& reader;
    media::AudioConverter converter;
    recognizer::AnalyzerInputStream& stream;
    std::atomic<bool> stop{false};
    std::exception_ptr failure;  // written by the thread, read after join
    std::thread thread;

    State(media::AudioFileReader& r, const media::AudioFormat& target, recognizer::AnalyzerInputStream& s)
        : reader(r), converter(r.processingFormat(), target), stream(s)
    {
    }

    void run()
    {
        try {
            const double ratio = double(converter.outputFormat().sampleRate) / converter.inputFormat().sampleRate;
            const auto capacity = static_cast<std::int64_t>(ratio * feedFrames) + outputSlackFrames;
            while (!stop) {
                media::AudioBuffer pending;
                if (!reader.atEnd()) pending = reader.read(feedFrames);
                if (pending.frameLength() > 0) {
                    send(converter.convert(pending, capacity));
                    continue;
                }
                // The input is exhausted: whatever the converter holds is the end.
                for (auto rest = converter.flush(capacity); rest.frameLength() > 0; rest = converter.flush(capacity)) send(std::move(rest));
                break;
            }
        } catch (const media::MediaError& error) {
            failure = std::make_exception_ptr(Transcriber::readFailure(error.what()));
        } catch (...) {
            failure = std::current_exception();
        }
        stream.finish();
    }

    void send(media::AudioBuffer buffer)
    {
        if (buffer.frameLength() > 0) stream.yield(std::move(buffer));
    }
};

AudioFeeder::AudioFeeder(media::AudioFileReader& reader, const media::AudioFormat& target, recognizer::AnalyzerInputStream& stream)
{
    try {
        state_ = std::make_unique<State>(reader, target, stream);
    } catch (const media::MediaError&) {
        throw CaptionError::transcriptionFailed("can't convert audio from " + media::describe(reader.processingFormat()) + " to " +
                                                media::describe(target));
    }
    state_->thread = std::thread([state = state_.get()] { state->run(); });
}

AudioFeeder::~AudioFeeder()
{
    state_->stop = true;
    if (state_->thread.joinable()) state_->thread.join();
}

void AudioFeeder::finish()
{
    if (state_->thread.joinable()) state_->thread.join();
    if (state_->failure) std::rethrow_exception(state_->failure);
}

// ---- the path ---------------------------------------------------------------

namespace {

// Collects the transcriber's results on a thread of its own.
class Collector {
public:
    Collector(recognizer::ResultSequence& results, double duration, const ProgressHandler& progress)
    {
        thread_ = std::thread([this, &results, duration, &progress] {
            std::vector<Word> words;
            try {
                while (auto result = results.next()) {
                    appendResult(*result, words);
                    const double end = result->range.start + result->range.duration;
                    if (progress) progress(std::string(Transcriber::transcribingStage), Transcriber::fraction(end, duration));
                }
                outcome_.set_value(std::move(words));
            } catch (...) {
                outcome_.set_exception(std::current_exception());
            }
        });
    }
    ~Collector()
    {
        if (thread_.joinable()) thread_.join();
    }
    std::vector<Word> words()
    {
        thread_.join();
        return outcome_.get_future().get();
    }

private:
    std::promise<std::vector<Word>> outcome_;
    std::thread thread_;
};

}  // namespace

std::vector<Word> runAnalyzer(const std::filesystem::path& url, const std::string& localeID, double duration,
                              const ProgressHandler& progress, const CancelToken& cancel)
{
    const auto report = [&](std::string_view stage, double fraction) {
        if (progress) progress(std::string(stage), fraction);
    };
    if (!recognizer::SpeechTranscriber::isAvailable()) throw CaptionError::speechUnavailable();
    const auto locale = recognizer::SpeechTranscriber::supportedLocale(localeID);
    if (!locale) throw CaptionError::localeUnsupported(localeID);

    report(Transcriber::extractingStage, 0);
    const TemporaryFile audio(Transcriber::extractAudio(url, cancel));
    // The model is installed with the recognizer's package, so there is
    // never a model to download here.
    recognizer::SpeechTranscriber transcriber(*locale);

    report(Transcriber::transcribingStage, 0);
    media::AudioFileReader reader(audio.path());
    // The collector is declared before the analyzer so that, on every exit,
    // the analyzer goes first: its end ends the results the collector awaits.
    std::optional<Collector> collector;
    recognizer::SpeechAnalyzer analyzer(transcriber);
    collector.emplace(transcriber.results(), duration, progress);
    const auto format = recognizer::SpeechAnalyzer::bestAvailableAudioFormat(reader.processingFormat());
    recognizer::AnalyzerInputStream stream;
    AudioFeeder feeder(reader, format, stream);

    const auto last = analyzer.analyzeSequence(stream, cancel);
    try {
        feeder.finish();
    } catch (...) {
        analyzer.cancelAndFinishNow();
        throw;
    }
    if (last)
        analyzer.finalizeAndFinish(*last);
    else
        analyzer.cancelAndFinishNow();

    std::vector<Word> words = collector->words();
    cancel.throwIfCancelled();  // stopped while the last phrase was decoded
    std::stable_sort(words.begin(), words.end(), [](const Word& a, const Word& b) { return a.start < b.start; });
    Transcriber::tightenTimings(words);
    return words;
}

}  // namespace vt::speech
