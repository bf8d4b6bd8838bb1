#include "ui/inspector/BitrateRow.h"
#include "ui/inspector/Checkerboard.h"
#include "ui/inspector/CompactButton.h"
#include "ui/inspector/DisclosureSection.h"
#include "ui/inspector/FlowLayout.h"
#include "ui/inspector/HoldButton.h"
#include "ui/inspector/KitColors.h"
#include "ui/inspector/MenuRow.h"
#include "ui/inspector/SwitchRow.h"
#include "ui/inspector/NumberField.h"
#include "ui/inspector/OptionalColorRow.h"
#include "ui/inspector/PressableButton.h"
#include "ui/inspector/ProgressRow.h"
#include "ui/inspector/SettingIcons.h"
#include "ui/inspector/StopSlider.h"
#include "ui/inspector/ToggleChip.h"
#include "ui/inspector/ToolbarIconButton.h"
#include "ui/inspector/ValueRow.h"

#include "ui/inspector/ColorWell.h"

#include <QCheckBox>
#include <QComboBox>
#include <QProgressBar>
#include <QLabel>
#include <QPainter>
#include <QSlider>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace vt;
using namespace vt::ui;

namespace {

std::vector<std::vector<int>> rowsOf(const std::vector<FlowLayout::Row>& rows)
{
    std::vector<std::vector<int>> out;
    for (const auto& r : rows) out.push_back(r.indices);
    return out;
}

}  // namespace

