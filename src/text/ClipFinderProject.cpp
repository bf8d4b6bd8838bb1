// One found clip as a project of its own.
#include "text/ClipFinder.h"

#include "model/Timeline.h"
#include "platform/TextRules.h"
#include "text/HookGenerator.h"

#include <algorithm>
#include <chrono>

namespace vt {
namespace {

constexpr std::size_t kNameTitle = 40;  // characters of the clip title in the name

bool within(double t, double s, double e) { return t >= s && t <= e; }

}  // namespace

Project ClipFinder::project(const Clip& clip, const Project& source)
{
    const double s = clip.start, e = clip.end;
    Project p = source;
    p.id = Uuid::random();
    std::string title = clip.title;
    const std::vector<std::string> chars = text::characters(title);
    if (chars.size() > kNameTitle) {
        title.clear();
        for (std::size_t i = 0; i < kNameTitle; ++i) title += chars[i];
        title += "\u2026";
    }
    p.name = source.name + " \u00b7 " + title;
    p.createdAt = std::chrono::system_clock::now();
    p.updatedAt = std::chrono::system_clock::now();
    p.sourceRange = ClosedRange<double>{s, e};
    p.words.clear();
    for (const Word& w : source.words)
        if (within((w.start + w.end) / 2, s, e)) p.words.push_back(w);
    p.hooks = HookGenerator::fromTranscript(p.words);
    p.aspect = OutputAspect::vertical;
    p.reframe = ReframeMode::smart;
    p.trimPauses = true;
    p.hookOverlay.reset();
    p.aiHooks.clear();
    p.postCaption.clear();
    p.postCopy.reset();
    p.translation.reset();
    p.voiceover.reset();
    if (p.brolls) {
        auto has = [&](const Uuid& id) {
            return std::any_of(p.words.begin(), p.words.end(), [&](const Word& w) { return w.id == id; });
        };
        std::erase_if(*p.brolls, [&](const BRoll& b) { return !(has(b.startWordID) && has(b.endWordID)); });
    }
    Timeline::migrate(p);
    if (p.matchCuts)
        std::erase_if(*p.matchCuts, [&](const MatchCut& m) { return m.start && !within(*m.start, s, e); });
    if (p.motions) std::erase_if(*p.motions, [&](const MotionEffect& m) { return !within(m.start, s, e); });
    return p;
}

}  // namespace vt
