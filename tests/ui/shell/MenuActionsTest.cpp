#include "ShellRig.h"

#include "app/MenuCommands.h"

#include <QImage>
#include <QMenuBar>

#include <functional>
#include <map>
#include <set>

namespace vt {
namespace {

using test::FileDialogAnswer;
using test::Shell;

template <typename T>
std::size_t countOf(const std::optional<std::vector<T>>& list)
{
    return list ? list->size() : 0;
}

// Where an item starts on the output, -1 when it is not placed.
double startOf(const EditorModel& editor, const std::optional<TimelineItem>& item)
{
    const auto at = item ? editor.span(*item) : std::nullopt;
    return at ? at->first : -1;
}

// Every item of a menu and its submenus by title as written, a submenu's
// items after its title and " › " (the Timeline menu has two "Zoom In").
void collectItems(QMenu& menu, const QString& prefix, std::map<QString, QAction*>& into)
{
    for (QAction* action : menu.actions()) {
        if (action->isSeparator()) continue;
        const QString title = action->text().replace("&&", "&");
        if (action->menu()) collectItems(*action->menu(), prefix + title + " › ", into);
        else into[prefix + title] = action;
    }
}

QMenu* menuTitled(QMenuBar& bar, const QString& title)
{
    for (QAction* action : bar.actions())
        if (action->text() == title) return action->menu();
    return nullptr;
}

struct Fixture {
    Shell shell;
    QString moreClip, introClip, photo, tone;
    EditorModel* editor = nullptr;
    std::size_t count = 0;  // what a case counted before its item was chosen

