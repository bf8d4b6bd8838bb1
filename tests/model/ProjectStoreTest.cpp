#include "model/DataRoot.h"
#include "model/ProjectStore.h"

#include "ProjectSamples.h"
#include "support/FifoWatch.h"
#include "support/TestSupport.h"

#include <QSettings>

#include <gtest/gtest.h>

#include <limits>

using namespace vt;
namespace fs = std::filesystem;

namespace {

// A user account of its own: data and settings folders in a temporary folder.
struct Store : ::testing::Test {
    test::TempDir home;
    test::ScopedEnv data{"XDG_DATA_HOME", (home / "data").string()};
    test::ScopedEnv config{"XDG_CONFIG_HOME", (home / "config").string()};

    fs::path support() const { return home / "data"; }
    fs::path projects() const { return support() / "Vellumtide" / "Projects"; }

    static Project named(std::string name, std::int64_t updated)
    {
        Project p = test::minimalProject();
        p.id = Uuid::random();
        p.name = std::move(name);
        p.updatedAt = test::dateAt(updated);
        return p;
    }

    static std::vector<std::string> names(const std::vector<Project>& list)
    {
        std::vector<std::string> out;
        for (const Project& p : list) out.push_back(p.name);
        return out;
    }

    std::vector<std::string> folderNames(const fs::path& folder) const
    {
        std::vector<std::string> out;
        for (const auto& e : fs::directory_iterator(folder)) out.push_back(e.path().filename().string());
        std::sort(out.begin(), out.end());
        return out;
    }
};

}  // namespace

TEST_F(Store, DataRootIsMadeOnFirstUse)
{
    ASSERT_FALSE(fs::exists(support()));
    EXPECT_EQ(ProjectStore::root(), support() / "Vellumtide");
    EXPECT_TRUE(fs::is_directory(support() / "Vellumtide"));
    EXPECT_TRUE(folderNames(support() / "Vellumtide").empty());
    EXPECT_EQ(ProjectStore::directory(), projects());
    EXPECT_TRUE(fs::is_directory(projects()));
    EXPECT_TRUE(ProjectStore::loadAll().empty());
}

TEST_F(Store, LegacyFolderTakeover)
{
    struct Case {
        std::vector<std::string> present;  // folders that exist before the first use
        std::string becomesRoot;           // whose marker file the root then holds
        std::vector<std::string> left;     // what remains beside the root
    } cases[] = {
        {{"Omnal", "Morrowlit"}, "Omnal", {"Morrowlit", "Vellumtide"}},
        {{"Morrowlit"}, "Morrowlit", {"Vellumtide"}},
        {{"Vellumtide", "Omnal", "Morrowlit"}, "Vellumtide", {"Morrowlit", "Omnal", "Vellumtide"}},
    };
    for (const Case& c : cases) {
        test::TempDir account;
        test::ScopedEnv env("XDG_DATA_HOME", account.path().string());
        for (const std::string& name : c.present) {
            fs::create_directories(account / name / "Projects");
            test::writeFile(account / name / "marker", name);
        }
        fs::path root = DataRoot::root();
        EXPECT_EQ(root, account / "Vellumtide");
        EXPECT_EQ(test::readFile(root / "marker"), c.becomesRoot);
        EXPECT_EQ(folderNames(account.path()), c.left);
        for (const std::string& name : c.left) {
            if (name == "Vellumtide") continue;
            EXPECT_EQ(test::readFile(account / name / "marker"), name);
        }
    }
}

