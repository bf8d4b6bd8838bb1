#include "ui/inspector/StyleBrowserView.h"

#include "StyleRig.h"
#include "captions/look/StyleVariants.h"
#include "speech/CaptionLanguage.h"
#include "ui/inspector/ColorwayRow.h"
#include "ui/inspector/CompactButton.h"
#include "ui/inspector/LineStyleMenu.h"
#include "ui/inspector/PopularTag.h"
#include "ui/inspector/StyleCard.h"
#include "ui/inspector/StyleGrid.h"
#include "ui/inspector/TranslationStatusRow.h"
#include "platform/Translator.h"
#include "support/Waits.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace vt;
using namespace vt::ui;

namespace {

struct BrowserTest : ::testing::Test {
    test::StyleRig rig;
    std::unique_ptr<StyleBrowserView> view;

    void open(QSize size = {360, 900})
    {
        view = std::make_unique<StyleBrowserView>(rig.editor());
        view->resize(size);
        view->show();
        QCoreApplication::processEvents();
    }
    StyleCard* card(const std::string& id)
    {
        for (auto& [index, c] : view->parts().grid->cards())
            if (c->style().id == id) return c;
        return nullptr;
    }
    std::set<Uuid> firstWords(int n)
    {
        std::set<Uuid> ids;
        for (int i = 0; i < n; ++i) ids.insert(rig.editor().project().words[i].id);
        return ids;
    }
    QPushButton* pill(const QString& title)
    {
        for (auto* p : view->pills())
            if (p->text() == title) return p;
        return nullptr;
    }
};

TEST_F(BrowserTest, OpensOnPopularAndFiltersByCategoryAndSearch)
{
    open();
    const auto& p = view->parts();
    EXPECT_TRUE(pill("Popular")->property("selected").toBool());
    EXPECT_EQ(p.title->text(), QString("Popular"));
    EXPECT_EQ(p.blurb->toolTip(), QString("Community favourites and trending looks."));
    EXPECT_EQ(p.count->text(), QString("16"));
    EXPECT_EQ(p.grid->styles().front().id, std::string(StylePresets::popularIDs().front()));
    EXPECT_FALSE(pill("My Styles"));
    EXPECT_TRUE(p.aiBadge->isHidden());

    pill("All")->click();
    EXPECT_EQ(p.title->text(), QString("All styles"));
    EXPECT_EQ(p.blurb->toolTip(), QString("Every look, in one place."));
    EXPECT_EQ(p.count->text(), QString::number(StylePresets::all().size()));
    EXPECT_EQ(p.search->placeholderText(), QString("Search %1 styles, fonts, effects").arg(StylePresets::all().size()));
    pill("Multiline")->click();
    EXPECT_FALSE(p.aiBadge->isHidden());

    view->setCategory(std::nullopt);
    QTest::keyClicks(p.search, "zzzz-nothing");
    EXPECT_EQ(p.looks->currentWidget(), p.noResults);
    EXPECT_TRUE(p.noResults->text().contains("zzzz-nothing"));
    EXPECT_EQ(p.count->text(), QString("0"));
    ASSERT_FALSE(p.clearSearch->isHidden());
    p.clearSearch->click();
    EXPECT_TRUE(p.search->text().isEmpty());
    EXPECT_NE(p.looks->currentWidget(), p.noResults);
    EXPECT_TRUE(p.clearSearch->isHidden());
}

TEST_F(BrowserTest, CardsExistOnlyNearTheScreenAndPreviewWhenShown)
{
    open({360, 700});
    view->setCategory(std::nullopt);
    QCoreApplication::processEvents();
    StyleGrid* grid = view->parts().grid;
    const std::size_t total = grid->styles().size();
    ASSERT_GT(total, 100u);
    EXPECT_LT(grid->cards().size(), 40u);
    EXPECT_EQ(grid->cards().begin()->first, 0u);

    // Previews come for the cards on screen, drawn off the main thread.
    auto* first = grid->cards().begin()->second;
    ASSERT_TRUE(test::waitFor([&] { return first->hasPreview(); }));

    auto* scroll = view->findChild<QScrollArea*>();
    scroll->verticalScrollBar()->setValue(scroll->verticalScrollBar()->maximum());
    QCoreApplication::processEvents();
    EXPECT_EQ(grid->cards().count(0), 0u);
    EXPECT_EQ(grid->cards().count(total - 1), 1u);
    EXPECT_LT(grid->cards().size(), 40u);
    // The previews of cards that left were cancelled, not left running.
    rig.editor().previewCache().waitForDrawings();
    QCoreApplication::processEvents();
    EXPECT_LE(rig.editor().previewCache().stylePreviews().size(), 60u);
}

TEST_F(BrowserTest, WithoutAPosterFrameCardsWait)
{
    test::EditorRig unreadable(test::styledProject(), false);
    StyleCard card(*unreadable, StylePresets::all().front(), false);
    card.resize(120, 260);
    card.show();
    QTest::qWait(50);
    EXPECT_FALSE(unreadable->posterFrame());
    EXPECT_FALSE(card.hasPreview());
    EXPECT_EQ(unreadable->previewCache().drawingsPending(), 0u);
    EXPECT_TRUE(card.taskID().find("|false|9:16|") != std::string::npos);
}

TEST_F(BrowserTest, ACardThatGoesCancelsItsPreview)
{
    auto card = std::make_unique<StyleCard>(rig.editor(), StylePresets::all()[7], false);
    card->resize(120, 260);
    card->show();
    ASSERT_TRUE(rig.editor().posterFrame());
    auto* cache = &rig.editor().previewCache();
    EXPECT_EQ(cache->drawingsPending(), 1u);
    card.reset();
    EXPECT_EQ(cache->drawingsPending(), 0u);
    cache->waitForDrawings();
    QCoreApplication::processEvents();
    EXPECT_TRUE(cache->stylePreviews().empty());

    // A card going after its editor touches nothing.
    auto late = std::make_unique<StyleCard>(rig.editor(), StylePresets::all()[8], false);
    late->show();
    rig.rig.model.reset();
    late.reset();
}

TEST_F(BrowserTest, ApplyToTheVideoOrToTheSelectedWords)
{
    open();
    const auto& p = view->parts();
    const CaptionStyle target = *rig.library.style(std::string(StylePresets::popularIDs()[3]));
    EXPECT_TRUE(p.applyBox->isHidden());
    view->setOnlySelected(true);  // no words: still the whole video
    view->apply(target);
    EXPECT_EQ(rig.editor().project().baseStyleID, target.id);
    EXPECT_EQ(rig.editor().undoDepth(), 0u);
    ASSERT_TRUE(card(target.id));
    EXPECT_TRUE(card(target.id)->selected());

    rig.editor().setSelection(firstWords(1));
    EXPECT_FALSE(p.applyBox->isHidden());
    EXPECT_EQ(p.justSelected->text(), QString("Just the selected word"));
    rig.editor().setSelection(firstWords(3));
    EXPECT_EQ(p.justSelected->text(), QString("Just the 3 selected words"));
    EXPECT_EQ(p.applyNote->text(), QString("Pick a style for these words; the rest keep the video's style."));
    EXPECT_TRUE(p.sameAsVideo->isHidden());

    const CaptionStyle other = *rig.library.style(std::string(StylePresets::popularIDs()[5]));
    view->apply(other);
    EXPECT_EQ(rig.editor().undoDepth(), 1u);
    EXPECT_EQ(p.applyNote->text(), QString::fromStdString("These words use " + other.name + "."));
    EXPECT_FALSE(p.sameAsVideo->isHidden());
    EXPECT_TRUE(card(other.id)->selected());
    EXPECT_FALSE(card(target.id)->selected());
    p.sameAsVideo->click();
    EXPECT_FALSE(rig.editor().sharedStyle(firstWords(3)));
    EXPECT_EQ(rig.editor().undoDepth(), 2u);
}

TEST_F(BrowserTest, SavedLooksHaveTheirPillAndCanBeDeleted)
{
    open();
    const CaptionStyle saved = rig.library.saveCustom(rig.look(), "Mine");
    ASSERT_TRUE(pill("My Styles"));
    pill("My Styles")->click();
    EXPECT_EQ(view->parts().count->text(), QString("1"));
    EXPECT_FALSE(view->menuFor(*rig.library.style(std::string(StylePresets::popularIDs()[0]))));
    QMenu* menu = view->menuFor(saved);
    ASSERT_TRUE(menu);
    ASSERT_EQ(menu->actions().size(), 1);
    EXPECT_EQ(menu->actions()[0]->text(), QString("Delete Style"));
    menu->actions()[0]->trigger();
    EXPECT_TRUE(rig.library.custom().empty());
    EXPECT_FALSE(pill("My Styles"));
    EXPECT_EQ(view->category(), StyleCategory::mine);  // kept though its pill is gone
}

TEST_F(BrowserTest, SelectedCardShowsColourwaysThatRecolourTheVideo)
{
    open();
    const std::string id = rig.editor().project().baseStyleID;
    StyleCard* selected = card(id);
    ASSERT_TRUE(selected);
    ASSERT_TRUE(StyleVariants::canRecolor(selected->style()));
    ASSERT_TRUE(selected->colorways());
    for (auto& [i, c] : view->parts().grid->cards())
        if (c != selected) {
            EXPECT_FALSE(c->colorways());
        }
    auto dots = [&] { return selected->colorways()->findChildren<QAbstractButton*>(); };
    auto ringed = [&] {
        QStringList out;
        for (auto* d : dots())
            if (d->property("selected").toBool()) out << d->toolTip();
        return out;
    };
    const RGBA accent = StyleVariants::accent(selected->style());
    for (auto* d : dots())
        for (const auto& s : StyleVariants::swatches())
            if (d->toolTip() == QString::fromStdString(s.name)) {
                EXPECT_FALSE(ColorwayRow::matches(s.color, accent));
            }
    EXPECT_EQ(ringed(), QStringList{"Original colors"});

    const std::string keyBefore = selected->previewKey();
    QAbstractButton* swatch = nullptr;
    for (auto* d : dots())
        if (d->toolTip() != "Original colors") swatch = d;
    const QString name = swatch->toolTip();
    swatch->click();
    QCoreApplication::processEvents();
    EXPECT_EQ(ringed(), QStringList{name});
    EXPECT_NE(selected->previewKey(), keyBefore);  // the recoloured look is previewed
    EXPECT_EQ(selected->style().id, id);

    // Recoloured by hand to a colour of no swatch: no ring.
    rig.change([](CaptionStyle& s) { s = StyleVariants::recolor(s, RGBA{0.5, 0.45, 0.4, 1}); });
    QCoreApplication::processEvents();
    EXPECT_TRUE(ringed().isEmpty());

    for (auto* d : dots())
        if (d->toolTip() == "Original colors") d->click();
    QCoreApplication::processEvents();
    EXPECT_EQ(ringed(), QStringList{"Original colors"});
}

TEST_F(BrowserTest, PopularLooksCarryTheirStar)
{
    open();
    for (auto& [i, c] : view->parts().grid->cards()) {
        ASSERT_TRUE(c->popularTag()) << c->style().id;
        EXPECT_TRUE(c->popularTag()->testAttribute(Qt::WA_TransparentForMouseEvents));
        EXPECT_EQ(c->popularTag()->pos(), c->selected() ? QPoint(9, 9) : QPoint(6, 6));
    }
    view->setCategory(StyleCategory::mine);
    view->setCategory(std::nullopt);
    int stars = 0;
    for (auto& [i, c] : view->parts().grid->cards()) stars += c->popularTag() != nullptr;
    EXPECT_LT(stars, static_cast<int>(view->parts().grid->cards().size()));
}

TEST_F(BrowserTest, CaptionWritingShowsAndSwitchesTheScript)
{
    open();
    const auto& p = view->parts();
    EXPECT_EQ(p.writingGlyph->text(), QString("abc"));
    EXPECT_EQ(p.writingName->fullText(), QString("English letters (ABC)"));
    const std::string latinKey = rig.editor().previewKey(rig.look());
    rig.editor().setCaptionLanguage("hindi");
    EXPECT_EQ(p.writingName->fullText(), QString::fromStdString(CaptionLanguage::find("hindi").name));
    EXPECT_NE(rig.editor().previewKey(rig.look()), latinKey);
    rig.editor().setCaptionLanguage("english");  // no translation stored and no translator: refused
    EXPECT_EQ(rig.editor().project().captionLanguageID, "hindi");
    EXPECT_EQ(p.translation->text()->text(), QString::fromStdString(*rig.editor().translationUnavailableReason()));
    p.translation->button()->click();
    rig.editor().setCaptionLanguage("latin");
    EXPECT_FALSE(rig.editor().project().captionLanguageID);
    EXPECT_TRUE(p.translation->isHidden());
}

TEST_F(BrowserTest, CaptionWritingButtonAsksTheOwnerForTheSheet)
{
    std::vector<CaptionWritingRequest> asked;
    rig.editor().setCaptionLanguage("hindi");
    view = std::make_unique<StyleBrowserView>(rig.editor(), [&](const CaptionWritingRequest& r, QWidget*) { asked.push_back(r); });
    view->show();
    view->parts().writing->click();
    rig.editor().updateProject([](Project& p) { p.words[2].native = "नमस्ते"; });
    view->parts().writing->click();
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].selection, "hindi");
    EXPECT_FALSE(asked[0].nativeAvailable);
    EXPECT_TRUE(asked[1].nativeAvailable);
    EXPECT_EQ(asked[0].translationUnavailableReason, rig.editor().translationUnavailableReason());
    ASSERT_TRUE(asked[0].translationUnavailableReason);
    asked[1].onSelect("latin");
    EXPECT_FALSE(rig.editor().project().captionLanguageID);

    // Captions from a voiceover take: its words are the ones shown, and they
    // carry no native text.
    rig.editor().updateProject([](Project& p) {
        p.voiceover = Voiceover{};
        p.voiceover->words = {test::word("take", 0, 1)};
    });
    view->parts().writing->click();
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_FALSE(asked[2].nativeAvailable);
}

