#include "HomeTestSupport.h"
#include "ui/home/HomeView.h"

#include <QApplication>
#include <QWidget>

#include <gtest/gtest.h>

namespace vt {
namespace {

// A drag goes to the widget under the pointer or, when that one takes no
// drops, to its nearest ancestor that does. So a file dropped anywhere on the
// home screen reaches the screen's own import only when no part of it takes
// drops for itself.
TEST(HomeView, EveryPartOfTheScreenHandsDropsToTheScreen)
{
    test::HomeFixture home;
    home.save("Talk");
    home.reload();
    HomeView view(home.app);
    view.resize(1400, 900);
    view.show();

    int checked = 0;
    for (QWidget* part : view.findChildren<QWidget*>()) {
        if (part->window() != &view || !part->isVisibleTo(&view)) continue;  // popups and dialogs are windows of their own
        QWidget* target = part;
        while (target && !target->acceptDrops()) target = target->parentWidget();
        EXPECT_EQ(target, &view) << part->metaObject()->className() << " " << part->objectName().toStdString();
        ++checked;
    }
    EXPECT_GT(checked, 20);
}

}  // namespace
}  // namespace vt