TEST_F(Store, SavesAndLoadsNewestFirst)
{
    Project older = named("older", 1'700'000'000);
    Project newest = named("newest", 1'700'000'900);
    Project middle = test::fullProject();
    middle.name = "middle";
    middle.updatedAt = test::dateAt(1'700'000'300);
    for (const Project& p : {older, newest, middle}) ASSERT_EQ(ProjectStore::save(p), ProjectStore::SaveResult::saved);

    EXPECT_TRUE(fs::is_regular_file(projects() / (newest.id.text() + ".json")));
    std::vector<Project> all = ProjectStore::loadAll();
    EXPECT_EQ(names(all), (std::vector<std::string>{"newest", "middle", "older"}));
    EXPECT_EQ(all[1].toJson(), middle.toJson());

    // Saving again replaces the one file.
    newest.name = "renamed";
    ASSERT_EQ(ProjectStore::save(newest), ProjectStore::SaveResult::saved);
    EXPECT_EQ(names(ProjectStore::loadAll()), (std::vector<std::string>{"renamed", "middle", "older"}));
    EXPECT_EQ(folderNames(projects()).size(), 3u);
    // Compact: the stored text is exactly the record's JSON.
    EXPECT_EQ(test::readFile(projects() / (older.id.text() + ".json")), older.toJson().dump());
}

TEST_F(Store, ProjectsOfOneSecondComeBackInFolderOrder)
{
    Project a = named("a", 1'700'000'000);
    Project b = named("b", 1'700'000'000);
    a.updatedAt = test::dateAt(1'700'000'000, 100);
    b.updatedAt = test::dateAt(1'700'000'000, 900);
    ProjectStore::save(a);
    ProjectStore::save(b);
    std::vector<std::string> listing;
    for (const auto& e : fs::directory_iterator(projects()))
        listing.push_back(e.path().filename().string() == a.id.text() + ".json" ? "a" : "b");
    std::vector<Project> all = ProjectStore::loadAll();
    EXPECT_EQ(all[0].updatedAt, all[1].updatedAt);
    EXPECT_EQ(names(all), listing);
}

TEST_F(Store, FilesThatDoNotReadAreSkippedAndLeftAlone)
{
    Project good = named("good", 1'700'000'000);
    ProjectStore::save(good);
    std::string text = good.toJson().dump();
    Project other = named("other", 1'700'000'100);
    std::string truncated = other.toJson().dump().substr(0, 200);
    Project nan = named("nan", 1'700'000'200);
    std::map<std::string, std::string> bad{
        {"notes.txt", text},
        {other.id.text() + ".JSON", other.toJson().dump()},
        {other.id.text() + ".json", truncated},
        {"empty.json", ""},
        {"array.json", "[]"},
    };
    // Dates the clock cannot hold, which would otherwise come back in another century.
    for (const char* key : {"createdAt", "updatedAt"}) {
        for (const char* date : {"9999-12-31T23:59:59Z", "1600-01-01T00:00:00Z", "2262-04-11T23:47:17Z"}) {
            json::Value project = named("far", 1'700'000'400).toJson();
            project[key] = date;
            bad[std::string(key) + "-" + date + ".json"] = project.dump();
        }
    }
    for (const auto& [name, bytes] : bad) test::writeFile(projects() / name, bytes);
    fs::create_directory(projects() / "folder.json");
    // Opening a named pipe would wait for a writer forever.
    const fs::path pipePath = projects() / (Uuid::random().text() + ".json");
    test::FifoWatch pipe(pipePath);

    const ProjectStore::Listing listing = ProjectStore::list();
    EXPECT_EQ(names(listing.projects), (std::vector<std::string>{"good"}));
    // Every ".json" entry but the folder is reported, so none vanishes unseen.
    std::vector<std::string> unreadable;
    for (const fs::path& file : listing.unreadable) unreadable.push_back(file.string());
    std::sort(unreadable.begin(), unreadable.end());
    std::vector<std::string> expected{pipePath.string()};
    for (const auto& [name, bytes] : bad)
        if (fs::path(name).extension() == ".json") expected.push_back((projects() / name).string());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(unreadable, expected);
    // Loading, saving others and deleting others leave every bad file as it was.
    ProjectStore::save(named("later", 1'700'000'300));
    ProjectStore::remove(good);
    EXPECT_EQ(names(ProjectStore::loadAll()), (std::vector<std::string>{"later"}));
    for (const auto& [name, bytes] : bad) EXPECT_EQ(test::readFile(projects() / name), bytes) << name;
    EXPECT_TRUE(fs::is_directory(projects() / "folder.json"));
    EXPECT_FALSE(pipe.opened());
    EXPECT_TRUE(fs::is_fifo(pipePath));
}

// A project file put in the folder under another name: its first save writes
// "<ID>.json" beside it, and the project is still listed once, with the saved
// state; deleting it removes both, so it does not come back.
TEST_F(Store, AProjectUnderAnotherFileNameIsListedOnce)
{
    Project p = named("received", 1'700'000'000);
    test::writeFile(ProjectStore::directory() / "from-a-friend.json", p.toJson().dump());
    Project other = named("other", 1'700'000'050);
    ProjectStore::save(other);
    ASSERT_EQ(names(ProjectStore::loadAll()), (std::vector<std::string>{"other", "received"}));

    // Saved again under its own name; a copy saved later wins either way.
    for (std::int64_t updated : {1'700'000'100, 1'699'999'000}) {
        p.name = "edited " + std::to_string(updated);
        p.updatedAt = test::dateAt(updated);
        ProjectStore::save(p);
        const std::vector<Project> all = ProjectStore::loadAll();
        EXPECT_EQ(std::count_if(all.begin(), all.end(), [&](const Project& q) { return q.id == p.id; }), 1);
        EXPECT_EQ(std::count_if(all.begin(), all.end(), [&](const Project& q) { return q.name == p.name; }), 1);
    }
    ProjectStore::remove(p);
    EXPECT_EQ(names(ProjectStore::loadAll()), (std::vector<std::string>{"other"}));
    EXPECT_EQ(folderNames(projects()), (std::vector<std::string>{other.id.text() + ".json"}));
}

namespace {

// Adds a member this version does not know to every record below `v`.
void addNewerMembers(json::Value& v, const std::string& where)
{
    if (v.is_array()) {
        for (std::size_t i = 0; i < v.size(); ++i) addNewerMembers(v[i], where + "/" + std::to_string(i));
        return;
    }
    if (!v.is_object()) return;
    for (auto it = v.begin(); it != v.end(); ++it) addNewerMembers(it.value(), where + "/" + it.key());
    // Tables keyed by look id or word: their keys are data, not fields.
    if (where != "/styleOverrides" && where != "/emojis/overrides") v["fromNewerVersion"] = {{"at", where}, {"n", 1.5}};
}

}  // namespace

TEST_F(Store, AProjectFromANewerVersionKeepsWhatItDoesNotKnow)
{
    Project p = test::fullProject();
    p.words[0].look = WordLook{1.2, RGBA{1, 0, 0, 1}, 0.1, 0.2};
    p.stabilization->path = CameraPath{{0, 1}, {0, 0.5}, {0, 0.25}};
    p.clips->front().adjust = ItemAdjust{};
    p.brolls->front().adjust = ItemAdjust{};
    p.progressBar->color = RGBA{0, 1, 0, 1};
    p.emojis->overrides = {{"fire", "🔥"}};
    json::Value stored = p.toJson();
    addNewerMembers(stored, "");
    stored["newTopLevelList"] = json::Value::array({1, 2, 3});
    ASSERT_GT(stored.dump().size(), p.toJson().dump().size());
    test::writeFile(ProjectStore::directory() / (p.id.text() + ".json"), stored.dump());

    std::vector<Project> all = ProjectStore::loadAll();
    ASSERT_EQ(all.size(), 1u);
    all[0].name = "renamed";
    all[0].words[1].deleted = true;
    ASSERT_EQ(ProjectStore::save(all[0]), ProjectStore::SaveResult::saved);

    stored["name"] = "renamed";
    stored["words"][1]["deleted"] = true;
    EXPECT_EQ(json::parse(test::readFile(projects() / (p.id.text() + ".json"))), stored);
    // They never make two records differ.
    EXPECT_EQ(all[0].style, p.style);
}

TEST_F(Store, StoredPathsAreConfinedToTheirFolder)
{
    const fs::path voiceovers = DataRoot::folder(DataRoot::voiceoversFolder);
    const fs::path outside = home / "Documents";
    fs::create_directories(outside);
    fs::create_directories(voiceovers / "older");
    fs::create_directory_symlink(outside, voiceovers / "leads-out");
    fs::create_directory_symlink(voiceovers, home / "leads-in");
    test::writeFile(outside / "thesis.odt", "work");
    fs::create_symlink(outside / "thesis.odt", voiceovers / "take-link.m4a");
    // The user's own link to a recording: removing it would remove the link.
    test::writeFile(voiceovers / "take.m4a", "take");
    fs::create_symlink(voiceovers / "take.m4a", outside / "my-take.m4a");
    struct Case {
        fs::path path;
        bool inside;
    } cases[] = {
        {voiceovers / "take.m4a", true},
        {voiceovers / "older" / "take.m4a", true},
        {voiceovers / "older" / ".." / "take.m4a", true},
        {home / "leads-in" / "take.m4a", true},  // a folder link from outside that ends inside
        {outside / "my-take.m4a", false},        // a file link outside is itself outside
        {voiceovers, false},
        {outside / "thesis.odt", false},
        {voiceovers / ".." / ".." / ".." / "Documents" / "thesis.odt", false},
        {voiceovers / "missing" / ".." / ".." / "Cache" / "x.m4a", false},
        {voiceovers / "leads-out" / "thesis.odt", false},
        {voiceovers / "take-link.m4a", false},
        {voiceovers.string() + "-twin/take.m4a", false},
        {"take.m4a", false},  // relative: from the working folder
        {"", false},
    };
    for (const Case& c : cases) EXPECT_EQ(DataRoot::holds(DataRoot::voiceoversFolder, c.path), c.inside) << c.path;
    EXPECT_TRUE(DataRoot::holds(DataRoot::projectsFolder, projects() / "x.jpg"));
    EXPECT_FALSE(DataRoot::holds(DataRoot::projectsFolder, voiceovers / "take.m4a"));
}

TEST_F(Store, FailedSaveKeepsThePreviousFileAndSaysWhy)
{
    Project p = test::fullProject();
    ASSERT_EQ(ProjectStore::save(p), ProjectStore::SaveResult::saved);
    fs::path file = projects() / (p.id.text() + ".json");
    std::string before = test::readFile(file);

    p.name = "changed";
    p.maxPause = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(ProjectStore::save(p), ProjectStore::SaveResult::notEncodable);
    p.maxPause = 1;
    p.videoVolume->points[0].db = -std::numeric_limits<double>::infinity();
    EXPECT_EQ(ProjectStore::save(p), ProjectStore::SaveResult::notEncodable);
    p.videoVolume->points[0].db = -6;
    p.videoPath = "/media/\xff\xfe.mov";  // not UTF-8: cannot be stored as JSON text
    EXPECT_EQ(ProjectStore::save(p), ProjectStore::SaveResult::notEncodable);
    EXPECT_EQ(test::readFile(file), before);
    EXPECT_EQ(folderNames(projects()).size(), 1u);  // no temporary file left

    // A write the file system refuses: a folder stands where the file goes.
    Project blocked = named("blocked", 1);
    fs::create_directories(projects() / (blocked.id.text() + ".json") / "inside");
    EXPECT_EQ(ProjectStore::save(blocked), ProjectStore::SaveResult::notWritten);
}

TEST_F(Store, DeleteRemovesExactlyTheProjectsFiles)
{
    Project gone = named("gone", 1'700'000'000);
    Project kept = named("kept", 1'700'000'100);
    ProjectStore::save(gone);
    ProjectStore::save(kept);
    fs::path root = ProjectStore::root();
    for (const Project* p : {&gone, &kept}) test::writeFile(projects() / (p->id.text() + ".jpg"), "jpeg");
    fs::create_directories(root / "Cache");
    fs::create_directories(root / "Voiceovers");
    const std::string g = gone.id.text(), k = kept.id.text();
    for (const std::string& name : {g + "-3n9y98i7e8vhi.m4a", g + "-other.m4a", k + "-3n9y98i7e8vhi.m4a",
                                    std::string("sfx-1a2b.m4a")})
        test::writeFile(root / "Cache" / name, "audio");
    test::writeFile(root / "Voiceovers" / (g + ".m4a"), "voice");

    Project sameID = named("another object with the same id", 0);
    sameID.id = gone.id;
    ProjectStore::remove(sameID);

    EXPECT_EQ(folderNames(projects()), (std::vector<std::string>{k + ".jpg", k + ".json"}));
    EXPECT_EQ(folderNames(root / "Cache"), (std::vector<std::string>{k + "-3n9y98i7e8vhi.m4a", "sfx-1a2b.m4a"}));
    EXPECT_TRUE(fs::exists(root / "Voiceovers" / (g + ".m4a")));
    ProjectStore::remove(gone);  // again: nothing left to remove, no harm
    EXPECT_EQ(names(ProjectStore::loadAll()), (std::vector<std::string>{"kept"}));
}

TEST_F(Store, LegacySettingsAreCopiedOnce)
{
    auto suite = [](std::string_view id) {
        return std::make_unique<QSettings>(QString::fromStdString(DataRoot::suiteSettingsFile(id).string()),
                                           QSettings::IniFormat);
    };
    auto standard = [] {
        return std::make_unique<QSettings>(QString::fromStdString(DataRoot::settingsFile().string()),
                                           QSettings::IniFormat);
    };
    {
        auto omnal = suite("app.omnal.mac");
        omnal->setValue("engine", "Whisper");
        omnal->setValue("hasOnboarded", true);
        auto morrowlit = suite("local.morrowlit.app");
        morrowlit->setValue("engine", "Apple");
        morrowlit->setValue("whisperLanguage", "de");
        morrowlit->setValue("appearance", "dark");
        morrowlit->setValue("homeSort", "name");  // not a copied key
        standard()->setValue("appearance", "light");
    }
    ProjectStore::migrateLegacySettings();
    {
        auto s = standard();
        EXPECT_EQ(s->value("engine").toString(), "Whisper");
        EXPECT_TRUE(s->value("hasOnboarded").toBool());
        EXPECT_EQ(s->value("whisperLanguage").toString(), "de");
        EXPECT_EQ(s->value("appearance").toString(), "light");
        EXPECT_FALSE(s->contains("homeSort"));
        EXPECT_FALSE(s->contains("captionLanguage"));
        EXPECT_TRUE(s->value("migratedToVellumtide").toBool());
    }

    suite("app.omnal.mac")->setValue("captionLanguage", "hindi");
    ProjectStore::migrateLegacySettings();
    EXPECT_FALSE(standard()->contains("captionLanguage"));
}

TEST_F(Store, SettingsCopyRunsOnceEvenWithNothingToCopy)
{
    ProjectStore::migrateLegacySettings();
    auto s = std::make_unique<QSettings>(QString::fromStdString(DataRoot::settingsFile().string()),
                                         QSettings::IniFormat);
    EXPECT_TRUE(s->value("migratedToVellumtide").toBool());
    EXPECT_EQ(DataRoot::settingsFile(), home / "config" / "Vellumtide" / "Vellumtide.conf");
}

TEST_F(Store, SettingsThatAreNotRegularFilesAreNeverOpened)
{
    // Opening a named pipe would wait for a writer forever, before the window opens.
    for (const bool pipeIsStandard : {true, false}) {
        const fs::path pipePath = pipeIsStandard ? DataRoot::settingsFile() : DataRoot::suiteSettingsFile("app.omnal.mac");
        fs::create_directories(pipePath.parent_path());
        test::FifoWatch pipe(pipePath);
        ProjectStore::migrateLegacySettings();
        EXPECT_FALSE(pipe.opened()) << pipePath;
        EXPECT_TRUE(fs::is_fifo(pipePath)) << pipePath;
        fs::remove(pipePath);
    }
}
