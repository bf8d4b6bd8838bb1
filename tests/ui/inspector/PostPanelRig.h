#pragma once
// A generated project for the Post tab and the post checklist: a short
// test-pattern video made with ffmpeg and read by the real clip media
// service, spoken words with three fillers in them, a fake player and a
// manual clock, in throw-away data and settings folders; the export action
// runs over a small generated export host.

#include "editor/ClipMediaService.h"
#include "editor/EditorFakes.h"
#include "export/ExportAction.h"
#include "export/FakeExportHost.h"
#include "support/Waits.h"

#include <QTest>

#include <functional>
#include <stdexcept>
#include <sstream>

namespace vt::test {

inline const char* kSpokenPost =
    "So um today I want to show you the fastest way to brew coffee at home. You uh only need a kettle and "
    "a grinder. Hmm the whole thing takes three minutes and it tastes better than the cafe.";

// Words 0.3 s apart from the text.
inline std::vector<Word> spokenWords(const std::string& text)
{
    std::vector<Word> words;
    std::istringstream in(text);
    std::string piece;
    double t = 0.2;
    while (in >> piece) {
        words.push_back(word(piece, t, t + 0.25));
        t += 0.3;
    }
    return words;
}

struct PostPanelRig {
    TempDir dir;
    ScopedEnv data{"XDG_DATA_HOME", (dir.path() / "data").string()};
    ScopedEnv config{"XDG_CONFIG_HOME", (dir.path() / "config").string()};
    std::shared_ptr<ManualClock> clock = std::make_shared<ManualClock>();
    std::filesystem::path video = dir.path() / "talk.mp4";
    std::unique_ptr<EditorModel> editor;
    FakeExportHost host;
    std::unique_ptr<ExportAction> action;

    explicit PostPanelRig(const std::function<void(Project&)>& shape = {})
    {
        Project p = sampleProject();
        p.words = spokenWords(kSpokenPost);
        p.sourceDuration = p.words.back().end + 0.5;
        run("ffmpeg -v error -y -f lavfi -i testsrc2=size=108x192:rate=10 -t " + std::to_string(p.sourceDuration) +
            " -c:v libx264 -pix_fmt yuv420p " + shellQuote(video.string()));
        p.videoPath = video.string();
        if (shape) shape(p);
        editor = std::make_unique<EditorModel>(std::move(p), nullptr,
                                               EditorServices{std::make_shared<FakePlayer>(),
                                                              std::make_shared<ClipMediaService>(), nullptr, nullptr,
                                                              clock});
        if (!test::waitFor([&] { return !editor->isLoading(); }))
            throw std::runtime_error("the generated project did not load");
        action = std::make_unique<ExportAction>(host);
    }
    EditorModel& operator*() { return *editor; }
    EditorModel* operator->() { return editor.get(); }
};

}  // namespace vt::test
