#include "HomeTestSupport.h"
#include "ui/home/FormChooser.h"
#include "ui/home/LanguageStep.h"
#include "ui/home/NewProjectCard.h"
#include "support/Waits.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace vt {
namespace {

// A download that reports a few fractions and then waits to be cancelled.
AppModel::Services tickingDownload()
{
    AppModel::Services services;
    services.downloadModel = [](const std::function<void(double)>& progress, const CancelToken& cancel) {
        for (double f : {0.1, 0.2, 0.3, 0.4, 0.5}) {
            progress(f);
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        while (!cancel.isCancelled()) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    };
    return services;
}

// Choosing "Another language" starts the download, so the language menu is in
// use exactly while progress comes in: the progress must leave it alone.
TEST(LanguageStep, DownloadProgressLeavesAnOpenLanguageMenuAsItIs)
{
    test::IsolatedHome home;
    AppModel app{tickingDownload()};
    LanguageStep step(app, [] {}, [] {});
    step.show();
    step.row(LanguageStep::Choice::other)->click();
    QComboBox* menu = step.languageMenu();
    menu->showPopup();
    ASSERT_TRUE(menu->view()->isVisible());
    menu->view()->setCurrentIndex(menu->model()->index(menu->findData("ta"), 0));
    QSignalSpy removed(menu->model(), &QAbstractItemModel::rowsRemoved);

    ASSERT_TRUE(test::waitFor([&] { return app.modelDownloadProgress() == 0.5; }));
    EXPECT_EQ(removed.count(), 0);
    EXPECT_TRUE(menu->view()->isVisible());
    EXPECT_EQ(menu->view()->currentIndex().row(), menu->findData("ta"));
    EXPECT_EQ(step.downloadPercent()->text(), "50% of 574 MB");
}

// The same holds for the new-project card's spoken-language list, open while
// the download started from the card runs.
TEST(NewProjectCard, DownloadProgressLeavesAnOpenLanguageListAsItIs)
{
    test::IsolatedHome home;
    AppModel app{tickingDownload()};
    app.setEngine(TranscriptionEngine::whisper);
    NewProjectCard card(app);
    card.show();
    FormChooser* chooser = card.languageChooser();
    chooser->toggle();
    ASSERT_TRUE(chooser->isOpen());
    QSignalSpy reset(chooser->list()->model(), &QAbstractItemModel::modelReset);
    app.downloadWhisperModel();

    ASSERT_TRUE(test::waitFor([&] { return app.modelDownloadProgress() == 0.5; }));
    EXPECT_EQ(reset.count(), 0);
    EXPECT_TRUE(chooser->isOpen());
}

}  // namespace
}  // namespace vt