// A translator that is there but never answers: a started run stays running.
class SilentTranslator final : public Translator::Backend {
public:
    bool installed() const override { return true; }
    Translator::Status status(const std::string&, const std::string&) const override { return Translator::Status::supported; }
    void prepare(const std::optional<std::string>&, const std::string&) override {}
    std::vector<Translator::Response> translate(const std::optional<std::string>&, const std::string&,
                                                const std::vector<Translator::Request>&) override
    {
        return {};
    }
};

TEST_F(BrowserTest, TranslationRowFollowsTheEditorAndStartsItsActions)
{
    rig.editor().updateProject([](Project& p) {
        p.localeID = "es-ES";
        std::vector<Word> english = p.words;
        for (Word& w : english) w.text = "en";
        p.translation = CaptionTranslation{english, "es", {}};
    });
    rig.editor().updateProject([&](Project& p) { p.translation->basis = rig.editor().currentTranslationBasis(); });
    rig.editor().setCaptionLanguage("english");
    open();
    TranslationStatusRow* row = view->parts().translation;
    ASSERT_TRUE(test::shown(row));
    EXPECT_EQ(row->text()->text(), QString("Translated on this computer. Fix any word in the transcript."));

    // Without a translator "Translate Again" fails with the reason; "Dismiss" clears it.
    ASSERT_TRUE(test::shown(row->button()));
    EXPECT_EQ(row->button()->text(), QString("Translate Again"));
    row->button()->click();
    EXPECT_EQ(row->text()->text(), QString(Translator::notInstalled));
    EXPECT_EQ(row->button()->text(), QString("Dismiss"));
    row->button()->click();
    EXPECT_EQ(rig.editor().translationError(), std::nullopt);
    EXPECT_EQ(row->button()->text(), QString("Translate Again"));

    // A cut since translating makes the note stale.
    rig.editor().updateProject([](Project& p) { p.words[1].deleted = true; });
    EXPECT_EQ(row->text()->text(), QString("You've cut since translating: translate again to match."));

    // With a translator the run starts and the row shows its status alone.
    Translator::install(std::make_shared<SilentTranslator>());
    row->button()->click();
    ASSERT_TRUE(rig.editor().translating());
    EXPECT_EQ(row->text()->text(), QString("Translating to English…"));
    EXPECT_FALSE(test::shown(row->button()));

    // Back to Latin letters with no run or failure: nothing to report.
    ASSERT_TRUE(test::waitFor([&] { return rig.editor().translationJob().has_value(); }));
    rig.editor().failTranslation(*rig.editor().translationJob(), "Couldn't translate.");
    Translator::install(nullptr);
    EXPECT_EQ(row->text()->text(), QString("Couldn't translate."));
    row->button()->click();
    rig.editor().setCaptionLanguage("latin");
    EXPECT_FALSE(test::shown(row));
}

