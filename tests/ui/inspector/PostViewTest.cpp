#include "ui/inspector/PostView.h"

#include "PostPanelRig.h"
#include "ui/inspector/CompactButton.h"
#include "ui/inspector/InlineButton.h"
#include "ui/inspector/InspectorPanel.h"
#include "ui/inspector/KitColors.h"
#include "ui/inspector/RowNote.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPlainTextEdit>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace vt;
using namespace vt::ui;
using Slot = PostTextBlock::Slot;

namespace {

const HookGenerator::Status kNoModel{false, "unavailable"};
const HookGenerator::Status kModel{true, "on-device"};

bool shown(const QWidget* w) { return !w->isHidden(); }
bool red(const QLabel* l) { return l->palette().color(QPalette::WindowText) != kit::secondaryText(); }

PostTextBlock* block(const PostView& view, Slot slot)
{
    for (auto* b : view.parts().blocks)
        if (b->slot() == slot) return b;
    return nullptr;
}

PostCopy posts(std::string instagram = "Fresh #coffee")
{
    PostCopy post;
    post.youtubeTitle = "Brew faster";
    post.youtubeDescription = "How I brew.";
    post.instagram = std::move(instagram);
    post.tiktok = "Coffee hack";
    post.x = "Three minutes.";
    return post;
}

// `n` user-perceived characters, each several code points long.
std::string graphemes(int n)
{
    std::string s;
    for (int i = 0; i < n; ++i) s += i % 2 ? "\xF0\x9F\x91\x8D\xF0\x9F\x8F\xBD" : "e\xCC\x81";  // 👍🏽 and e + acute
    return s;
}

}  // namespace

TEST(PostView, EmptyStateWritesThePostsFromTheTranscript)
{
    test::PostPanelRig rig;
    PostView view(*rig, kNoModel);
    const auto& p = view.parts();
    EXPECT_TRUE(shown(p.emptyState));
    EXPECT_FALSE(shown(p.texts));
    EXPECT_EQ(p.writeButton->text(), QString::fromUtf8("✚ Write Posts"));
    EXPECT_TRUE(p.writeButton->isEnabled());
    EXPECT_EQ(p.writeNote->text(), QString("Made from your transcript and hook. Turn on the on-device language model for fuller rewrites."));
    EXPECT_FALSE(shown(p.busyRow));
    EXPECT_FALSE(shown(p.noteRow));
    EXPECT_TRUE(p.original->isChecked());

    QTest::mouseClick(p.writeButton, Qt::LeftButton);
    ASSERT_TRUE(rig->project().postCopy);
    EXPECT_FALSE(shown(p.emptyState));
    EXPECT_TRUE(shown(p.texts));
    EXPECT_EQ(p.writeButton->text(), QString::fromUtf8("✚ Write Again"));
    EXPECT_EQ(p.footnote->text(), QString("Edit anything before you post."));
    const PostCopy& written = *rig->project().postCopy;
    EXPECT_FALSE(written.instagram.empty());
    EXPECT_EQ(block(view, Slot::youtubeTitle)->text().toStdString(), written.youtubeTitle);
    EXPECT_EQ(block(view, Slot::instagram)->text().toStdString(), written.instagram);
    EXPECT_EQ(block(view, Slot::x)->text().toStdString(), written.x);

    // English without a translation: the texts still come, with a note why
    // they are not in English.
    QTest::mouseClick(p.english, Qt::LeftButton);
    QTest::mouseClick(p.writeButton, Qt::LeftButton);
    EXPECT_TRUE(shown(p.noteRow));
    EXPECT_TRUE(p.noteText->text().startsWith("For English posts, translate the captions first"));

    rig->updateProject([](Project& project) {
        for (Word& w : project.words) w.deleted = true;
    });
    EXPECT_FALSE(p.writeButton->isEnabled()) << "nothing left to write from";
}

