// The hook and post-text actions: a hook line on screen, hook lines from the
// on-device language model, and post texts by the model or by rules.
#include "editor/EditorModel.h"

#include "platform/LanguageModel.h"
#include "text/HookGenerator.h"
#include "text/PostCopyWriter.h"

namespace vt {
namespace {

constexpr double kNewHookSeconds = 3.0;

// The posted texts: where the user changed a text while the model wrote,
// their text stays; elsewhere the new one goes in.
PostCopy merged(PostCopy written, const std::optional<PostCopy>& before, const std::optional<PostCopy>& now)
{
    const PostCopy none;
    const PostCopy& was = before ? *before : none;
    const PostCopy& is = now ? *now : none;
    for (std::string PostCopy::*field : {&PostCopy::youtubeTitle, &PostCopy::youtubeDescription, &PostCopy::instagram,
                                         &PostCopy::tiktok, &PostCopy::x})
        if (is.*field != was.*field) written.*field = is.*field;
    return written;
}

}  // namespace

void EditorModel::useHook(const std::string& line)
{
    const double duration = project_.hookOverlay ? project_.hookOverlay->duration : kNewHookSeconds;
    updateProject([&](Project& p) { p.hookOverlay = HookOverlay{line, duration}; });
    setThumbText(line);
    visualChanged();
}

void EditorModel::setHookOverlay(std::optional<HookOverlay> overlay)
{
    updateProject([&](Project& p) { p.hookOverlay = std::move(overlay); });
    visualChanged();
}

void EditorModel::generateAIHooks()
{
    set(aiBusy_, true, &EditorModel::aiBusyChanged);
    set(aiError_, std::optional<std::string>(), &EditorModel::aiErrorChanged);
    inBackground([transcript = plainText(transcript())]() -> std::function<void(EditorModel&)> {
        try {
            std::vector<std::string> lines = HookGenerator::aiHooks(transcript);
            return [lines = std::move(lines)](EditorModel& m) {
                m.updateProject([&](Project& p) { p.aiHooks = lines; });
                m.set(m.aiBusy_, false, &EditorModel::aiBusyChanged);
            };
        } catch (const std::exception& e) {
            return [message = std::string(e.what())](EditorModel& m) {
                m.set(m.aiError_, std::optional(message), &EditorModel::aiErrorChanged);
                m.set(m.aiBusy_, false, &EditorModel::aiBusyChanged);
            };
        }
    });
}

std::vector<Word> EditorModel::keptWords(const std::vector<Word>& words) const
{
    std::vector<Word> kept;
    for (const Word& w : words) {
        if (w.deleted) continue;
        const double mid = (w.start + w.end) / 2;
        const bool inPlan = std::any_of(plan_.segments.begin(), plan_.segments.end(),
                                        [&](const EditPlan::Segment& s) { return s.sourceStart <= mid && mid < s.sourceEnd; });
        if (inPlan) kept.push_back(w);
    }
    return kept;
}

void EditorModel::writePostCopy(bool english)
{
    set(postBusy_, true, &EditorModel::postBusyChanged);
    set(postNote_, std::optional<std::string>(), &EditorModel::postNoteChanged);
    const bool useTranslation = english && project_.translation.has_value();
    const std::vector<Word> words = keptWords(useTranslation ? project_.translation->words : project_.words);
    std::optional<std::string> hook;
    if (!useTranslation && !english && project_.hookOverlay) hook = project_.hookOverlay->text;

    if (!HookGenerator::aiStatus().available) {
        if (english && !useTranslation)
            set(postNote_, std::optional<std::string>("For English posts, translate the captions first (Styles \u203a Captions look like \u203a English translation)."),
                &EditorModel::postNoteChanged);
        const PostCopy post = PostCopyWriter::draft(words, hook, useTranslation);
        updateProject([&](Project& p) { p.postCopy = post; });
        set(postBusy_, false, &EditorModel::postBusyChanged);
        return;
    }
    inBackground([words, hook, english, useTranslation, before = project_.postCopy]() -> std::function<void(EditorModel&)> {
        std::optional<PostCopy> written;
        std::optional<std::string> note;
        try {
            written = PostCopyWriter::aiDraft(plainText(words), hook, english);
        } catch (const std::exception& e) {
            note = std::string("The on-device language model couldn't write these (") + e.what() + "), so they come from your transcript.";
            written = PostCopyWriter::draft(words, hook, useTranslation);
        }
        return [post = std::move(*written), note = std::move(note), before](EditorModel& m) {
            if (note) m.set(m.postNote_, note, &EditorModel::postNoteChanged);
            m.updateProject([&](Project& p) { p.postCopy = merged(post, before, p.postCopy); });
            m.set(m.postBusy_, false, &EditorModel::postBusyChanged);
        };
    });
}

}  // namespace vt
