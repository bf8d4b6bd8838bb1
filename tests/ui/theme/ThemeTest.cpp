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

TEST(TitleBar, DoubleClickFollowsTheDesktopSetting)
{
    EXPECT_EQ(TitleBar::doubleClickAction("minimize"), TitleBar::DoubleClick::minimize);
    EXPECT_EQ(TitleBar::doubleClickAction("none"), TitleBar::DoubleClick::none);
    EXPECT_EQ(TitleBar::doubleClickAction("toggle-maximize"), TitleBar::DoubleClick::zoom);
    EXPECT_EQ(TitleBar::doubleClickAction(std::nullopt), TitleBar::DoubleClick::zoom);
}

// A role set again replaces the colour set before; a fixed colour stops
// following the appearance; a style sheet is made again after each switch.
TEST(Theme, WidgetColoursFollowTheLatestSetting)
{
    Appearances::apply("light");
    QWidget replaced, fixed, sheet;
    Appearances::setColor(&replaced, QPalette::WindowText, Theme::ink);
    Appearances::setColor(&replaced, QPalette::WindowText, Theme::secondaryText);
    Appearances::setColor(&fixed, QPalette::WindowText, Theme::ink);
    Appearances::setColor(&fixed, QPalette::WindowText, QColor(Qt::red));
    Appearances::setStyleSheet(&sheet, [] { return QStringLiteral("color: %1;").arg(QColor(Theme::ink).name()); });

    Appearances::apply("dark");
    EXPECT_EQ(replaced.palette().color(QPalette::WindowText), Theme::secondaryText.dark);
    EXPECT_EQ(fixed.palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_EQ(sheet.styleSheet(), QStringLiteral("color: %1;").arg(Theme::ink.dark.name()));
    Appearances::apply("light");
    EXPECT_EQ(replaced.palette().color(QPalette::WindowText), Theme::secondaryText.light);
}

}  // namespace
}  // namespace vt
