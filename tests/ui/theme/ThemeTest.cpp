#include "ui/theme/Motion.h"
#include "ui/theme/NumberText.h"
#include "ui/theme/PrimaryActionButton.h"
#include "ui/theme/Theme.h"
#include "ui/theme/VideoDropZone.h"
#include "ui/theme/WindowChrome.h"

#include <QTest>
#include <gtest/gtest.h>

namespace vt {
namespace {

TEST(Theme, DynamicColoursResolveByAppearanceAndFixedOnesDoNot)
{
    EXPECT_EQ(Theme::selected.resolved(false), QColor::fromRgbF(0.416, 0.298, 0.941, 0.12));
    EXPECT_EQ(Theme::selected.resolved(true), QColor::fromRgbF(0.545, 0.455, 1.0, 0.20));
    EXPECT_EQ(Theme::shadow.resolved(true).alpha(), 0);
    EXPECT_GT(Theme::shadow.resolved(false).alpha(), 0);

    Appearances::apply("dark");
    EXPECT_TRUE(Appearances::isDark());
    EXPECT_EQ(QColor(Theme::ink), Theme::ink.dark);
    const QColor stageDark = Theme::stage;
    Appearances::apply("light");
    EXPECT_FALSE(Appearances::isDark());
    EXPECT_EQ(QColor(Theme::ink), Theme::ink.light);
    EXPECT_EQ(Theme::stage, stageDark);
    EXPECT_EQ(Theme::brandColors().size(), 4u);

    // Anything but "light" and "dark" follows the system.
    for (const char* raw : {"", "system", "Dark"}) {
        Appearances::apply(raw);
        EXPECT_FALSE(Appearances::explicitAppearance()) << raw;
    }
}

TEST(PrimaryActionButton, SizesToItsContentAndTheWholeShapeClicks)
{
    int clicks = 0;
    PrimaryActionButton button("Choose Video", 0, [&] { ++clicks; });
    button.resize(button.sizeHint());
    EXPECT_EQ(button.height(), 40);
    PrimaryActionButton wide("Choose Video", 300, {});
    EXPECT_EQ(wide.sizeHint().width(), 300);
    EXPECT_LT(button.sizeHint().width(), 300);
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(3, 3));  // in the padding
    EXPECT_EQ(clicks, 1);
}

TEST(VideoDropZone, ShowsReleaseWhileTargetedAndItsButtonOnlyChooses)
{
    int chosen = 0;
    VideoDropZone zone("Drop a video here", 20, [&] { ++chosen; });
    EXPECT_EQ(zone.shownText(), "Drop a video here");
    zone.setTargeted(true);
    EXPECT_EQ(zone.shownText(), "Release to open");
    zone.chooseButton()->click();
    EXPECT_EQ(chosen, 1);
    zone.setTargeted(false);
    EXPECT_EQ(zone.shownText(), "Drop a video here");
}

// Hover, press and a drag over the drop zone ease into their looks rather
// than jump, unless motion is reduced.
TEST(PrimaryActionButton, HoverPressAndTargetedLooksEaseIn)
{
    for (bool reduced : {false, true}) {
        SCOPED_TRACE(reduced ? "reduced motion" : "full motion");
        Motion::setReduced(reduced);
        VideoDropZone zone("Drop a video here", 20, [] {});
        PrimaryActionButton& button = *zone.chooseButton();
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QApplication::sendEvent(&button, &enter);
        EXPECT_TRUE(button.isHovered());
        QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(5, 5));
        zone.setTargeted(true);
        const std::function<double()> amounts[] = {[&] { return button.hoverAmount(); }, [&] { return button.pressAmount(); },
                                                   [&] { return zone.targetedAmount(); }};
        // Before any frame is drawn each starts where it was, or is there at once.
        for (const auto& amount : amounts) EXPECT_EQ(amount(), reduced ? 1 : 0);
        for (const auto& amount : amounts) EXPECT_TRUE(QTest::qWaitFor([&] { return amount() == 1; }, 30000));
        QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_TRUE(QTest::qWaitFor([&] { return button.pressAmount() == 0; }, 30000));
    }
    Motion::setReduced(false);
}

// Fixed decimals round as printf does, from the exact binary value; a value
// that rounds to zero reads as zero, never "-0".
TEST(NumberText, RoundsLikePrintfAndNeverShowsANegativeZero)
{
    struct Case {
        double value;
        int decimals;
        const char* plain;
        const char* signedText;
    };
    const Case cases[] = {
        {0.25, 1, "0.2", "+0.2"},  {0.35, 1, "0.3", "+0.3"},     {2.5, 0, "2", "+2"},      {-0.5, 1, "-0.5", "-0.5"},
        {-1.5, 0, "-2", "-2"},     {-0.04, 1, "0.0", "+0.0"},    {-0.2, 0, "0", "+0"},     {-0.0, 2, "0.00", "+0.00"},
        {0.5, 0, "0", "+0"},       {1, 2, "1.00", "+1.00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.value << " with " << c.decimals);
        EXPECT_EQ(fixedText(c.value, c.decimals), QString(c.plain));
        EXPECT_EQ(signedFixedText(c.value, c.decimals), QString(c.signedText));
    }
}

TEST(TitleBar, DoubleClickFollowsTheDesktopSetting)
{
    EXPECT_EQ(TitleBar::doubleClickAction("minimize"), TitleBar::DoubleClick::minimize);
    EXPECT_EQ(TitleBar::doubleClickAction("none"), TitleBar::DoubleClick::none);
    EXPECT_EQ(TitleBar::doubleClickAction("toggle-maximize"), TitleBar::DoubleClick::zoom);
    EXPECT_EQ(TitleBar::doubleClickAction(std::nullopt), TitleBar::DoubleClick::zoom);
}

}  // namespace
}  // namespace vt
