#include "captions/presets/StylePresets.h"
#include "ui/shell/EditorTips.h"
#include "support/Waits.h"

#include <QLabel>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace vt {
namespace {

// Every tip's wrapped text is shown whole: each label is at least as tall as
// its text needs at the width it was given.
TEST(EditorTipsLayout, EveryTipShowsItsWholeText)
{
    QWidget window;
    window.resize(1480, 920);
    auto* tips = new EditorTips([] {}, &window);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window, test::kHangCapMs));
    for (int step = 0; step < 3; ++step) {
        for (const QLabel* label : tips->findChildren<QLabel*>()) {
            if (!label->wordWrap() || label->text().isEmpty()) continue;
            EXPECT_GE(label->height(), label->heightForWidth(label->width())) << "tip " << step + 1;
        }
        if (step < 2) QTest::keyClick(tips, Qt::Key_Return);
    }
}

TEST(EditorTips, TheLooksTipCountsTheLooksThereAre)
{
    const std::string count = std::to_string(StylePresets::all().size());
    EXPECT_NE(EditorTips::tips()[2].text.find("Styles has " + count + " caption looks"), std::string_view::npos)
        << EditorTips::tips()[2].text;
}

}  // namespace
}  // namespace vt