TEST(TranslationStatusRow, ShowsTheFirstStateThatHolds)
{
    using S = TranslationStatusRow::Shows;
    int dismissed = 0, again = 0;
    TranslationStatusRow row([&] { ++dismissed; }, [&] { ++again; });
    struct Case {
        TranslationStatusRow::Status status;
        S shows;
        QString text;
        QString button;
    };
    const std::vector<Case> cases{
        {{true, "Translating to English…", QString("old failure"), true, false}, S::progress, "Translating to English…", ""},
        {{false, {}, QString("It failed."), true, false}, S::failure, "It failed.", "Dismiss"},
        {{false, {}, std::nullopt, true, true}, S::translated, "You've cut since translating: translate again to match.",
         "Translate Again"},
        {{false, {}, std::nullopt, true, false}, S::translated,
         "Translated on this computer. Fix any word in the transcript.", "Translate Again"},
        {{false, {}, std::nullopt, false, true}, S::nothing, "", ""},
    };
    for (const auto& c : cases) {
        row.setStatus(c.status);
        EXPECT_EQ(TranslationStatusRow::shows(c.status), c.shows);
        EXPECT_EQ(row.isHidden(), c.shows == S::nothing);
        if (c.shows == S::nothing) continue;
        EXPECT_EQ(row.text()->text(), c.text);
        EXPECT_EQ(row.button()->isHidden(), c.button.isEmpty());
        if (!c.button.isEmpty()) {
            EXPECT_EQ(row.button()->text(), c.button);
            row.button()->click();
        }
    }
    EXPECT_EQ(dismissed, 1);
    EXPECT_EQ(again, 2);
}

