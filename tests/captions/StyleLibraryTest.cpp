#include "captions/FontBook.h"
#include "captions/StyleLibrary.h"
#include "captions/presets/StylePresets.h"
#include "platform/TextRules.h"
#include "support/FifoWatch.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace vt;
namespace fs = std::filesystem;

namespace {

struct Library : ::testing::Test {
    test::TempDir dir;
    fs::path file = dir / "styles.json";

    static CaptionStyle look(std::string id, std::string name, std::string font = "Anton")
    {
        CaptionStyle s = StylePresets::all().front();
        s.id = std::move(id);
        s.name = std::move(name);
        s.font = std::move(font);
        s.category = StyleCategory::mine;
        return s;
    }

    void writeLooks(const std::vector<CaptionStyle>& looks) { test::writeFile(file, json::encode(looks).dump()); }

    static std::vector<std::string> ids(const std::vector<CaptionStyle>& looks)
    {
        std::vector<std::string> out;
        for (const CaptionStyle& s : looks) out.push_back(s.id);
        return out;
    }

    static ino_t inode(const fs::path& path)
    {
        struct stat st {};
        ::stat(path.c_str(), &st);
        return st.st_ino;
    }
};

// Counts the library's change notifications.
struct Changes {
    explicit Changes(StyleLibrary& library)
    {
        QObject::connect(&library, &StyleLibrary::customChanged, [this] { ++count; });
    }
    int count = 0;
};

}  // namespace

TEST_F(Library, SavedLooksPersist)
{
    StyleLibrary library(file);
    Changes changes(library);
    EXPECT_TRUE(library.custom().empty());
    EXPECT_FALSE(fs::exists(file));  // nothing is written before the first save

    CaptionStyle base = StylePresets::all().at(3);
    CaptionStyle first = library.saveCustom(base, "  My look ");
    CaptionStyle second = library.saveCustom(base, "  My look ");
    EXPECT_EQ(changes.count, 2);
    for (const CaptionStyle& saved : {first, second}) {
        EXPECT_EQ(saved.id.substr(0, 7), "custom-");
        EXPECT_TRUE(Uuid::parse(saved.id.substr(7)));
        EXPECT_EQ(saved.id.substr(7), Uuid::parse(saved.id.substr(7))->text());  // upper case
        EXPECT_EQ(saved.name, "  My look ");
        EXPECT_EQ(saved.category, StyleCategory::mine);
        CaptionStyle rest = saved;
        rest.id = base.id;
        rest.name = base.name;
        rest.category = base.category;
        EXPECT_EQ(rest, base);
    }
    EXPECT_NE(first.id, second.id);
    EXPECT_EQ(library.custom(), (std::vector{first, second}));
    EXPECT_EQ(test::readFile(file), json::encode(library.custom()).dump());

    StyleLibrary reloaded(file);
    EXPECT_EQ(reloaded.custom(), library.custom());
    EXPECT_EQ(reloaded.style(first.id), first);
}

TEST_F(Library, AnUndecodableFileIsNeverOverwritten)
{
    struct Case {
        const char* what;
        std::function<std::string()> content;
    } cases[] = {
        {"one look lacks a key",
         [] {
             json::Value v = json::encode(std::vector{look("custom-a", "A"), look("custom-b", "B")});
             v[1].erase("font");
             return v.dump();
         }},
        {"unknown enumeration text",
         [] {
             json::Value v = json::encode(std::vector{look("custom-a", "A")});
             v[0]["highlight"] = "Sparkle";
             return v.dump();
         }},
        {"not JSON", [] { return std::string("[{\"id\": \"custom-a\""); }},
        {"not an array", [] { return std::string("{}"); }},
    };
    for (const Case& c : cases) {
        test::TempDir folder;
        fs::path styles = folder / "styles.json";
        const std::string original = c.content();
        test::writeFile(styles, original);
        test::writeFile(folder / "styles.json.unreadable", "an earlier one");

        StyleLibrary library(styles);
        EXPECT_TRUE(library.custom().empty()) << c.what;
        CaptionStyle saved = library.saveCustom(look("x", "X"), "New");
        library.remove(look("custom-a", "A"));

        EXPECT_EQ(test::readFile(folder / "styles.json.unreadable-2"), original) << c.what;
        EXPECT_EQ(test::readFile(folder / "styles.json.unreadable"), "an earlier one") << c.what;
        EXPECT_EQ(StyleLibrary(styles).custom(), std::vector{saved}) << c.what;
    }
}

TEST_F(Library, ANamedPipeInThePlaceOfTheFileIsNeverOpened)
{
    // Opening it would wait for a writer forever.
    test::FifoWatch pipe(file);
    StyleLibrary library(file);
    EXPECT_TRUE(library.custom().empty());
    EXPECT_FALSE(pipe.opened());
    EXPECT_TRUE(fs::is_fifo(file));
}

TEST_F(Library, LookUpByIdBuiltInFirst)
{
    const CaptionStyle& builtIn = StylePresets::all().at(5);
    CaptionStyle impostor = look(builtIn.id, "Impostor");
    writeLooks({impostor, look("custom-mine", "Mine")});
    StyleLibrary library(file);

    EXPECT_EQ(library.style(builtIn.id), builtIn);
    EXPECT_EQ(library.style("custom-mine")->name, "Mine");
    EXPECT_FALSE(library.style("CUSTOM-MINE"));
    EXPECT_FALSE(library.style(""));

    // Deleting a look leaves what was taken from it alone; only the lookup forgets it.
    CaptionStyle taken = *library.style("custom-mine");
    library.remove(taken);
    EXPECT_FALSE(library.style("custom-mine"));
    EXPECT_EQ(taken.name, "Mine");
}

