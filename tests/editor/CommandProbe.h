#pragma once
// What one editor command did: how many undo steps it recorded and which
// refresh it asked for (a player rebuild for a new cut, a picture refresh
// for a visual change, or none).

#include "EditorFakes.h"

#include <functional>
#include <ostream>

namespace vt::test {

enum class Refresh { none, visual, timeline };

inline std::ostream& operator<<(std::ostream& out, Refresh r)
{
    return out << (r == Refresh::none ? "none" : r == Refresh::visual ? "visual" : "timeline");
}

struct Outcome {
    int undoSteps = 0;
    Refresh refresh = Refresh::none;
    bool projectWritten = false;
};

inline Outcome observe(EditorRig& rig, const std::function<void()>& command)
{
    rig.clock->advance(1);  // let earlier refreshes settle
    const auto depth = static_cast<int>(rig->undoDepth());
    const int rebuilds = rig.player->rebuilds, refreshes = rig.player->refreshes;
    const Project before = rig->project();
    bool written = false;
    auto connection = QObject::connect(rig.model.get(), &EditorModel::projectChanged, [&] { written = true; });
    command();
    QObject::disconnect(connection);
    rig.clock->advance(1);
    Outcome out;
    out.undoSteps = static_cast<int>(rig->undoDepth()) - depth;
    out.refresh = rig.player->rebuilds != rebuilds       ? Refresh::timeline
                  : rig.player->refreshes != refreshes ? Refresh::visual
                                                       : Refresh::none;
    out.projectWritten = written;
    return out;
}

// A transcript of the given texts, one second each from 1.0 s.
inline Project projectOf(const std::vector<std::string>& texts)
{
    Project p = sampleProject(0);
    for (std::size_t i = 0; i < texts.size(); ++i)
        p.words.push_back(word(texts[i], 1.0 + static_cast<double>(i), 2.0 + static_cast<double>(i)));
    p.sourceDuration = 2.0 + static_cast<double>(texts.size());
    return p;
}

inline std::vector<std::string> textsOf(const std::vector<Word>& words)
{
    std::vector<std::string> out;
    for (const Word& w : words) out.push_back(w.text);
    return out;
}

}  // namespace vt::test