TEST(PostView, OpeningStateFollowsTheProject)
{
    {
        test::PostPanelRig rig([](Project& p) { p.postCaption = "An older caption"; });
        PostView view(*rig, kModel);
        ASSERT_TRUE(rig->project().postCopy);
        EXPECT_EQ(rig->project().postCopy->instagram, "An older caption");
        EXPECT_EQ(rig->project().postCaption, "An older caption");
        EXPECT_EQ(block(view, Slot::instagram)->text(), QString("An older caption"));
        EXPECT_TRUE(block(view, Slot::tiktok)->text().isEmpty());
        EXPECT_EQ(view.parts().footnote->text(), QString("Edit anything before you post."));
        EXPECT_EQ(view.parts().writeButton->text(), QString::fromUtf8("✨ Write Again"));
        EXPECT_EQ(view.parts().writeNote->text(), QString("The on-device language model writes them on this computer, from what you say."));
        EXPECT_EQ(view.parts().busyText->text(), QString::fromUtf8("Writing on this computer…"));
    }
    struct Case {
        std::optional<std::string> language;
        bool byAI;
        bool english;
    };
    for (const Case& c : {Case{"english", true, true}, Case{"hindi", false, false}, Case{std::nullopt, false, false}}) {
        test::PostPanelRig rig([&](Project& p) {
            p.postCopy = posts();
            p.postCopy->language = c.language;
            p.postCopy->byAI = c.byAI;
        });
        PostView view(*rig, kNoModel);
        EXPECT_EQ(view.parts().english->isChecked(), c.english);
        EXPECT_EQ(view.parts().original->isChecked(), !c.english);
        EXPECT_EQ(view.parts().footnote->text(), c.byAI ? QString("Written by the on-device language model. Read them over before you post.")
                                                        : QString("Edit anything before you post."));
        EXPECT_EQ(view.parts().busyText->text(), QString::fromUtf8("Writing…"));
    }
}

TEST(PostView, CountersMeasureCharactersAndInstagramHashtags)
{
    test::PostPanelRig rig([](Project& p) { p.postCopy = posts(); });
    PostView view(*rig, kNoModel);
    struct Limit {
        Slot slot;
        int limit;
    };
    for (const Limit& l : {Limit{Slot::youtubeTitle, 100}, Limit{Slot::youtubeDescription, 5000},
                           Limit{Slot::instagram, 2200}, Limit{Slot::tiktok, 2200}, Limit{Slot::x, 280}}) {
        PostTextBlock* b = block(view, l.slot);
        b->editor()->setPlainText(QString::fromStdString(graphemes(l.limit)));
        EXPECT_EQ(b->counter()->text(), QString("%1 / %1").arg(l.limit));
        EXPECT_FALSE(red(b->counter()));
        b->editor()->setPlainText(QString::fromStdString(graphemes(l.limit + 1)));
        EXPECT_EQ(b->counter()->text(), QString("%1 / %2").arg(l.limit + 1).arg(l.limit));
        EXPECT_TRUE(red(b->counter())) << l.limit;
        EXPECT_EQ(b->text().toStdString(), graphemes(l.limit + 1)) << "a text over its limit stays as typed";
    }
    EXPECT_EQ(rig->project().postCopy->x, graphemes(281));

    struct Tags {
        QString text;
        QString shown;  // empty: no hashtag count
        bool red;
    };
    QString thirty, thirtyOne;
    for (int i = 0; i < 30; ++i) thirty += QString("#t%1 ").arg(i);
    thirtyOne = thirty + "\n#last";
    PostTextBlock* instagram = block(view, Slot::instagram);
    for (const Tags& t : {Tags{"No tags here", {}, false}, Tags{"Just # alone", {}, false},
                          Tags{"Morning #coffee, done", "1 hashtag", false}, Tags{"#a\n#b", "2 hashtags", false},
                          Tags{thirty, "30 hashtags", false}, Tags{thirtyOne, "31 hashtags", true}}) {
        instagram->editor()->setPlainText(t.text);
        EXPECT_EQ(shown(instagram->hashtags()), !t.shown.isEmpty()) << t.text.toStdString();
        if (!t.shown.isEmpty()) {
            EXPECT_EQ(instagram->hashtags()->text(), t.shown);
            EXPECT_EQ(red(instagram->hashtags()), t.red);
        }
    }
    for (Slot slot : {Slot::youtubeTitle, Slot::youtubeDescription, Slot::tiktok, Slot::x}) {
        block(view, slot)->editor()->setPlainText("#one #two");
        EXPECT_FALSE(shown(block(view, slot)->hashtags()));
    }
}

