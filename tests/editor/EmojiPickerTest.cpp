// Choosing the emoji of caption lines, and the editor's two emoji commands.

#include "CommandProbe.h"

#include "editor/EmojiPicker.h"
#include "editor/WordTokens.h"

namespace vt {
namespace {

using namespace vt::test;

const std::string fire = "\U0001F525", money = "\U0001F4B0";

TEST(EmojiPicker, AWordCallsForAnEmojiByItsLettersAndDigits)
{
    const std::vector<std::pair<std::string, std::optional<std::string>>> cases{
        {"Money,", money},
        {"Phones", "\U0001F4F1"},  // the plural rule
        {"AI", "\U0001F916"},
        {"I", std::nullopt},
        {"a", std::nullopt},
        {"it's", std::nullopt},
        {"\"FIRE!\"", fire},
        {"family", "\U0001F468\u200D\U0001F469\u200D\U0001F467"},
        {"bus", std::nullopt},
    };
    for (const auto& [word, expected] : cases) EXPECT_EQ(EmojiPicker::emoji(word), expected) << word;
}

// Lines of one word each, indexed from 0.
std::vector<CaptionGroup> lines(const std::vector<std::string>& texts)
{
    std::vector<CaptionGroup> out;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        CaptionGroup g;
        g.index = static_cast<int>(i);
        for (const std::string& text : WordTokens::split(texts[i])) {
            TimedWord w;
            w.text = text;
            w.id = Uuid::random();
            g.words.push_back(w);
        }
        out.push_back(g);
    }
    return out;
}

std::string emojisOf(const std::map<int, EmojiPick>& picks, std::size_t count)
{
    std::string out;
    for (std::size_t i = 0; i < count; ++i) {
        const auto found = picks.find(static_cast<int>(i));
        out += found == picks.end() ? "-" : found->second.emoji == fire ? "F" : found->second.emoji == money ? "M" : "?";
    }
    return out;
}

TEST(EmojiPicker, AutomaticEmojisAreSpacedOrNeverRepeatedOnTheNextLine)
{
    struct Case {
        EmojiSettings::Amount amount;
        std::vector<std::string> texts;
        std::string expected;
    };
    const std::vector<Case> cases{
        {EmojiSettings::Amount::some, {"fire", "fire", "fire", "fire", "fire", "fire", "fire"}, "F--F--F"},
        {EmojiSettings::Amount::lots, {"fire", "fire", "fire"}, "F-F"},
        {EmojiSettings::Amount::lots, {"fire", "fire money", "so"}, "FM-"},
    };
    for (const Case& c : cases) {
        const auto picks = EmojiPicker::assign(lines(c.texts), EmojiSettings{c.amount, {}});
        EXPECT_EQ(emojisOf(picks, c.texts.size()), c.expected);
    }
}

TEST(EmojiPicker, ManualChoicesWinAndOnlyANonEmptyOneRestartsTheSpacing)
{
    auto l = lines({"fire", "so", "and", "and", "fire", "fire", "fire"});
    EmojiSettings settings{EmojiSettings::Amount::some, {}};
    settings.overrides[l[1].words[0].id->text()] = money;  // one line after an automatic emoji
    settings.overrides[l[4].words[0].id->text()] = "";      // no emoji; spacing counts on from line 1
    const auto picks = EmojiPicker::assign(l, settings);
    EXPECT_EQ(emojisOf(picks, l.size()), "FM---F-");
    EXPECT_EQ(picks.at(1).wordID, l[1].words[0].id);
    EXPECT_EQ(picks.at(5).wordID, l[5].words[0].id);
}

class EditorEmojis : public EditorTest {
protected:
    // One caption line per word.
    static Project project(const std::vector<std::string>& texts)
    {
        Project p = projectOf(texts);
        for (Word& w : p.words) w.breakAfter = true;
        return p;
    }
};

TEST_F(EditorEmojis, ChoosingALinesEmojiStoresItUnderTheWordBehindThePick)
{
    Project p = project({"so", "fire"});
    p.words[1].text = "hot";
    EditorRig rig(p);
    EXPECT_TRUE(rig->emojiPicks().empty()) << "emojis are off";

    // Choosing while off turns emojis on with amount some.
    Outcome out = observe(rig, [&] { rig->setEmoji(money, 0); });
    EXPECT_EQ(out.undoSteps, 0);
    EXPECT_EQ(out.refresh, Refresh::visual);
    ASSERT_TRUE(rig->project().emojis);
    EXPECT_EQ(rig->project().emojis->amount, EmojiSettings::Amount::some);
    EXPECT_EQ(rig->emojiPicks().at(0).emoji, money);
    EXPECT_EQ(rig->renderState()->load()->emojis.count(0), 1u) << "the pick reaches the snapshot";

    rig->setEmojis(EmojiSettings{EmojiSettings::Amount::lots, rig->project().emojis->overrides});
    ASSERT_EQ(rig->emojiPicks().at(1).emoji, fire);
    const Uuid hot = rig->transcript()[1].id;
    rig->setEmoji(std::nullopt, 1);
    EXPECT_EQ(rig->project().emojis->overrides.at(hot.text()), "") << "stored under the word that caused the pick";
    EXPECT_FALSE(rig->emojiPicks().contains(1));

    rig->setEmoji("auto", 1);
    EXPECT_FALSE(rig->project().emojis->overrides.contains(hot.text()));
    EXPECT_EQ(rig->emojiPicks().at(1).emoji, fire);

    rig->setEmojis(std::nullopt);
    EXPECT_TRUE(rig->emojiPicks().empty());
    const auto before = rig->project().emojis;
    rig->setEmoji(money, 42);
    EXPECT_EQ(rig->project().emojis, before) << "an unknown line changes nothing";
}

}  // namespace
}  // namespace vt
