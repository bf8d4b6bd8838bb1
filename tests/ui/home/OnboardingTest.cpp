#include "HomeTestSupport.h"

#include "app/AppSettings.h"
#include "captions/presets/StylePresets.h"
#include "ui/home/LanguageStep.h"
#include "ui/home/OnboardingFooter.h"
#include "ui/home/OnboardingView.h"
#include "ui/home/ReadyStep.h"
#include "ui/home/WelcomeBackView.h"
#include "ui/home/WelcomeStep.h"
#include "ui/theme/Motion.h"
#include "ui/theme/PrimaryActionButton.h"
#include "ui/theme/VideoDropZone.h"
#include "support/Waits.h"

#include <QApplication>
#include <QComboBox>
#include <QPointer>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QVariantAnimation>
#include <gtest/gtest.h>

namespace vt {
namespace {

// Shortcuts answer only in the active window.
void activate(QWidget& window)
{
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window, test::kHangCapMs));
}

TEST(OnboardingFooter, ButtonsShortcutsAndDots)
{
    int backs = 0, nexts = 0;
    OnboardingFooter footer(1, [&] { ++backs; }, std::nullopt, OnboardingFooter::Primary{"Continue", false, [&] { ++nexts; }});
    footer.show();
    activate(footer);
    EXPECT_EQ(footer.dotsLabel(), "Step 2 of 3");
    EXPECT_EQ(footer.primaryButton()->drawnOpacity(), 0.4);
    QTest::keyClick(&footer, Qt::Key_Return);
    EXPECT_EQ(nexts, 0);  // disabled: Return does nothing
    footer.setPrimaryEnabled(true);
    QTest::keyClick(&footer, Qt::Key_Return);
    EXPECT_EQ(nexts, 1);
    QTest::keyClick(&footer, Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(backs, 1);

    OnboardingFooter first(0, nullptr, std::nullopt, std::nullopt);
    EXPECT_FALSE(first.backButton());
    EXPECT_EQ(first.dotsLabel(), "Step 1 of 3");
}

TEST(WelcomeStep, FooterOrButtonAndTheLooksCount)
{
    int runs = 0;
    WelcomeStep onboarding([&] { ++runs; }, "Get started", 0);
    ASSERT_TRUE(onboarding.footer());
    EXPECT_FALSE(onboarding.button());
    EXPECT_EQ(onboarding.footer()->step(), 0);
    EXPECT_TRUE(onboarding.footer()->primaryButton()->text().startsWith("Get Started"));
    EXPECT_EQ(WelcomeStep::looksDetail(),
              QString::number(StylePresets::all().size()) + " caption styles, hooks, thumbnails, B-roll, music and color.");

    // The entrance may start and end between two looks on a busy machine:
    // watch for its start rather than catch it running. The flag outlives the
    // step, whose animation reports its stop as the step is destroyed.
    bool entered = false;
    WelcomeStep back([&] { ++runs; }, "Open my projects", std::nullopt);
    QObject::connect(back.entrance(), &QAbstractAnimation::stateChanged,
                     [&](QAbstractAnimation::State state) { entered = entered || state == QAbstractAnimation::Running; });
    EXPECT_EQ(back.markSide(), 77);  // 0.8 of 96 before the entrance
    back.show();
    activate(back);
    ASSERT_TRUE(back.button());
    EXPECT_EQ(back.button()->text(), "Open my projects");
    EXPECT_TRUE(test::waitFor([&] { return back.appeared() && entered; }));
    EXPECT_TRUE(test::waitFor([&] { return back.markSide() == 96; }));
    QTest::keyClick(&back, Qt::Key_Return);
    EXPECT_EQ(runs, 1);
}

TEST(WelcomeBackView, TitleFollowsTheProjectsAndTheButtonGoesHome)
{
    test::HomeFixture home;
    home.app.finishOnboarding();
    home.app.setScreen(Screen::welcome);
    WelcomeBackView view(home.app);
    EXPECT_EQ(view.buttonTitle(), "Get started");
    home.save("Talk");
    home.app.enterProjects();
    EXPECT_EQ(view.page()->button()->text(), "Open my projects");
    home.app.setScreen(Screen::welcome);
    view.page()->button()->click();
    EXPECT_EQ(home.app.screen(), Screen::home);
}

TEST(LanguageStep, SelectingAnAnswerAppliesItsSettings)
{
    test::HomeFixture home;
    LanguageStep step(home.app, [] {}, [] {});
    step.show();
    EXPECT_FALSE(step.choice());  // first run: nothing selected
    EXPECT_FALSE(step.footer()->primaryButton()->isEnabled());

    step.row(LanguageStep::Choice::hindi)->click();
    EXPECT_EQ(home.app.engine(), TranscriptionEngine::whisper);
    EXPECT_EQ(home.app.whisperLanguageID(), "hindi");
    EXPECT_EQ(home.app.captionLanguageID(), "hindi");
    EXPECT_EQ(AppSettings::string("whisperLanguage"), "hindi");
    EXPECT_TRUE(step.footer()->primaryButton()->isEnabled());
    EXPECT_TRUE(step.scriptRow()->isVisible());
    EXPECT_FALSE(step.languageRow()->isVisible());
    // The download started once and its card shows the truncated percentage.
    ASSERT_TRUE(test::waitFor([&] { return step.downloadPercent()->text() == "42% of 574 MB"; }));
    EXPECT_TRUE(step.downloadCard()->isVisible());
    step.row(LanguageStep::Choice::hinglish)->click();
    EXPECT_EQ(home.app.captionLanguageID(), "latin");
    EXPECT_EQ(home.app.modelDownloadProgress(), 0.427);

    step.row(LanguageStep::Choice::other)->click();
    EXPECT_EQ(home.app.whisperLanguageID(), "auto");  // hinglish is not in the menu
    EXPECT_TRUE(step.languageRow()->isVisible());
    EXPECT_EQ(step.languageMenu()->count(), 27);
    step.languageMenu()->activated(step.languageMenu()->findData("ta"));
    EXPECT_EQ(home.app.whisperLanguageID(), "ta");
    step.row(LanguageStep::Choice::other)->click();
    EXPECT_EQ(home.app.whisperLanguageID(), "ta");  // kept

    step.row(LanguageStep::Choice::english)->click();
    EXPECT_EQ(home.app.engine(), TranscriptionEngine::apple);
    EXPECT_EQ(AppSettings::string(AppSettings::engineKey), "Apple");  // stored as before, shown as built-in
    QStringList englishTexts;
    for (const QLabel* label : step.row(LanguageStep::Choice::english)->findChildren<QLabel*>()) englishTexts << label->text();
    EXPECT_TRUE(englishTexts.contains("Built-in")) << englishTexts.join(" | ").toStdString();
    EXPECT_FALSE(englishTexts.join(" ").contains("Apple"));
    EXPECT_FALSE(step.downloadCard()->isVisible());
    EXPECT_EQ(LanguageStep::menuIDs("hindi").back(), "hindi");

    // Once onboarded, the step comes up with the stored answer selected.
    AppSettings::set(AppSettings::hasOnboardedKey, true);
    LanguageStep again(home.app, [] {}, [] {});
    EXPECT_EQ(again.choice(), LanguageStep::Choice::english);
    EXPECT_TRUE(again.footer()->primaryButton()->isEnabled());
}

TEST(LanguageStep, EnglishLocaleComparesOneSpellingOfIdentifiers)
{
    struct Case {
        std::vector<std::string> locales;
        std::string current;
        std::optional<std::string> expected;
    };
    const std::vector<Case> cases{
        {{"en-GB", "en-US"}, "en_GB", "en-GB"},   // "_" and "-" name the same locale
        {{"en_GB", "en_US"}, "en-GB", "en_GB"},
        {{"fr-FR", "en-US"}, "fr_FR", "en-US"},   // not English: the US one
        {{"en_US"}, "de_DE", "en_US"},
        {{"fr-FR"}, "fr_FR", std::nullopt},
        {{}, "en_US", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(LanguageStep::englishLocale(c.locales, c.current), c.expected) << c.current;
}

TEST(ReadyStep, DropImportsTheFirstFileAndSkipEndsTheOnboarding)
{
    test::HomeFixture home;
    home.app.showOnboarding();
    ReadyStep step(home.app, [] {});
    step.show();
    EXPECT_FALSE(step.footer()->primaryButton());
    EXPECT_EQ(step.footer()->secondaryButton()->text(), "Skip for Now");

    QMimeData text;
    text.setText("no urls");
    QDragEnterEvent refused(QPoint(5, 5), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(step.card(), &refused);
    EXPECT_FALSE(refused.isAccepted());

    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(QString::fromStdString((home.home.dir / "one.mp4").string())), QUrl::fromLocalFile("/tmp/two.mp4")});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(step.card(), &enter);
    EXPECT_TRUE(step.targeted());
    EXPECT_EQ(step.dropZone()->shownText(), "Release to open");
    QDragLeaveEvent leave;
    QApplication::sendEvent(step.card(), &leave);
    EXPECT_FALSE(step.targeted());
    QApplication::sendEvent(step.card(), &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(step.card(), &drop);
    ASSERT_EQ(home.app.screen(), Screen::processing);
    EXPECT_EQ(home.app.processing()->fileName, "one.mp4");
    EXPECT_TRUE(AppSettings::boolean(AppSettings::hasOnboardedKey));
    ASSERT_TRUE(test::waitForImport(home.app));

    test::HomeFixture skipping;
    skipping.app.showOnboarding();
    ReadyStep skip(skipping.app, [] {});
    skip.footer()->secondaryButton()->click();
    EXPECT_EQ(skipping.app.screen(), Screen::home);
    EXPECT_TRUE(AppSettings::boolean(AppSettings::hasOnboardedKey));
}

TEST(OnboardingView, StepsMoveForwardAndBackAndSkipEnds)
{
    test::HomeFixture home;
    ASSERT_EQ(home.app.screen(), Screen::onboarding);
    OnboardingView view(home.app);
    view.show();
    EXPECT_EQ(view.step(), 0);
    EXPECT_TRUE(view.forward());
    auto* welcome = qobject_cast<WelcomeStep*>(view.stepView());
    ASSERT_TRUE(welcome);
    welcome->footer()->primaryButton()->click();
    EXPECT_EQ(view.step(), 1);
    auto* language = qobject_cast<LanguageStep*>(view.stepView());
    ASSERT_TRUE(language);
    language->footer()->primaryButton()->click();  // nothing chosen: stays
    EXPECT_EQ(view.step(), 1);
    language->row(LanguageStep::Choice::english)->click();
    language->footer()->primaryButton()->click();
    EXPECT_EQ(view.step(), 2);
    EXPECT_TRUE(qobject_cast<ReadyStep*>(view.stepView()));
    EXPECT_FALSE(view.skipButton()->isEnabled());
    EXPECT_TRUE(view.skipButton()->isVisibleTo(&view));  // keeps its place

    qobject_cast<ReadyStep*>(view.stepView())->footer()->backButton()->click();
    EXPECT_EQ(view.step(), 1);
    EXPECT_FALSE(view.forward());
    // A language step made anew: first run, so nothing is selected again.
    EXPECT_FALSE(qobject_cast<LanguageStep*>(view.stepView())->choice());
    EXPECT_TRUE(view.skipButton()->isEnabled());
    view.go(1);
    EXPECT_FALSE(view.forward());  // the same step counts as going back

    view.skipButton()->click();
    EXPECT_EQ(home.app.screen(), Screen::home);
    EXPECT_TRUE(AppSettings::boolean(AppSettings::hasOnboardedKey));
}

// As the change starts the leaving step's picture shows it exactly as it
// stood, its faded-in headline and feature panel where they were.
TEST(OnboardingView, TheLeavingPictureLooksLikeTheStep)
{
    test::HomeFixture home;
    Motion::setReduced(false);
    OnboardingView view(home.app);
    view.resize(1000, 700);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    auto* welcome = qobject_cast<WelcomeStep*>(view.stepView());
    ASSERT_TRUE(welcome);
    ASSERT_TRUE(QTest::qWaitFor([&] { return welcome->entrance()->currentValue().toDouble() == 1; }, 30000));
    const QRect area = welcome->geometry();
    const QImage before = view.grab().toImage().copy(area);

    view.go(1);  // the new step is still transparent, the picture fully drawn
    ASSERT_TRUE(view.isChanging());
    const QImage during = view.grab().toImage().copy(area);
    ASSERT_EQ(before.size(), during.size());
    int differing = 0;
    for (int y = 0; y < before.height(); ++y)
        for (int x = 0; x < before.width(); ++x) differing += before.pixel(x, y) != during.pixel(x, y);
    EXPECT_LT(differing, before.width() * before.height() / 200);
}

// The leaving step slides out to the side the new one does not come from
// and fades, then goes; with motion reduced it goes at once.
TEST(OnboardingView, TheLeavingStepSlidesOutAndFades)
{
    test::HomeFixture home;
    OnboardingView view(home.app);
    view.resize(1000, 700);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    Motion::setReduced(false);
    QWidget* welcome = view.stepView();
    const QRect rest = welcome->geometry();
    view.go(1);
    QPointer<QWidget> leaving = view.leavingStep();
    ASSERT_TRUE(leaving);
    EXPECT_EQ(leaving->geometry(), rest);  // where the welcome step stood
    EXPECT_TRUE(leaving->isVisible());
    EXPECT_EQ(view.leavingOpacity(), 1);
    EXPECT_TRUE(view.isChanging());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !leaving || leaving->x() < rest.x() - 5; }, 30000))
        << "going forward it leaves to the left";
    if (leaving) {
        EXPECT_LT(view.leavingOpacity(), 1);
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return !leaving && !view.isChanging(); }, 30000));
    EXPECT_FALSE(view.stepView()->graphicsEffect());

    Motion::setReduced(true);
    QWidget* language = view.stepView();
    view.go(0);
    EXPECT_FALSE(view.leavingStep());
    EXPECT_FALSE(language->isVisible());
    EXPECT_FALSE(view.isChanging());
    Motion::setReduced(false);
}

}  // namespace
}  // namespace vt
