#include "HomeTestSupport.h"

#include "captions/presets/StylePresets.h"
#include "speech/WhisperLanguage.h"
#include "ui/home/FormChooser.h"
#include "ui/home/NewProjectCard.h"
#include "ui/home/ScriptSheet.h"
#include "support/Waits.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <gtest/gtest.h>

namespace vt {
namespace {

TEST(FormChooser, SearchShowsFromThirteenOptionsAndAPickWritesTheId)
{
    FormChooser chooser("Caption style");
    std::vector<ChooserOption> options;
    for (int i = 0; i < 12; ++i) options.push_back({"id" + std::to_string(i), "Option " + std::to_string(i)});
    chooser.setOptions(options);
    chooser.setSelection("missing");
    EXPECT_EQ(chooser.currentName(), "missing");
    EXPECT_EQ(chooser.accessibleName(), "Caption style: missing");
    chooser.show();
    chooser.toggle();
    EXPECT_TRUE(chooser.isOpen());
    EXPECT_FALSE(chooser.searchField()->isVisibleTo(chooser.popup()));
    chooser.toggle();
    options.push_back({"hin", "Hinglish (Roman letters)"});
    options.push_back({"hindi", "Hindi (देवनागरी)"});
    options.push_back({"mar", "Marathi (Roman letters)"});
    chooser.setOptions(options);
    chooser.toggle();
    EXPECT_TRUE(chooser.searchField()->isVisibleTo(chooser.popup()));

    chooser.setQuery("  hin ");
    ASSERT_EQ(chooser.shown().size(), 2u);
    EXPECT_EQ(chooser.list()->count(), 2);
    chooser.setQuery("nothing here");
    EXPECT_EQ(chooser.list()->height(), 8);
    chooser.setQuery("   ");
    EXPECT_EQ(chooser.shown().size(), options.size());

    std::string written;
    QObject::connect(&chooser, &FormChooser::picked, [&](const std::string& id) { written = id; });
    chooser.pick("hindi");
    EXPECT_EQ(written, "hindi");
    EXPECT_FALSE(chooser.isOpen());
    EXPECT_EQ(chooser.currentName(), "Hindi (देवनागरी)");
}

TEST(NewProjectCard, OptionsWriteTheModelAndTheDownloadControlFollowsIt)
{
    test::HomeFixture home;
    home.app.setEngine(TranscriptionEngine::apple);
    NewProjectCard card(home.app);
    card.show();
    EXPECT_FALSE(card.downloadButton()->isVisible());
    EXPECT_EQ(card.engineNote()->text(), "Built-in: fast and built into this computer. Speaking Hinglish or Hindi? Use Whisper.");
    EXPECT_EQ(card.engineButton(0)->text(), "Built-in");
    EXPECT_EQ(card.engineButton(1)->text(), "Whisper");
    // The apple list always holds the current locale, named by itself when unsupported.
    home.app.setLocaleID("xx-Unknown");
    const auto apple = NewProjectCard::languageOptions(home.app);
    ASSERT_FALSE(apple.empty());
    EXPECT_EQ(apple.back().id, "xx-Unknown");
    EXPECT_EQ(apple.back().name, "xx-Unknown");

    card.engineButton(1)->click();
    EXPECT_EQ(home.app.engine(), TranscriptionEngine::whisper);
    EXPECT_EQ(card.languageChooser()->options().size(), WhisperLanguage::all().size());
    EXPECT_TRUE(card.downloadButton()->isVisible());
    EXPECT_EQ(card.downloadButton()->text(), "Download Whisper model · 574 MB");
    card.languageChooser()->pick("mr-roman");
    EXPECT_EQ(home.app.whisperLanguageID(), "mr-roman");

    // Two quick presses start one download; the bar replaces the button.
    card.downloadButton()->click();
    card.downloadButton()->click();
    EXPECT_EQ(home.app.modelDownloadProgress(), 0.0);
    EXPECT_FALSE(card.downloadButton()->isVisible());
    EXPECT_TRUE(card.downloadBar()->isVisible());
    ASSERT_TRUE(test::waitFor([&] { return card.downloadBar()->value() == 427; }));

    // The start look: every built-in look is offered, and a pick writes it.
    EXPECT_EQ(card.styleChooser()->options().size(), StylePresets::all().size());
    card.styleChooser()->pick(StylePresets::all()[3].id);
    EXPECT_EQ(home.app.startStyleID(), StylePresets::all()[3].id);
}

TEST(NewProjectCard, CaptionScriptsNeedAWhisperIndicLanguage)
{
    test::HomeFixture home;
    struct Case {
        TranscriptionEngine engine;
        std::string language;
        bool native;
    };
    const std::vector<Case> cases{{TranscriptionEngine::whisper, "mr-roman", true}, {TranscriptionEngine::whisper, "hindi", true},
                                  {TranscriptionEngine::whisper, "auto", false},    {TranscriptionEngine::whisper, "en", false},
                                  {TranscriptionEngine::whisper, "ur", false},      {TranscriptionEngine::whisper, "nonsense", true},
                                  {TranscriptionEngine::apple, "hindi", false}};
    for (const Case& c : cases) {
        home.app.setEngine(c.engine);
        home.app.setWhisperLanguageID(c.language);
        EXPECT_EQ(NewProjectCard::nativeScriptsAvailable(home.app), c.native) << c.language;
    }

    NewProjectCard card(home.app);
    home.app.setCaptionLanguageID("english");
    EXPECT_TRUE(card.scriptButton()->text().startsWith("English translation"));
    home.app.setCaptionLanguageID("unknown");
    EXPECT_TRUE(card.scriptButton()->text().startsWith("English letters (ABC)"));

    home.app.setEngine(TranscriptionEngine::apple);
    card.scriptButton()->click();
    ASSERT_TRUE(card.scriptSheet());
    EXPECT_FALSE(card.scriptSheet()->row("english"));  // no translation row from the card
    EXPECT_FALSE(card.scriptSheet()->row("hindi")->isEnabled());
    card.scriptSheet()->row("latin")->click();
    EXPECT_EQ(home.app.captionLanguageID(), "latin");

    home.app.setEngine(TranscriptionEngine::whisper);
    home.app.setWhisperLanguageID("hindi");
    ASSERT_TRUE(test::waitFor([&] { return !card.scriptSheet(); }));  // the pick closed it
    card.showScripts();
    ASSERT_TRUE(card.scriptSheet());
    ASSERT_TRUE(card.scriptSheet()->row("hindi")->isEnabled());
    card.scriptSheet()->row("hindi")->click();
    EXPECT_EQ(home.app.captionLanguageID(), "hindi");
    EXPECT_TRUE(card.scriptButton()->text().startsWith("Hindi"));
}

}  // namespace
}  // namespace vt
