#include "HomeTestSupport.h"

#include "app/AppSettings.h"
#include "captions/presets/StylePresets.h"
#include "ui/home/ContinueCard.h"
#include "ui/theme/FileRevealer.h"
#include "ui/home/HomeView.h"
#include "ui/home/NewProjectCard.h"
#include "ui/home/PhonePreview.h"
#include "ui/home/PosterCache.h"
#include "ui/home/ProjectCells.h"
#include "ui/home/ProjectGrid.h"
#include "ui/home/SearchBox.h"
#include "ui/home/UnreadableNote.h"
#include "ui/theme/VideoDropZone.h"
#include "support/Waits.h"

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QToolButton>
#include <gtest/gtest.h>

namespace vt {
namespace {

struct RecordingRevealer : FileRevealer {
    std::vector<std::vector<std::filesystem::path>> calls;
    void reveal(const std::vector<std::filesystem::path>& files) override { calls.push_back(files); }
};

struct Home : test::HomeFixture {
    std::shared_ptr<RecordingRevealer> revealer = std::make_shared<RecordingRevealer>();
    std::unique_ptr<HomeView> view;

    void show()
    {
        reload();
        view = std::make_unique<HomeView>(app, revealer);
        view->resize(1400, 900);
        view->show();
    }
    std::vector<std::string> shownNames() const
    {
        std::vector<std::string> out;
        for (const Project& p : view->shown()) out.push_back(p.name);
        return out;
    }
    // Runs the named item of a project's actions menu.
    void choose(const Project& project, const QString& title)
    {
        QMenu menu;
        view->actions(project).addTo(menu);
        for (QAction* action : menu.actions())
            if (action->text() == title) return action->trigger();
        ADD_FAILURE() << "no item " << title.toStdString();
    }
    const Project* find(const std::string& name) const
    {
        for (const Project& p : app.projects())
            if (p.name == name) return &p;
        return nullptr;
    }
};

TEST(HomeView, WithoutProjectsShowsTheWelcomeAndTheStartLook)
{
    Home home;
    home.app.setStartStyleID("no such look");
    home.show();
    HomeView& view = *home.view;
    EXPECT_TRUE(view.welcomeHeader()->isVisible());
    EXPECT_FALSE(view.projectsSection()->isVisible());
    EXPECT_FALSE(view.searchBox()->isVisible());
    EXPECT_FALSE(view.continueCard());
    ASSERT_TRUE(view.startPreview());
    EXPECT_EQ(view.startPreview()->style().id, StylePresets::core().front().id);
    EXPECT_EQ(view.startPreview()->accessibleName(), "Preview of a caption in " + QString::fromStdString(StylePresets::core().front().name));

    // The preview follows the start look chosen on the card.
    const CaptionStyle& second = StylePresets::all()[5];
    home.app.setStartStyleID(second.id);
    ASSERT_TRUE(view.startPreview());
    EXPECT_EQ(view.startPreview()->style().id, second.id);
    EXPECT_EQ(view.newProjectButton()->toolTip(), "Open a video to caption (Ctrl+O)");
}

// A project file that cannot be read is left alone, and the home screen says
// so once: how many there are and where, until the user dismisses it.
TEST(HomeView, ProjectFilesThatCannotBeReadAreReportedUntilDismissed)
{
    Home home;
    home.save("Fine");
    const std::filesystem::path folder = ProjectStore::directory();
    test::writeFile(folder / "broken.json", R"({"id": 3})");
    home.show();
    UnreadableNote& note = *home.view->unreadableNote();
    ASSERT_TRUE(note.isVisible());
    EXPECT_EQ(note.title()->text(), "1 project file could not be read");
    EXPECT_EQ(note.detail()->text(), QString::fromStdString("It is left as it is in " + folder.string() + ": broken.json"));
    EXPECT_EQ(home.shownNames(), std::vector<std::string>{"Fine"});

    note.dismissButton()->click();
    EXPECT_FALSE(note.isVisible());
    home.reload();
    EXPECT_FALSE(note.isVisible());
    for (const char* name : {"b.json", "c.json", "d.json", "e.json", "f.json", "g.json"})
        test::writeFile(folder / name, "{");
    home.reload();
    ASSERT_TRUE(note.isVisible());
    EXPECT_EQ(note.title()->text(), "6 project files could not be read");
    EXPECT_EQ(note.detail()->text(), QString::fromStdString("They are left as they are in " + folder.string()
                                                            + ": b.json, c.json, d.json, e.json, f.json and 1 more"));
    EXPECT_EQ(test::readFile(folder / "broken.json"), R"({"id": 3})");
}

TEST(HomeView, SearchSortAndLayoutFollowTheControlsAndTheSettings)
{
    Home home;
    home.save("Team Talk", 30);
    home.save("Budget", 10, 60);
    const Project newest = home.save("Zebra", 1);
    home.show();
    HomeView& view = *home.view;
    EXPECT_FALSE(view.welcomeHeader()->isVisible());
    ASSERT_TRUE(view.continueCard());
    EXPECT_EQ(view.continueCard()->project().id, newest.id);
    EXPECT_EQ(home.shownNames(), (std::vector<std::string>{"Zebra", "Budget", "Team Talk"}));
    EXPECT_EQ(view.countLabel()->text(), "3");

    view.sortMenu()->activated(1);  // Name
    EXPECT_EQ(home.shownNames(), (std::vector<std::string>{"Budget", "Team Talk", "Zebra"}));
    EXPECT_EQ(view.continueCard()->project().id, newest.id);  // the continue card ignores the order
    EXPECT_EQ(AppSettings::string("homeSort"), "name");

    QTest::keyClicks(view.searchBox()->field(), "  TALK ");
    EXPECT_EQ(home.shownNames(), (std::vector<std::string>{"Team Talk"}));
    EXPECT_EQ(view.countLabel()->text(), "1");
    EXPECT_TRUE(view.searchBox()->clearButton()->isVisible());
    view.searchBox()->setText("zzz");
    EXPECT_TRUE(view.noMatchLabel()->isVisible());
    EXPECT_EQ(view.noMatchLabel()->text(), "No projects match \u201Czzz\u201D.");
    EXPECT_EQ(view.countLabel()->text(), "0");
    view.searchBox()->clearButton()->click();
    EXPECT_FALSE(view.searchBox()->clearButton()->isVisible());
    EXPECT_FALSE(view.noMatchLabel()->isVisible());
    EXPECT_EQ(view.shown().size(), 3u);

    // Grid, then list; the choice is remembered for the next screen.
    EXPECT_TRUE(view.grid()->isVisible());
    EXPECT_EQ(view.grid()->shown().size(), 3u);
    view.layoutButton(true)->click();
    EXPECT_TRUE(view.list()->isVisible());
    EXPECT_FALSE(view.grid()->isVisible());
    EXPECT_TRUE(view.row(newest.id)->isVisible());
    home.view.reset();
    AppSettings::set("homeSort", QStringLiteral("whatever"));
    home.show();
    EXPECT_TRUE(home.view->showsList());
    EXPECT_TRUE(home.view->query().isEmpty());
    EXPECT_EQ(home.shownNames(), (std::vector<std::string>{"Zebra", "Budget", "Team Talk"}));  // unknown sorts by last edit
}

TEST(HomeView, MenuActionsRenameDuplicateRevealAndDelete)
{
    Home home;
    const Project talk = home.save("Talk", 5);
    test::HomeFixture::writePoster(talk.id);
    home.show();
    HomeView& view = *home.view;

    // Rename: the dialog starts with the name; blanks change nothing, spaces are trimmed.
    home.choose(talk, "Rename\u2026");
    ASSERT_TRUE(view.renameDialog());
    EXPECT_EQ(view.renameField()->text(), "Talk");
    view.renameField()->setText("   ");
    view.renameDialog()->accept();
    EXPECT_EQ(home.app.projects().front().name, "Talk");
    home.choose(talk, "Rename\u2026");
    view.renameField()->setText("  New name ");
    view.renameDialog()->reject();
    EXPECT_EQ(home.app.projects().front().name, "Talk");
    home.choose(talk, "Rename\u2026");
    view.renameField()->setText("  New name ");
    view.renameDialog()->accept();
    EXPECT_EQ(home.app.projects().front().name, "New name");

    // Duplicate twice: two copies, not numbered, each with its own poster.
    const Project renamed = home.app.projects().front();
    home.choose(renamed, "Duplicate");
    home.choose(renamed, "Duplicate");
    ASSERT_EQ(home.app.projects().size(), 3u);
    int copies = 0;
    for (const Project& p : home.app.projects())
        if (p.name == "New name copy") {
            ++copies;
            EXPECT_TRUE(std::filesystem::exists(AppModel::posterPath(p.id)));
        }
    EXPECT_EQ(copies, 2);

    // Reveal selects the project's videos: one for a single video, every clip otherwise.
    home.choose(renamed, "Show Video in File Manager");
    Project clips = renamed;
    clips.clips = std::vector<VideoClip>(3);
    for (int i = 0; i < 3; ++i) clips.clips->at(i).path = "/videos/" + std::to_string(i) + ".mp4";
    home.choose(clips, "Show Video in File Manager");
    ASSERT_EQ(home.revealer->calls.size(), 2u);
    EXPECT_EQ(home.revealer->calls[0], std::vector<std::filesystem::path>{renamed.videoPath});
    EXPECT_EQ(home.revealer->calls[1].size(), 3u);
    EXPECT_EQ(home.revealer->calls[1][2], "/videos/2.mp4");

    // Delete asks first; cancel keeps the project, Delete removes it and leaves the copies' posters.
    home.choose(renamed, "Delete\u2026");
    ASSERT_TRUE(view.deleteDialog());
    EXPECT_EQ(view.deleteDialog()->text(), "Delete \u201CNew name\u201D?");
    EXPECT_EQ(view.deleteDialog()->informativeText(), "The project and its edits are deleted. Your video files stay where they are.");
    view.deleteDialog()->reject();
    EXPECT_EQ(home.app.projects().size(), 3u);
    home.choose(renamed, "Delete\u2026");
    QMessageBox* dialog = view.deleteDialog();
    for (QAbstractButton* button : dialog->buttons())
        if (button->text() == "Delete") button->click();
    ASSERT_EQ(home.app.projects().size(), 2u);
    for (const Project& p : home.app.projects()) EXPECT_TRUE(std::filesystem::exists(AppModel::posterPath(p.id)));

    // Deleting the last projects brings the welcome header back.
    for (const Project& p : std::vector<Project>(home.app.projects())) home.app.remove(p);
    EXPECT_TRUE(view.welcomeHeader()->isVisible());
    EXPECT_FALSE(view.projectsSection()->isVisible());
    EXPECT_TRUE(view.startPreview());
}

// A 60-character name shows whole in the rename field, without scrolling.
TEST(HomeView, TheRenameFieldHoldsASixtyCharacterName)
{
    Home home;
    const std::string name = "How I edit a talking-head video in ten minutes, start to end";
    ASSERT_EQ(name.size(), 60u);
    const Project talk = home.save(name);
    home.show();
    home.choose(talk, "Rename\u2026");
    ASSERT_TRUE(home.view->renameDialog());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(home.view->renameDialog(), test::kHangCapMs));
    QLineEdit* field = home.view->renameField();
    ASSERT_EQ(field->text().toStdString(), name);
    // Were the text wider than the field, the caret at its end would sit
    // short of the text's own width, the text scrolled under it.
    field->setCursorPosition(int(name.size()));
    EXPECT_GE(field->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x(),
              field->fontMetrics().horizontalAdvance(field->text()))
        << "field " << field->width() << " wide";
}

// A duplicate's card keeps the " copy" at the end of a long name.
TEST(HomeView, ALongNameAndItsCopyTellApartOnTheirCards)
{
    Home home;
    const Project talk = home.save("Quarterly planning meeting with the whole design team", 2);
    test::HomeFixture::writePoster(talk.id);
    home.show();
    home.choose(talk, "Duplicate");
    const Project* copy = home.find(talk.name + " copy");
    ASSERT_TRUE(copy);
    ProjectCard* original = home.view->card(talk.id);
    ProjectCard* duplicate = home.view->card(copy->id);
    ASSERT_TRUE(original && duplicate);
    const QString shown = duplicate->shownName();
    EXPECT_NE(shown, QString::fromStdString(copy->name)) << "the name is too long for the card: it is cut";
    EXPECT_TRUE(shown.endsWith(" copy")) << shown.toStdString();
    EXPECT_NE(shown.toStdString(), original->shownName().toStdString());
    EXPECT_TRUE(shown.startsWith("Quarterly")) << shown.toStdString();
}

TEST(HomeView, MenuHasTheFourItemsWithDeleteSetApart)
{
    Home home;
    const Project talk = home.save("Talk");
    home.show();
    QMenu menu;
    home.view->actions(talk).addTo(menu);
    QStringList titles;
    for (QAction* action : menu.actions()) titles << (action->isSeparator() ? QStringLiteral("|") : action->text());
    EXPECT_EQ(titles, (QStringList{"Rename\u2026", "Duplicate", "Show Video in File Manager", "|", "Delete\u2026"}));
    EXPECT_EQ(menu.actions().back()->data().toString(), "destructive");
}

TEST(HomeView, CardsShowPostersBadgesAndHover)
{
    Home home;
    Project shortOne = home.save("A very long project name that cannot possibly fit on one line of a card", 1, 3725);
    shortOne.sourceRange = ClosedRange<double>{0, 3725};
    ProjectStore::save(shortOne);
    const Project plain = home.save("Plain", 2, 59.9);
    test::HomeFixture::writePoster(plain.id);
    test::HomeFixture::writePoster(shortOne.id, {0, 0});  // an empty image is no poster
    home.show();
    HomeView& view = *home.view;
    ProjectCard* card = view.card(plain.id);
    ASSERT_TRUE(card);
    EXPECT_EQ(card->durationText(), "0:59");
    EXPECT_EQ(view.card(shortOne.id)->durationText(), "1:02:05");
    EXPECT_EQ(view.card(shortOne.id)->badgeText(), "Short");
    EXPECT_EQ(card->badgeText(), "");
    EXPECT_EQ(card->toolTip(), "Open Plain");

    card->showsPoster();
    ASSERT_TRUE(test::waitFor([&] { return card->showsPoster(); }));
    PosterCache::shared().waitForDecodes();
    QCoreApplication::processEvents();
    EXPECT_FALSE(view.card(shortOne.id)->showsPoster());
    // Each poster is decoded once, however often cells draw.
    const int decodes = PosterCache::shared().decodes();
    for (int i = 0; i < 5; ++i) card->repaint();
    EXPECT_EQ(PosterCache::shared().decodes(), decodes);
    // A deleted poster shows the muted fill again.
    std::filesystem::remove(AppModel::posterPath(plain.id));
    EXPECT_FALSE(card->showsPoster());

    // Hover shows the card's actions button; rows keep theirs.
    EXPECT_FALSE(card->actionsButton()->isVisible());
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(card, &enter);
    EXPECT_TRUE(card->isHovered());
    EXPECT_TRUE(card->actionsButton()->isVisible());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(card, &leave);
    EXPECT_FALSE(card->actionsButton()->isVisible());
    EXPECT_EQ(card->actionsButton()->accessibleName(), "Project actions");
}

TEST(HomeView, AClickOpensAndADropImportsOnlyTheFirstFile)
{
    Home home;
    const Project gone = home.save("Gone");
    home.show();
    HomeView& view = *home.view;
    // A click on a card opens the project; its video is missing, so the model says so and home stays.
    QTest::mouseClick(view.card(gone.id), Qt::LeftButton, {}, QPoint(20, 20));
    ASSERT_TRUE(home.app.errorMessage());
    EXPECT_TRUE(home.app.errorMessage()->starts_with("The original video was moved or deleted:\n"));
    EXPECT_EQ(home.app.screen(), Screen::home);
    home.app.setErrorMessage(std::nullopt);

    QMimeData none;
    none.setText("words");
    QDragEnterEvent refused(QPoint(10, 10), Qt::CopyAction, &none, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&view, &refused);
    EXPECT_FALSE(refused.isAccepted());
    EXPECT_FALSE(view.dropTargeted());

    const auto first = home.home.dir / "first.mp4";
    test::writeFile(first, "not a video");
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(QString::fromStdString(first.string())), QUrl::fromLocalFile("/tmp/second.mp4"),
                   QUrl::fromLocalFile("/tmp/third.mp4")});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&view, &enter);
    EXPECT_TRUE(view.dropTargeted());
    EXPECT_EQ(view.newProjectCard()->dropZone()->shownText(), "Release to open");
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&view, &drop);
    EXPECT_FALSE(view.dropTargeted());
    ASSERT_EQ(home.app.screen(), Screen::processing);
    EXPECT_EQ(home.app.processing()->fileName, "first.mp4");
    ASSERT_TRUE(test::waitForImport(home.app));
}

}  // namespace
}  // namespace vt
