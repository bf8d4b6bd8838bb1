#include "speech/Transcriber.h"

#include "platform/TextRules.h"
#include "platform/Uuid.h"
#include "platform/media/AudioAsset.h"
#include "platform/media/MediaError.h"
#include "platform/recognizer/SpeechAnalyzer.h"
#include "platform/recognizer/SpeechModels.h"
#include "speech/AnalyzerPath.h"
#include "speech/LegacyPath.h"
#include "speech/SpeechText.h"

#include <algorithm>
#include <cstdlib>

namespace vt {

namespace {

constexpr double secondsPerLetter = 0.085;
constexpr double baseSeconds = 0.3;
constexpr double longestSeconds = 1.4;
constexpr std::u32string_view sentenceEnders = U".?!\u2026";

bool legacyForced() { return std::getenv(std::string(Transcriber::legacySpeechVariable).c_str()) != nullptr; }

std::vector<Word> runChosenPath(const std::filesystem::path& url, const std::string& localeID, double duration,
                                const ProgressHandler& progress, const CancelToken& cancel)
{
    // This platform counts as the newer one: the analyzer runs unless the
    // environment asks for the legacy recognizer.
    if (legacyForced()) return speech::runLegacy(url, localeID, duration, progress, cancel);
    return speech::runAnalyzer(url, localeID, duration, progress, cancel);
}

}  // namespace

std::vector<Word> Transcriber::transcribe(const std::filesystem::path& url, const std::string& localeID, double duration,
                                          const ProgressHandler& progress, const CancelToken& cancel)
{
    const Authorization system{recognizer::SpeechAuthorization::status, recognizer::SpeechAuthorization::request};
    return runWithRetry([&] { return runChosenPath(url, localeID, duration, progress, cancel); }, system);
}

std::vector<Word> Transcriber::runWithRetry(const std::function<std::vector<Word>()>& runPath, const Authorization& authorization)
{
    try {
        return runPath();
    } catch (const CaptionError&) {
        throw;
    } catch (const CancellationError&) {
        throw;
    } catch (...) {
        if (authorization.status() != recognizer::AuthorizationStatus::notDetermined) throw describe(std::current_exception());
    }
    authorization.request();
    try {
        return runPath();
    } catch (const CancellationError&) {
        throw;
    } catch (...) {
        throw describe(std::current_exception());
    }
}

CaptionError Transcriber::describe(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const CaptionError& e) {
        return e;
    } catch (const std::exception& e) {
        const std::string text = e.what() ? e.what() : "";
        return CaptionError::transcriptionFailed(text.empty() ? "no details from the system" : text);
    } catch (...) {
    }
    return CaptionError::transcriptionFailed("no details from the system");
}

double Transcriber::fraction(double end, double duration) { return std::min(duration > 1 ? end / duration : end, 1.0); }

std::filesystem::path Transcriber::extractAudio(const std::filesystem::path& from, const CancelToken& cancel)
{
    media::AudioAsset asset(from);
    if (asset.audioTrackCount() == 0) throw CaptionError::noAudioTrack();
    if (!asset.canExportM4A()) throw CaptionError::exportFailed("Couldn't read the audio track.");
    const auto out = std::filesystem::temp_directory_path() / (Uuid::random().text() + ".m4a");
    try {
        asset.exportM4A(out, cancel);
    } catch (const media::MediaError& error) {
        throw readFailure(error.what());
    }
    return out;
}

CaptionError Transcriber::readFailure(const std::string& detail)
{
    return CaptionError::transcriptionFailed("the audio could not be read to its end: " + detail);
}

std::vector<std::string> Transcriber::supportedLocales()
{
    std::vector<std::pair<std::string, std::string>> named;  // display name, identifier
    for (const auto& locale : recognizer::SpeechTranscriber::supportedLocales())
        named.emplace_back(recognizer::displayName(locale).value_or(locale), locale);
    // UTF-8 byte order is code-point order.
    std::stable_sort(named.begin(), named.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> locales;
    for (auto& [name, locale] : named) locales.push_back(std::move(locale));
    return locales;
}

void Transcriber::tightenTimings(std::vector<Word>& words)
{
    for (auto& word : words) {
        const auto letters = std::max<std::size_t>(speech::letterOrNumberCount(word.text), 1);
        const double limit = std::min(double(letters) * secondsPerLetter + baseSeconds, longestSeconds);
        if (word.end - word.start <= limit) continue;
        const std::u32string trimmed = text::toUtf32(text::trimWhitespace(word.text));
        if (!trimmed.empty() && sentenceEnders.find(trimmed.back()) != std::u32string_view::npos)
            word.end = word.start + limit;
        else
            word.start = word.end - limit;
    }
}

}  // namespace vt
