// The transcribe-again sheet: what it preselects, what it reports of the
// language it heard, and the way from the dock's menu through the sheet to
// the running action, its cover and its alert.

#include "EditorUiRig.h"

#include "ui/editor/ScriptPicker.h"
#include "ui/editor/TranscribeAgainSheet.h"
#include "ui/editor/TranscriptDock.h"
#include "ui/editor/TranscriptDockHeader.h"
#include "support/Waits.h"

#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace vt;
using namespace vt::ui;

namespace {

TranscribeAgainSheet::Machine machine(bool installed, std::optional<HeardLanguage> heard = std::nullopt)
{
    TranscribeAgainSheet::Machine m;
    m.locales = {"en_US", "de_DE"};
    m.whisperLanguageID = "en";
    m.whisperInstalled = installed;
    m.detect = [heard](const std::string&) { return heard; };
    return m;
}

TEST(TranscribeAgainSheet, HeardLines)
{
    const struct {
        HeardLanguage heard;
        bool picked;
        const char* want;
    } cases[] = {
        {{"hi", 0.87, {{"hi", 0.87}}}, true, "Heard Hindi (87% sure): picked for you."},
        {{"en", 0.98, {{"en", 0.98}}}, false, "Heard English (98% sure)."},
        {{"ur", 0.9, {{"ur", 0.9}}}, false, "Heard Hindi (90% sure)."},
        {{"en", 0.8, {{"en", 0.8}, {"hi", 0.10}, {"ur", 0.06}}}, true, "Heard English mixed with Hindi: picked for you."},
        {{"en", 0.8, {}}, false, "Heard English (80% sure)."},
        {{"zz", 0.5, {{"zz", 0.5}}}, false, "Heard zz (50% sure)."},
    };
    for (const auto& c : cases) EXPECT_EQ(TranscribeAgainSheet::heardLine(c.heard, c.picked), c.want) << c.want;
}

TEST(TranscribeAgainSheet, PreselectsWhatTheProjectWasMadeWith)
{
    test::EditorUiRig rig;
    EditorModel& e = rig.editor();

    // Made with Whisper in Hinglish, no model here: Whisper stays, no listening.
    e.updateProject([](Project& p) { p.localeID = "whisper:hinglish"; });
    {
        TranscribeAgainSheet sheet(e, machine(false));
        EXPECT_EQ(sheet.engine(), TranscriptionEngine::whisper);
        EXPECT_EQ(sheet.whisperLanguageID(), "hinglish");
        EXPECT_EQ(sheet.appleLocaleID(), "en_US");
        EXPECT_EQ(sheet.languagePicker()->currentData().toString(), "hinglish");
        EXPECT_FALSE(sheet.heardRow()->isVisibleTo(&sheet));
        EXPECT_TRUE(sheet.downloadNote()->isVisibleTo(&sheet));
    }
    // Made with the recognizer in French, which this machine lacks.
    e.updateProject([](Project& p) { p.localeID = "fr_FR"; });
    {
        TranscribeAgainSheet sheet(e, machine(false));
        EXPECT_EQ(sheet.engine(), TranscriptionEngine::apple);
        QComboBox* picker = sheet.languagePicker();
        ASSERT_EQ(picker->count(), 3);
        EXPECT_EQ(picker->itemData(2).toString(), "fr_FR");  // shown as an extra last item
        EXPECT_EQ(picker->currentIndex(), 2);
        EXPECT_FALSE(sheet.downloadNote()->isVisibleTo(&sheet));
        sheet.engineButton(TranscriptionEngine::whisper)->click();
        EXPECT_EQ(sheet.whisperLanguageID(), "en");  // the app's Whisper language
        EXPECT_TRUE(sheet.downloadNote()->isVisibleTo(&sheet));
        EXPECT_EQ(picker->currentData().toString(), "en");
    }
    // With the model: it listens, and the guard's choice replaces the preselection.
    e.updateProject([](Project& p) { p.localeID = "en_US"; });
    {
        TranscribeAgainSheet sheet(e, machine(true, HeardLanguage{"ur", 0.9, {{"ur", 0.9}}}));
        EXPECT_TRUE(sheet.listening());
        EXPECT_EQ(sheet.heardLabel()->text(), QString::fromUtf8("Listening to the video\u2026"));
        ASSERT_TRUE(test::waitFor([&] { return !sheet.listening(); }));
        ASSERT_TRUE(sheet.heard());
        EXPECT_TRUE(sheet.heard()->startsWith("Heard Hindi (90% sure)"));
        EXPECT_EQ(sheet.heardLabel()->text(), *sheet.heard());
        EXPECT_EQ(sheet.engine(), TranscriptionEngine::whisper);
        EXPECT_EQ(sheet.languagePicker()->currentData().toString(), QString::fromStdString(sheet.whisperLanguageID()));
    }
    // A detection without an answer leaves the preselection and says nothing.
    {
        TranscribeAgainSheet sheet(e, machine(true));
        ASSERT_TRUE(test::waitFor([&] { return !sheet.listening(); }));
        EXPECT_FALSE(sheet.heard());
        EXPECT_FALSE(sheet.heardRow()->isVisibleTo(&sheet));
        EXPECT_EQ(sheet.appleLocaleID(), "en_US");
    }
}

TEST(TranscribeAgainSheet, TheDockMenuOpensItAndItsRunShowsTheCoverThenTheAlert)
{
    test::EditorUiRig rig;
    EditorModel& e = rig.editor();
    e.updateProject([](Project& p) { p.localeID = "en-US"; });
    TranscriptDock dock(e, nullptr);
    dock.resize(700, 300);
    dock.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dock, test::kHangCapMs));
    QMenu* menu = dock.header()->actionsMenu();
    emit menu->aboutToShow();
    QAction* item = nullptr;
    for (QAction* a : menu->actions())
        if (a->text() == QString::fromUtf8("Transcribe Again\u2026")) item = a;
    ASSERT_TRUE(item && item->isEnabled());
    item->trigger();
    TranscribeAgainSheet* sheet = dock.transcribeAgainSheet();
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->engineButton(TranscriptionEngine::apple)->text(), "Built-in");
    sheet->engineButton(TranscriptionEngine::apple)->click();
    // While it runs, the cover hides the dock and the item is disabled.
    int covered = 0;
    QObject::connect(&e, &EditorModel::retranscribingChanged, &dock, [&] {
        if (!e.retranscribing()) return;
        EXPECT_TRUE(dock.retranscribeOverlay()->isVisible());
        EXPECT_EQ(dock.retranscribeOverlay()->geometry(), dock.rect());
        EXPECT_EQ(dock.retranscribeStatus()->text().toStdString(), *e.retranscribing());
        emit menu->aboutToShow();
        for (QAction* a : menu->actions()) {
            if (a->text() == QString::fromUtf8("Transcribe Again\u2026")) {
                EXPECT_FALSE(a->isEnabled());
            }
        }
        ++covered;
    });
    // The sample project's video does not exist, so the recognizer fails for real.
    sheet->transcribeButton()->click();
    ASSERT_TRUE(test::waitFor([&] { return e.retranscribeError().has_value(); }));
    EXPECT_GE(covered, 1);
    ASSERT_TRUE(test::waitFor([&] { return !e.retranscribing(); }));
    EXPECT_FALSE(dock.retranscribeOverlay()->isVisible());
    ASSERT_TRUE(e.retranscribeError());
    QMessageBox* alert = dock.retranscribeAlert();
    ASSERT_TRUE(alert);
    EXPECT_EQ(alert->text(), "Couldn't transcribe again");
    EXPECT_EQ(alert->informativeText().toStdString(), *e.retranscribeError());
    alert->reject();
    EXPECT_FALSE(e.retranscribeError());  // dismissing clears the message
    // A library's own account of a failure goes in the alert's details.
    e.setRetranscribeError(std::string("The speech model could not be downloaded."), "The download failed: Connection reset.");
    ASSERT_TRUE(test::waitFor([&] { return dock.retranscribeAlert() && dock.retranscribeAlert()->isVisible(); }));
    EXPECT_EQ(dock.retranscribeAlert()->detailedText(), "The download failed: Connection reset.");
    dock.retranscribeAlert()->reject();
    EXPECT_TRUE(e.retranscribeErrorDetail().empty());  // cleared with its message
}

}  // namespace