    Fixture()
    {
        const auto& dir = shell.home.dir;
        moreClip = QString::fromStdString(test::makeClip(dir / "more.mp4", std::nullopt, 2).string());
        introClip = QString::fromStdString(test::makeClip(dir / "intro.mp4", std::nullopt, 2).string());
        QImage picture(64, 48, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        photo = QString::fromStdString((dir / "photo.png").string());
        picture.save(photo);
        tone = QString::fromStdString((dir / "tone.wav").string());
        test::run("ffmpeg -v error -y -f lavfi -i sine=frequency=440:duration=1 " + test::shellQuote(tone.toStdString()));
        shell.openProject(6);
        editor = shell.app.editor();
    }
    // A paused playhead at `t`, on a player that has settled.
    void pausedAt(double t)
    {
        if (editor->isPlaying()) editor->shuttle(0);
        editor->seekExactly(t);
    }
    // A camera move at 1 s, selected, with the playhead at 3 s.
    void selectedMoveAndPlayheadAt3()
    {
        pausedAt(1);
        editor->addMotion(MotionEffect::Kind::shake, 1);
        pausedAt(3);
    }
    // The playhead after 300 ms of the player's clock: time reports must not
    // put it back.
    double playheadAfterReports()
    {
        QTest::qWait(300);
        return editor->currentTime();
    }
};

struct Case {
    QString title;
    std::function<void(Fixture&)> before;
    std::function<void(Fixture&)> check;
    QString Fixture::*file = nullptr;  // answered in the file dialog
};

// Every item of the Playback and Timeline menus, chosen in the real window
// with a project open, changes the model as its title says.
TEST(MenuActions, EveryPlaybackAndTimelineItemActs)
{
    Fixture f;
    ASSERT_TRUE(f.editor);
    ASSERT_TRUE(f.shell.waitForPlayer());
    EditorModel& e = *f.editor;
    const auto motionsOf = [&](MotionEffect::Kind kind) {
        std::size_t n = 0;
        for (const MotionEffect& m : e.project().motions.value_or(std::vector<MotionEffect>{})) n += m.kind == kind;
        return n;
    };

    std::vector<Case> cases{
        {"Play or Pause  (Space)", [](Fixture& f) { f.pausedAt(1.5); },
         [](Fixture& f) {
             EXPECT_TRUE(f.editor->isPlaying());
             EXPECT_TRUE(QTest::qWaitFor([&] { return f.editor->currentTime() > 1.6; }, 30000)) << "the player runs";
             f.editor->togglePlay();
         }},
        {"Play Backward  (J)", [](Fixture& f) { f.pausedAt(3.5); },
         [](Fixture& f) {
             EXPECT_FALSE(f.editor->isPlaying());
             EXPECT_NEAR(f.playheadAfterReports(), 1.5, 0.01);  // two seconds back, and held
         }},
        {"Pause  (K)",
         [](Fixture& f) {
             f.pausedAt(1);
             f.editor->togglePlay();
         },
         [](Fixture& f) {
             EXPECT_FALSE(f.editor->isPlaying());
             const double at = f.playheadAfterReports();
             EXPECT_EQ(f.playheadAfterReports(), at);  // the player stands still
             EXPECT_FALSE(f.editor->isPlaying());
         }},
        {"Play Forward, Faster Each Press  (L)", [](Fixture& f) { f.pausedAt(MenuCommands::endTime(f.editor->plan())); },
         [](Fixture& f) {
             // At the end it plays the video again from the start.
             EXPECT_TRUE(f.editor->isPlaying());
             EXPECT_LT(f.editor->currentTime(), 1);
             f.editor->shuttle(0);
         }},
        {"Go to Start", [](Fixture& f) { f.pausedAt(3); },
         [](Fixture& f) { EXPECT_NEAR(f.playheadAfterReports(), 0, 0.01); }},
        {"Go to End", [](Fixture& f) { f.pausedAt(1); },
         [](Fixture& f) {
             const double end = MenuCommands::endTime(f.editor->plan());
             EXPECT_GT(end, 5);
             EXPECT_NEAR(f.playheadAfterReports(), end, 0.01);
         }},
        {"Add a Clip at the End…", [](Fixture& f) { f.pausedAt(1); },
         [](Fixture& f) {
             ASSERT_TRUE(QTest::qWaitFor([&] { return f.editor->project().videoClips().size() == 2; }, 30000));
             EXPECT_EQ(QString::fromStdString(f.editor->project().videoClips().back().path), f.moreClip);
         },
         &Fixture::moreClip},
        {"Add a Clip at the Start…", [](Fixture& f) { f.pausedAt(1); },
         [](Fixture& f) {
             ASSERT_TRUE(QTest::qWaitFor([&] { return f.editor->project().videoClips().size() == 3; }, 30000));
             EXPECT_EQ(QString::fromStdString(f.editor->project().videoClips().front().path), f.introClip);
         },
         &Fixture::introClip},
        {"Put a Video or Photo On Top…", [](Fixture& f) { f.pausedAt(2.5); },
         [](Fixture& f) {
             ASSERT_TRUE(QTest::qWaitFor([&] { return countOf(f.editor->project().brolls) == 1; }, 30000));
             EXPECT_TRUE(f.editor->project().brolls->front().isImage);
             EXPECT_NEAR(startOf(*f.editor, f.editor->timelineSelection()), 2.5, 0.01);
         },
         &Fixture::photo},
        {"Add Audio…", [](Fixture& f) { f.pausedAt(2); },
         [](Fixture& f) {
             ASSERT_TRUE(QTest::qWaitFor([&] { return countOf(f.editor->project().sounds) == 1; }, 30000));
             EXPECT_NEAR(startOf(*f.editor, f.editor->timelineSelection()), 2, 0.01);
         },
         &Fixture::tone},
        {"Add a Match Cut", [](Fixture& f) { f.pausedAt(1.5); },
         [](Fixture& f) {
             ASSERT_EQ(countOf(f.editor->project().matchCuts), 1u);
             EXPECT_EQ(f.editor->timelineSelection()->kind, TimelineItem::Kind::matchCut);
             EXPECT_NEAR(startOf(*f.editor, f.editor->timelineSelection()), 1.5, 0.01);
         }},
        {"Delete Selected Item  (Delete)", [](Fixture& f) { f.selectedMoveAndPlayheadAt3(); },
         [&](Fixture&) {
             EXPECT_EQ(motionsOf(MotionEffect::Kind::shake), 0u);
             EXPECT_FALSE(e.timelineSelection());
         }},
        {"Duplicate Selected Item",
         [&](Fixture& f) {
             f.selectedMoveAndPlayheadAt3();
             f.count = motionsOf(MotionEffect::Kind::shake);
         },
         [&](Fixture& f) { EXPECT_EQ(motionsOf(MotionEffect::Kind::shake), f.count + 1); }},
        {"Move Selected Item to the Playhead", [](Fixture& f) { f.selectedMoveAndPlayheadAt3(); },
         [](Fixture& f) { EXPECT_NEAR(startOf(*f.editor, f.editor->timelineSelection()), 3, 0.01); }},
        {"Zoom In", [](Fixture& f) { f.editor->setTimelineZoom(30); },
         [](Fixture& f) { EXPECT_DOUBLE_EQ(f.editor->timelineZoom(), 40); }},
        {"Zoom Out", [](Fixture& f) { f.editor->setTimelineZoom(1.2); },
         [](Fixture& f) { EXPECT_DOUBLE_EQ(f.editor->timelineZoom(), 1); }},
        {"Show the Whole Video", [](Fixture& f) { f.editor->setTimelineZoom(5); },
         [](Fixture& f) { EXPECT_DOUBLE_EQ(f.editor->timelineZoom(), 1); }},
    };
    // Each camera move, titled as written, lands at the playhead.
    for (const auto& [kind, title] : enumCases(MotionEffect::Kind{})) {
        cases.push_back({"Add an Effect › " + QString::fromUtf8(title.data(), qsizetype(title.size())),
                         [&, kind = kind](Fixture& f) {
                             f.pausedAt(2);
                             f.count = motionsOf(kind);
                         },
                         [&, kind = kind](Fixture& f) {
                             EXPECT_EQ(motionsOf(kind), f.count + 1);
                             const auto selected = f.editor->selectedMotion();
                             ASSERT_TRUE(selected);
                             EXPECT_EQ(selected->kind, kind);
                             EXPECT_NEAR(startOf(*f.editor, f.editor->timelineSelection()), 2, 0.01);
                         }});
    }

    std::map<QString, QAction*> items;
    for (const char* menu : {"&Playback", "&Timeline"}) {
        QMenu* found = menuTitled(*f.shell.window.menuBar(), menu);
        ASSERT_TRUE(found) << menu;
        collectItems(*found, {}, items);
    }
    std::set<QString> tested, listed;
    for (const Case& c : cases) tested.insert(c.title);
    for (const auto& item : items) listed.insert(item.first);
    EXPECT_EQ(tested, listed);

    for (const Case& c : cases) {
        SCOPED_TRACE(c.title.toStdString());
        QAction* item = items[c.title];
        ASSERT_TRUE(item);
        c.before(f);
        ASSERT_TRUE(f.shell.waitForPlayer());
        ASSERT_TRUE(item->isEnabled());
        std::optional<FileDialogAnswer> answer;
        if (c.file) answer.emplace(f.*c.file);
        item->trigger();
        if (answer) {
            EXPECT_TRUE(answer->answered());
        }
        c.check(f);
        ASSERT_TRUE(f.shell.waitForPlayer());
    }
}

// A cancelled file dialog adds nothing; items that act on a selected item
// are disabled without one.
TEST(MenuActions, CancelledDialogAndNoSelection)
{
    Fixture f;
    ASSERT_TRUE(f.shell.waitForPlayer());
    {
        FileDialogAnswer cancel{QString()};
        f.shell.trigger("Add a Clip at the Start…");
        EXPECT_TRUE(cancel.answered());
    }
    EXPECT_EQ(f.editor->project().videoClips().size(), 1u);
    f.editor->setTimelineSelection(std::nullopt);
    for (const char* title : {"Delete Selected Item  (Delete)", "Duplicate Selected Item", "Move Selected Item to the Playhead"})
        EXPECT_FALSE(f.shell.enabled(title)) << title;
    // Titles show as written: the ampersand is not taken for a mnemonic.
    EXPECT_EQ(f.shell.commands.action("Black & White")->text(), "Black && White");
}

}  // namespace
}  // namespace vt
