// The caption language and the translation to English: the checks, the
// preparation of a job for the TranslationRunner and its two endings.
#include "editor/EditorModel.h"

#include "speech/WhisperLanguage.h"
#include "speech/WhisperTranscriber.h"
#include "text/TranslationSupport.h"

#include <QTimer>

#include <chrono>

namespace vt {
namespace {

constexpr const char* kTranslating = "Translating to English\u2026";
constexpr const char* kReadingHindi = "Reading the Hindi\u2026";

// Newly heard words that fall inside a cut word stay cut: they are left out.
std::vector<Word> withoutCutTimes(std::vector<Word> heard, const std::vector<Word>& before)
{
    std::erase_if(heard, [&](const Word& w) {
        const double mid = (w.start + w.end) * 0.5;
        return std::any_of(before.begin(), before.end(), [&](const Word& cut) { return cut.deleted && mid >= cut.start && mid < cut.end; });
    });
    for (Word& w : heard) w.deleted = false;
    return heard;
}

}  // namespace

void EditorModel::setTranslationError(std::optional<std::string> message)
{
    set(translationError_, std::move(message), &EditorModel::translationErrorChanged);
}

void EditorModel::setCaptionLanguage(const std::string& id)
{
    if (id == "english" && !project_.translation) {
        translateToEnglish();
        return;
    }
    const bool before = usesTranslation();
    updateProject([&](Project& p) { p.captionLanguageID = id == "latin" ? std::nullopt : std::optional(id); });
    if (usesTranslation() != before) resetTranscriptEditing();
    emit stylePreviewsOutdated();
    visualChanged();
}

std::optional<std::string> EditorModel::translationUnavailableReason() const
{
    if (project_.voiceover && project_.voiceover->captionsFromVoice && !project_.voiceover->words.empty())
        return "Captions come from your voiceover.";
    if (CaptionTranslator::sourceLanguage(project_.localeID) == "en") return "This video is already in English.";
    if (!Translator::backend()->installed()) return std::string(Translator::notInstalled);
    if (CaptionTranslator::needsOriginalScript(project_.words, project_.localeID) && !WhisperTranscriber::isModelInstalled())
        return "Translating this video needs the Whisper model (to read the Hindi again).";
    return std::nullopt;
}

std::string EditorModel::currentTranslationBasis() const
{
    return CaptionTranslator::basis(project_.words, project_.trimPauses, project_.maxPause);
}

void EditorModel::translateToEnglish()
{
    if (translating_) return;
    setTranslationError(std::nullopt);
    if (auto reason = translationUnavailableReason()) {
        setTranslationError(std::move(reason));
        return;
    }
    set(translating_, true, &EditorModel::translatingChanged);
    set(translationStatus_, std::string(kTranslating), &EditorModel::translationStatusChanged);
    // What the job is made from is taken now, with the fingerprint of it, so
    // edits made while it runs show the result as out of date.
    QTimer::singleShot(0, this, [this, source = CaptionTranslator::sourceLanguage(project_.localeID), words = project_.words,
                                 locale = project_.localeID, spans = project_.spans(), basis = currentTranslationBasis()] {
        prepareTranslation(source, words, locale, spans, basis);
    });
}

void EditorModel::endTranslation(const std::string& error)
{
    set(translating_, false, &EditorModel::translatingChanged);
    setTranslationError(error);
}

void EditorModel::prepareTranslation(std::optional<std::string> source, std::vector<Word> words, std::string localeID,
                                     std::vector<ClipSpan> spans, std::string basis)
{
    if (tornDown_) return;
    if (source && !TranslationSupport::canTranslate(*source)) {
        endTranslation("The on-device translator can't translate " + TranslationSupport::displayName(*source) + " to English yet.");
        return;
    }
    const auto& table = WhisperLanguage::all();
    const auto hindi = std::find_if(table.begin(), table.end(), [](const WhisperLanguage& l) { return l.id == "hindi"; });
    if (!CaptionTranslator::needsOriginalScript(words, localeID) || hindi == table.end()) {
        publishTranslationJob(source, words, basis);
        return;
    }
    set(translationStatus_, std::string(kReadingHindi), &EditorModel::translationStatusChanged);
    inBackground([language = *hindi, spans, words, source, basis]() -> std::function<void(EditorModel&)> {
        std::vector<Word> heard;
        try {
            for (const ClipSpan& span : spans) {
                for (Word w : WhisperTranscriber::transcribe(span.clip.path, language, {})) {
                    w.start += span.start;
                    w.end += span.start;
                    heard.push_back(std::move(w));
                }
            }
        } catch (const std::exception& e) {
            return [message = std::string(e.what())](EditorModel& m) { m.endTranslation(message); };
        }
        return [kept = withoutCutTimes(std::move(heard), words), source, basis](EditorModel& m) {
            m.set(m.translationStatus_, std::string(kTranslating), &EditorModel::translationStatusChanged);
            m.publishTranslationJob(source, kept, basis);
        };
    });
}

void EditorModel::publishTranslationJob(const std::optional<std::string>& source, const std::vector<Word>& words,
                                        const std::string& basis)
{
    auto chunks = CaptionTranslator::chunks(
        words,
        [this](double t) {
            return std::any_of(plan_.segments.begin(), plan_.segments.end(),
                               [&](const EditPlan::Segment& s) { return s.sourceStart <= t && t < s.sourceEnd; });
        },
        CaptionTranslator::maxWords, CaptionTranslator::maxDuration);
    if (chunks.empty()) {
        endTranslation("There's no speech left to translate.");
        return;
    }
    set(translationJob_, std::optional(TranslationJob{Uuid::random(), source, std::move(chunks), basis}),
        &EditorModel::translationJobChanged);
}

void EditorModel::finishTranslation(TranslationJob job, const std::vector<std::string>& english)
{
    if (!translationJob_ || translationJob_->id != job.id) return;
    set(translationJob_, std::optional<TranslationJob>(), &EditorModel::translationJobChanged);
    set(translating_, false, &EditorModel::translatingChanged);
    std::vector<Word> words = CaptionTranslator::words(job.chunks, english);
    if (words.empty()) {
        setTranslationError(std::string("The translation came back empty."));
        return;
    }
    updateProject([&](Project& p) {
        p.translation = CaptionTranslation{std::move(words), job.source, job.basis, std::chrono::system_clock::now()};
        p.captionLanguageID = "english";
    });
    resetTranscriptEditing();
    emit stylePreviewsOutdated();
    visualChanged();
}

void EditorModel::failTranslation(const TranslationJob& job, const std::string& message)
{
    if (!translationJob_ || translationJob_->id != job.id) return;
    set(translationJob_, std::optional<TranslationJob>(), &EditorModel::translationJobChanged);
    set(translating_, false, &EditorModel::translatingChanged);
    setTranslationError(message);
}

}  // namespace vt