TEST_F(BrowserTest, LineStyleMenuGivesWordsALookOfTheirOwn)
{
    const auto ids = firstWords(2);
    rig.editor().setInspectorTab(InspectorTab::customize);
    LineStyleMenu menu(rig.editor(), ids);
    EXPECT_EQ(menu.label(), QString("Style"));
    auto items = menu.menu()->actions();
    std::vector<QAction*> entries;
    for (auto* a : items)
        if (!a->isSeparator()) entries.push_back(a);
    ASSERT_EQ(entries.size(), 2 + StylePresets::popularIDs().size());
    EXPECT_EQ(entries.front()->text(), QString("Same as the Video"));
    EXPECT_EQ(entries.back()->text(), QString("More Styles…"));

    entries[2]->trigger();  // the second popular look
    const CaptionStyle chosen = *rig.library.style(std::string(StylePresets::popularIDs()[1]));
    EXPECT_EQ(menu.label(), QString::fromStdString(chosen.name));
    EXPECT_EQ(rig.editor().undoDepth(), 1u);
    entries.front()->trigger();
    EXPECT_EQ(menu.label(), QString("Style"));

    // The video's own, unedited look returns the words to the video's look.
    for (auto* a : entries)
        if (a->text() == QString::fromStdString(rig.look().name)) a->trigger();
    EXPECT_EQ(menu.label(), QString("Style"));

    QSignalSpy tabs(&rig.editor(), &EditorModel::inspectorTabChanged);
    entries.back()->trigger();
    EXPECT_EQ(rig.editor().inspectorTab(), InspectorTab::styles);
    entries.back()->trigger();
    EXPECT_EQ(tabs.count(), 1);
}

}  // namespace