TEST(FlowLayout, FillsRowsGreedily)
{
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        const char* name;
        double width;
        std::vector<QSizeF> sizes;
        std::vector<std::vector<int>> rows;
    };
    const Case cases[] = {
        {"no children", 100, {}, {{}}},
        {"exact fit stays", 50, {{20, 10}, {20, 10}}, {{0, 1}}},  // 20 + 10 + 20 = 50
        {"wraps past the width", 49, {{20, 10}, {20, 10}}, {{0}, {1}}},
        {"wide first child stays", 30, {{80, 10}, {10, 10}}, {{0}, {1}}},
        {"wide later child alone", 50, {{10, 10}, {80, 10}, {10, 10}}, {{0}, {1}, {2}}},
        {"no width: one row", inf, {{10, 10}, {80, 10}, {10, 10}}, {{0, 1, 2}}},
        {"zero width: a row each", 0, {{10, 10}, {10, 10}}, {{0}, {1}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(rowsOf(FlowLayout::arrange(c.width, c.sizes, 10, 6)), c.rows);
    }
    auto rows = FlowLayout::arrange(35, {{10, 10}, {10, 20}, {30, 5}}, 5, 6);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_DOUBLE_EQ(rows[0].width, 25);
    EXPECT_DOUBLE_EQ(rows[0].height, 20);
    EXPECT_DOUBLE_EQ(rows[1].y, 26);  // tallest 20 + lineSpacing 6
}

TEST(FlowLayout, PlacesWidgetsAndReportsItsSize)
{
    QWidget host;
    auto* layout = new FlowLayout(4, 6, &host);
    for (int i = 0; i < 3; ++i) {
        auto* w = new QWidget;
        w->setFixedSize(40, 10 + 10 * i);
        layout->addWidget(w);
    }
    EXPECT_EQ(layout->sizeHint(), QSize(128, 30));
    EXPECT_EQ(layout->heightForWidth(90), 20 + 6 + 30);
    layout->setGeometry(QRect(0, 0, 90, 100));
    EXPECT_EQ(layout->itemAt(1)->geometry(), QRect(44, 0, 40, 20));
    EXPECT_EQ(layout->itemAt(2)->geometry(), QRect(0, 26, 40, 30));
}

TEST(Checkerboard, LighterSquareAtTopLeft)
{
    QImage image(16, 16, QImage::Format_RGB32);
    QPainter p(&image);
    Checkerboard::paint(p, image.size());
    p.end();
    const QRgb light = QColor::fromRgbF(0.20, 0.20, 0.20).rgb(), dark = QColor::fromRgbF(0.16, 0.16, 0.16).rgb();
    EXPECT_EQ(image.pixel(2, 2), light);
    EXPECT_EQ(image.pixel(12, 12), light);
    EXPECT_EQ(image.pixel(12, 2), dark);
    EXPECT_EQ(image.pixel(2, 12), dark);
}

TEST(SettingIcons, KeysAndHints)
{
    const std::pair<const char*, const char*> keys[] = {
        {"Size: Caption", "Size"}, {"Size", "Size"}, {"A: B: C", "A"}, {": Glow", "Glow"}, {"", ""}, {"::", "::"}};
    for (auto [title, key] : keys) EXPECT_EQ(SettingIcons::key(title), QString(key)) << title;
    EXPECT_EQ(SettingIcons::hint("Size: Emphasis"), QString::fromUtf8("Small \u2026 Huge"));
    EXPECT_EQ(SettingIcons::hint("Fill angle"), QString::fromUtf8("\u221260° \u2026 60°"));
    EXPECT_FALSE(SettingIcons::hint("Opacity"));
}

TEST(ValueRow, ScaledFieldSliderAndReset)
{
    double zoom = 1.5;
    int commits = 0;
    ValueRow row("Size", Binding<double>::over(zoom), {1, 3, 5, 0, "%", 100, true, false, std::nullopt},
                 [&] { ++commits; });
    EXPECT_EQ(row.field()->text(), QString("150%"));
    EXPECT_EQ(row.titleLabel()->toolTip(), QString::fromUtf8("Small \u2026 Huge"));
    row.show();
    row.field()->setFocus();
    QTest::keyClick(row.field(), Qt::Key_Up);
    EXPECT_DOUBLE_EQ(zoom, 1.55);
    EXPECT_EQ(commits, 1);
    row.slider()->setSliderDown(true);
    row.slider()->setValue(1000);  // dragged to the end
    EXPECT_DOUBLE_EQ(zoom, 3);
    EXPECT_EQ(commits, 1) << "the commit waits for the drag to end";
    row.slider()->setSliderDown(false);
    EXPECT_EQ(commits, 2);
    row.slider()->setFocus();
    QTest::keyClick(row.slider(), Qt::Key_PageDown);
    EXPECT_LT(zoom, 3);
    EXPECT_EQ(commits, 3) << "a key on the slider is a whole change";

    double level = 0.2;
    ValueRow resettable("Size", Binding<double>::over(level), {0, 1, 1, 0, "%", 100, false, false, 0.2}, [&] { ++commits; });
    EXPECT_EQ(resettable.titleLabel()->toolTip(), QString("Double-click to reset"));
    EXPECT_EQ(resettable.slider(), nullptr);
    QTest::mouseDClick(resettable.titleLabel(), Qt::LeftButton);
    EXPECT_EQ(commits, 4) << "a reset commits even when the value is already there";
}

TEST(ValueRow, ASnappingSliderKeepsToTheStepInShownUnits)
{
    struct Case {
        ValueRow::Options options;
        int position;  // of 1000
        double stored;
    };
    const Case cases[] = {
        {{0.5, 6, 0.5, 1, " s", 1, true, false, std::nullopt}, 300, 2.0},      // 2.15
        {{0.2, 10, 0.1, 1, " s", 1, true, false, std::nullopt}, 123, 1.4},     // 1.4054
        {{0.25, 2, 5, 0, "%", 100, true, false, std::nullopt}, 470, 1.05},     // 107.25 %
        {{0.5, 6, 0.5, 1, " s", 1, true, false, std::nullopt}, 999, 6.0},      // 5.9945
    };
    for (const Case& c : cases) {
        double value = c.options.lower;
        int writes = 0;
        ValueRow row("Length", {[&] { return value; }, [&](const double& v) { value = v, ++writes; }}, c.options);
        row.setSliderSnaps(true);
        row.slider()->setValue(c.position);
        EXPECT_DOUBLE_EQ(value, c.stored) << c.position;
        row.slider()->setValue(c.position + 1);  // the same step: nothing written
        EXPECT_EQ(writes, 1);
    }
    // A finished drag leaves the knob on the step it wrote.
    double length = 0.5;
    ValueRow dragged("Length", Binding<double>::over(length), {0.5, 6, 0.5, 1, " s", 1, true, false, std::nullopt});
    dragged.setSliderSnaps(true);
    dragged.slider()->setSliderDown(true);
    dragged.slider()->setValue(300);
    dragged.slider()->setSliderDown(false);
    EXPECT_EQ(length, 2.0);
    EXPECT_EQ(dragged.slider()->value(), 273);  // 2 s of 0.5 to 6
    // Without snapping the slider stays continuous.
    double free = 0.5;
    ValueRow row("Length", Binding<double>::over(free), {0.5, 6, 0.5, 1, " s", 1, true, false, std::nullopt});
    row.slider()->setValue(300);
    EXPECT_DOUBLE_EQ(free, 2.15);
}

TEST(StopSlider, LabelsAndSlider)
{
    int index = 1;
    StopSlider stops("Resolution", {"480p", "720p", "1080p"}, Binding<int>::over(index));
    QTest::mouseClick(stops.stopLabels()[2], Qt::LeftButton);
    EXPECT_EQ(index, 2);
    EXPECT_EQ(stops.stopLabels()[2]->font().weight(), QFont::DemiBold);
    stops.slider()->setValue(0);
    EXPECT_EQ(index, 0);
    index = 9;  // outside the labels: the nearest end is announced
    stops.refresh();
    EXPECT_EQ(stops.slider()->accessibleDescription(), QString("1080p"));
}

TEST(BitrateRow, LogarithmicSlider)
{
    EXPECT_DOUBLE_EQ(BitrateRow::mbpsAt(0.5, 1, 300), 17.3);
    EXPECT_DOUBLE_EQ(BitrateRow::mbpsAt(0, 1, 300), 1.0);
    EXPECT_DOUBLE_EQ(BitrateRow::mbpsAt(1, 1, 300), 300.0);
    EXPECT_NEAR(BitrateRow::position(17.32, 1, 300), 0.5, 1e-3);
    EXPECT_LT(BitrateRow::position(0.5, 1, 300), 0);

    double mbps = 10;
    BitrateRow row(Binding<double>::over(mbps), 1, 300);
    row.slider()->setValue(500);
    EXPECT_DOUBLE_EQ(mbps, 17.3);
    EXPECT_EQ(row.field()->text(), QString("17.3"));
}

TEST(ProgressRow, PercentIsTruncated)
{
    const std::pair<double, const char*> cases[] = {{0.427, "42%"}, {0.999, "99%"}, {0.005, "0%"}, {0.996, "99%"}, {1, "100%"}, {0, "0%"}};
    for (auto [v, text] : cases) EXPECT_EQ(ProgressRow::percentText(v), QString(text)) << v;
    ProgressRow unknown("Working", std::nullopt);
    EXPECT_TRUE(unknown.percentLabel()->isHidden());
    EXPECT_EQ(unknown.bar()->maximum(), 0);  // indeterminate
}

TEST(DisclosureSection, AccordionOfOneOpenSection)
{
    QWidget host;
    DisclosureGroup group;
    DisclosureSection timing("timing", "Timing", "clock", group, &host);
    DisclosureSection colour("color", "Colour", "paint", group, &host);
    DisclosureSection twin("color", "Colour too", "paint", group, &host);
    timing.setSummary("0.7 s pauses");
    EXPECT_FALSE(timing.isOpen());
    EXPECT_EQ(timing.header()->toolTip(), QString("Show timing settings"));
    EXPECT_EQ(timing.header()->accessibleDescription(), QString("Collapsed, 0.7 s pauses"));

    QTest::mouseClick(timing.header(), Qt::LeftButton);
    EXPECT_TRUE(timing.isOpen());
    EXPECT_TRUE(timing.summaryLabel()->isHidden());
    EXPECT_EQ(timing.header()->toolTip(), QString("Hide timing settings"));

    QTest::mouseClick(colour.header(), Qt::LeftButton);
    EXPECT_FALSE(timing.isOpen());
    EXPECT_TRUE(colour.isOpen());
    EXPECT_TRUE(twin.isOpen()) << "sections of one id open together";

    QTest::mouseClick(colour.header(), Qt::LeftButton);
    EXPECT_FALSE(group.expanded());
}

TEST(ButtonStyles, ColoursByState)
{
    using K = CompactButton::Kind;
    EXPECT_EQ(CompactButton::fill(K::primary, true, true), kit::faded(kit::accent(), 0.88));
    EXPECT_EQ(CompactButton::fill(K::primary, true, false), kit::accent()) << "no hover fill while disabled";
    EXPECT_EQ(CompactButton::fill(K::secondary, false, true), kit::faded(kit::ink(), 0.08));
    EXPECT_EQ(CompactButton::fill(K::secondary, true, true), kit::faded(kit::ink(), 0.13));
    EXPECT_DOUBLE_EQ(CompactButton::opacity(false, true), 0.45);
    EXPECT_DOUBLE_EQ(CompactButton::opacity(true, true), 0.75);
    EXPECT_EQ(ToolbarIconButton::background(true, true, true), kit::faded(kit::ink(), 0.14));
    EXPECT_EQ(ToolbarIconButton::background(false, true, false).alphaF(), 0);
    EXPECT_EQ(ToggleChip::background(true, false), kit::ink());
    EXPECT_EQ(ToggleChip::background(true, true), kit::ink());
    EXPECT_EQ(ToggleChip::background(false, false), kit::faded(kit::muted(), 0.7));
    EXPECT_EQ(ToggleChip::background(false, true), kit::muted());
}

// Built in one appearance and drawn after a switch to the other, a
// pressable button's fill and label are the new appearance's.
TEST(ButtonStyles, APressableButtonsColoursFollowTheAppearance)
{
    Appearances::apply("light");
    PressableButton button(QStringLiteral("\u2588"));  // a full block: its pixels are the label's colour
    button.setFill(kit::muted(), 6);
    button.setTextColour(kit::ink());
    button.resize(40, 40);
    Appearances::apply("dark");
    const QImage drawn = button.grab().toImage();
    EXPECT_EQ(QColor(drawn.pixel(20, 3)), QColor(Theme::muted.dark.rgb())) << "the fill";
    EXPECT_EQ(QColor(drawn.pixel(20, 20)), QColor(Theme::ink.dark.rgb())) << "the label";
    Appearances::apply("light");
}

TEST(ButtonStyles, ChipAndHoldWriteTheirBindings)
{
    bool on = false;
    ToggleChip chip(Binding<bool>::over(on), "Bold", "B");
    QTest::mouseClick(&chip, Qt::LeftButton);
    EXPECT_TRUE(on);
    EXPECT_EQ(chip.sizeHint(), QSize(32, 22));  // wider only for large text

    bool held = false;
    int writes = 0;
    HoldButton hold("Compare", "eye", {[&] { return held; }, [&](const bool& v) { held = v; ++writes; }});
    QTest::mousePress(&hold, Qt::LeftButton);
    EXPECT_TRUE(held);
    QTest::mouseRelease(&hold, Qt::LeftButton, {}, QPoint(500, 500));  // released outside
    EXPECT_FALSE(held);
    held = true;
    writes = 0;
    QTest::mousePress(&hold, Qt::LeftButton);
    EXPECT_EQ(writes, 0) << "already held: not written again";
}

TEST(OptionalColorRow, SwitchingOnBringsTheDefault)
{
    std::optional<RGBA> colour = RGBA{0.1, 0.2, 0.3, 0.5};
    OptionalColorRow row("Box", Binding<std::optional<RGBA>>::over(colour), RGBA{1, 1, 1, 1});
    row.show();
    EXPECT_TRUE(row.toggle()->isChecked());
    row.toggle()->click();
    EXPECT_FALSE(colour);
    EXPECT_TRUE(row.well()->isHidden());
    row.toggle()->click();
    ASSERT_TRUE(colour);
    EXPECT_EQ(*colour, (RGBA{1, 1, 1, 1}));
    EXPECT_FALSE(row.well()->isHidden());
}

TEST(ChoiceRows, MenuAndSwitchWriteTheirBindings)
{
    int choice = 2;
    MenuRow menu("Layout", Binding<int>::over(choice), {{"Full", 1}, {"Split", 2}, {"Corner", 3}});
    EXPECT_EQ(menu.menu()->currentText(), QString("Split"));
    EXPECT_EQ(menu.menu()->width(), 150);
    menu.menu()->activated(2);
    EXPECT_EQ(choice, 3);
    choice = 1;  // changed elsewhere
    menu.refresh();
    EXPECT_EQ(menu.menu()->currentText(), QString("Full"));

    bool on = false;
    SwitchRow plain("Ken Burns", Binding<bool>::over(on));
    EXPECT_TRUE(plain.toolTip().isEmpty());
    plain.toggle()->click();
    EXPECT_TRUE(on);
    SwitchRow helped("HDR", Binding<bool>::over(on), "10-bit HEVC with HLG, for HDR videos");
    EXPECT_EQ(helped.toolTip(), QString("10-bit HEVC with HLG, for HDR videos"));
    EXPECT_TRUE(helped.toggle()->isChecked());
}