namespace {

QString rowText(QAbstractButton* row)
{
    QStringList texts;
    for (QLabel* l : row->findChildren<QLabel*>()) texts << l->text();
    return texts.join(" | ");
}

TEST(ScriptPicker, RowsFollowTheCallersChoices)
{
    std::vector<std::string> picks;
    ScriptPicker picker("hindi", true, std::nullopt, [&](const std::string& id) { picks.push_back(id); }, true);
    picker.show();
    ASSERT_TRUE(picker.row("hindi") && picker.row("latin"));
    EXPECT_EQ(picker.row("hindi")->accessibleDescription(), "selected");
    EXPECT_TRUE(picker.row("latin")->accessibleDescription().isEmpty());
    EXPECT_FALSE(picker.row("english"));  // no translation offered
    EXPECT_TRUE(picker.footer()->text().startsWith("Only the writing changes."));
    EXPECT_FALSE(picker.nativeNote());
    for (const char* id : {"urdu", "kashmiri", "sindhi"})
        EXPECT_TRUE(rowText(picker.row(id)).contains(QString::fromUtf8(" \u00b7 approximate spelling"))) << id;
    EXPECT_FALSE(rowText(picker.row("tamil")).contains(QString::fromUtf8("\u00b7")));
    picker.row("tamil")->click();
    EXPECT_EQ(picks, std::vector<std::string>{"tamil"});
    EXPECT_FALSE(picker.isVisible());  // closed after the pick
}

TEST(ScriptPicker, UnavailableChoicesAreDimmedAndCannotBePicked)
{
    std::vector<std::string> picks;
    ScriptPicker picker("latin", false, ScriptPicker::Translation{"Translation needs a newer system."},
                        [&](const std::string& id) { picks.push_back(id); }, false);
    picker.show();
    ASSERT_TRUE(picker.nativeNote());
    EXPECT_FALSE(picker.nativeGrid()->isEnabled());
    QTest::mouseClick(picker.row("hindi"), Qt::LeftButton);
    ASSERT_TRUE(picker.row("english"));
    EXPECT_FALSE(picker.row("english")->isEnabled());
    QTest::mouseClick(picker.row("english"), Qt::LeftButton);
    EXPECT_TRUE(picks.empty());
    bool reasonShown = false;
    for (QLabel* l : picker.findChildren<QLabel*>()) reasonShown |= l->text().contains("Translation needs a newer system.");
    EXPECT_TRUE(reasonShown);
    EXPECT_TRUE(picker.footer()->text().startsWith("Scripts only change the writing."));
    picker.row("latin")->click();
    EXPECT_EQ(picks, std::vector<std::string>{"latin"});
}

}  // namespace