TEST(PostView, TypingStoresTheTextAndCountsOnlyWhenATextChanges)
{
    test::PostPanelRig rig([](Project& p) {
        p.postCopy = posts();
        p.postCopy->byAI = true;
        p.postCopy->language = "english";
    });
    PostView view(*rig, kNoModel);
    view.show();
    PostTextBlock* x = block(view, Slot::x);
    PostTextBlock* tiktok = block(view, Slot::tiktok);
    const int before = x->recounts();
    const auto undo = rig->undoDepth();
    x->editor()->setFocus();
    x->editor()->moveCursor(QTextCursor::End);
    QTest::keyClicks(x->editor(), " Go");
    EXPECT_EQ(rig->project().postCopy->x, "Three minutes. Go");
    EXPECT_TRUE(rig->project().postCopy->byAI) << "editing keeps who wrote them";
    EXPECT_EQ(rig->project().postCopy->language, std::optional<std::string>("english"));
    EXPECT_EQ(rig->undoDepth(), undo);
    EXPECT_EQ(x->recounts(), before + 3) << "one count per typed character";
    EXPECT_EQ(x->counter()->text(), QString("17 / 280"));

    // Redraws and changes elsewhere in the project count nothing.
    const int tiktokBefore = tiktok->recounts();
    for (int i = 0; i < 5; ++i) {
        view.repaint();
        rig->setHookOverlay(HookOverlay{"Hook " + std::to_string(i), 3});
    }
    QTest::qWait(20);
    EXPECT_EQ(x->recounts(), before + 3);
    EXPECT_EQ(tiktok->recounts(), tiktokBefore);

    // A text changed by the model is shown and counted once.
    rig->updateProject([](Project& p) { p.postCopy->tiktok = "New from elsewhere"; });
    EXPECT_EQ(tiktok->text(), QString("New from elsewhere"));
    EXPECT_EQ(tiktok->recounts(), tiktokBefore + 1);
    EXPECT_EQ(tiktok->counter()->text(), QString("18 / 2200"));

    // The title is one line: Return does not break it.
    PostTextBlock* title = block(view, Slot::youtubeTitle);
    title->editor()->setFocus();
    QTest::keyClick(title->editor(), Qt::Key_Return);
    EXPECT_EQ(rig->project().postCopy->youtubeTitle, "Brew faster");
}

TEST(PostView, CopyPutsOneTextOnTheClipboardWithShortFeedback)
{
    test::PostPanelRig rig([](Project& p) {
        p.postCopy = posts();
        p.postCopy->tiktok.clear();
    });
    PostView view(*rig, kNoModel, nullptr, rig.clock);
    PostTextBlock* title = block(view, Slot::youtubeTitle);
    PostTextBlock* x = block(view, Slot::x);
    EXPECT_FALSE(block(view, Slot::tiktok)->copyButton()->isEnabled()) << "an empty text cannot be copied";

    QApplication::clipboard()->setText("something else");
    QTest::mouseClick(title->copyButton(), Qt::LeftButton);
    EXPECT_EQ(QApplication::clipboard()->text(), QString("Brew faster"));
    EXPECT_EQ(title->copyButton()->accessibleName(), QString("Copied"));
    rig.clock->advance(0.5);
    QTest::mouseClick(x->copyButton(), Qt::LeftButton);
    EXPECT_EQ(QApplication::clipboard()->text(), QString("Three minutes."));
    EXPECT_EQ(title->copyButton()->accessibleName(), QString("Copy")) << "the newer copy takes the feedback at once";
    EXPECT_EQ(x->copyButton()->accessibleName(), QString("Copied"));
    rig.clock->advance(1.2);  // 1.7 s after the first copy, 1.2 s after the second
    EXPECT_EQ(x->copyButton()->accessibleName(), QString("Copied")) << "the first copy's timer leaves a newer one alone";
    rig.clock->advance(0.5);
    EXPECT_EQ(x->copyButton()->accessibleName(), QString("Copy"));

    // Twice on one text: the feedback ends 1.5 s after the first click.
    QTest::mouseClick(x->copyButton(), Qt::LeftButton);
    rig.clock->advance(1.0);
    QTest::mouseClick(x->copyButton(), Qt::LeftButton);
    rig.clock->advance(0.7);
    EXPECT_EQ(x->copyButton()->accessibleName(), QString("Copy"));
}

TEST(PostView, TheInspectorShowsItForThePostTab)
{
    test::PostPanelRig rig;
    InspectorPanel panel(*rig, *rig.action);
    rig->setInspectorTab(InspectorTab::post);
    EXPECT_NE(dynamic_cast<PostView*>(panel.body()), nullptr);
}