TEST_F(Library, SectionsAndSearch)
{
    CaptionStyle unlabelled = look("custom-u", "Plain", "Some-Unlisted-Face");
    CaptionStyle tagged = look("custom-t", "Tagged");
    tagged.behindSubject = true;
    tagged.knockout = RGBA{0, 0, 0, 1};
    CaptionStyle labelled = look("custom-l", "Labelled", "Montserrat-Black");
    writeLooks({unlabelled, tagged, labelled});
    StyleLibrary library(file);
    const auto& all = StylePresets::all();

    auto found = [&](std::optional<StyleCategory> category, const std::string& query) {
        return ids(library.styles(category, query));
    };
    auto contains = [](const std::vector<std::string>& list, const std::string& id) {
        return std::find(list.begin(), list.end(), id) != list.end();
    };

    std::vector<std::string> everything = ids(all);
    for (const char* id : {"custom-u", "custom-t", "custom-l"}) everything.push_back(id);
    EXPECT_EQ(found(std::nullopt, ""), everything);
    EXPECT_EQ(found(std::nullopt, " \t  "), everything);
    EXPECT_EQ(found(StyleCategory::mine, ""), (std::vector<std::string>{"custom-u", "custom-t", "custom-l"}));

    std::vector<std::string> popular(StylePresets::popularIDs().begin(), StylePresets::popularIDs().end());
    EXPECT_EQ(found(StyleCategory::popular, ""), popular);
    std::vector<std::string> trending(StylePresets::trendingIDs().begin(), StylePresets::trendingIDs().end());
    EXPECT_EQ(found(StyleCategory::trending, ""), trending);

    // "  NEON " is searched as "neon": names, category titles ("Neon & FX"),
    // font labels and tags; every look of the neon shelf is among them.
    std::vector<std::string> neon = found(std::nullopt, "  NEON ");
    ASSERT_FALSE(neon.empty());
    for (const CaptionStyle& s : all) {
        EXPECT_TRUE(s.category != StyleCategory::neon || contains(neon, s.id)) << s.id;
    }
    for (const CaptionStyle& s : library.styles(std::nullopt, "neon")) {
        std::string hay = text::lowercased(s.name + std::string(title(s.category)) + FontBook::label(s.font));
        for (const auto& t : s.tags()) hay += text::lowercased(t);
        EXPECT_NE(hay.find("neon"), std::string::npos) << s.id;
    }
    // Unicode spaces and tabs are trimmed, line breaks are not.
    EXPECT_EQ(found(std::nullopt, "\u00A0\tneon\u3000"), neon);
    EXPECT_TRUE(found(std::nullopt, "neon\n").empty());

    EXPECT_EQ(found(StyleCategory::mine, "unlisted-face"), std::vector<std::string>{"custom-u"});
    EXPECT_EQ(found(StyleCategory::mine, "montserrat black"), std::vector<std::string>{"custom-l"});
    EXPECT_EQ(found(StyleCategory::mine, "youknock"), std::vector<std::string>{"custom-t"});  // tags joined
    EXPECT_EQ(found(StyleCategory::mine, "my styles"), found(StyleCategory::mine, ""));

    // A query filters the curated list without reordering it.
    std::vector<std::string> filtered = found(StyleCategory::popular, "a");
    std::vector<std::string> expected;
    for (const std::string& id : popular)
        if (contains(found(std::nullopt, "a"), id)) expected.push_back(id);
    EXPECT_EQ(filtered, expected);
}

TEST_F(Library, DeleteRemovesEveryLookWithTheIdAndAlwaysSaves)
{
    writeLooks({look("custom-1", "One"), look("custom-dup", "Dup A"), look("custom-2", "Two"),
                look("custom-dup", "Dup B"), look("custom-3", "Three")});
    StyleLibrary library(file);
    Changes changes(library);

    library.remove(look("custom-dup", "whatever name"));
    EXPECT_EQ(ids(library.custom()), (std::vector<std::string>{"custom-1", "custom-2", "custom-3"}));
    EXPECT_EQ(changes.count, 1);
    EXPECT_EQ(ids(StyleLibrary(file).custom()), ids(library.custom()));

    // A built-in id removes nothing, yet observers hear of it and the file is written again.
    ino_t before = inode(file);
    library.remove(StylePresets::all().front());
    EXPECT_EQ(library.custom().size(), 3u);
    EXPECT_EQ(changes.count, 2);
    EXPECT_NE(inode(file), before);
}

TEST_F(Library, ReplacingTheListNotifiesOnlyAChange)
{
    writeLooks({look("custom-1", "One")});
    StyleLibrary library(file);
    Changes changes(library);
    const std::string onDisk = test::readFile(file);

    library.setCustom({look("custom-1", "One")});
    EXPECT_EQ(changes.count, 0);
    library.setCustom({look("custom-1", "One"), look("custom-2", "Two")});
    EXPECT_EQ(changes.count, 1);
    EXPECT_EQ(library.custom().size(), 2u);
    EXPECT_EQ(test::readFile(file), onDisk);  // writing the list does not save it
}

TEST_F(Library, SharedLibraryLivesInTheDataRoot)
{
    test::ScopedEnv data("XDG_DATA_HOME", dir.path().string());
    StyleLibrary& shared = StyleLibrary::shared();
    EXPECT_EQ(&shared, &StyleLibrary::shared());
    CaptionStyle saved = shared.saveCustom(StylePresets::all().front(), "Shared");
    EXPECT_EQ(StyleLibrary(dir / "Vellumtide" / "styles.json").custom(), std::vector{saved});
}
