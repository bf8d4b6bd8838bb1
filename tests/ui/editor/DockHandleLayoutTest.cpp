#include "ui/editor/DockHandle.h"
#include "support/Waits.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using namespace vt::ui;

// Laid out as in the editor window: the handle sits on top of the dock it
// resizes, so it moves with the pointer while the dock grows. The drag must
// follow the pointer, not the pointer's place on the moving handle.
TEST(DockHandle, FollowsThePointerWhileTheDockGrowsUnderIt)
{
    QWidget column;
    auto* layout = new QVBoxLayout(&column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* preview = new QWidget;
    auto* dock = new QWidget;
    dock->setFixedHeight(200);
    auto* handle = new DockHandle([&] { return double(dock->height()); },
                                  [&](double h) { dock->setFixedHeight(int(h)); }, [] { return std::pair{160.0, 500.0}; });
    handle->setFixedHeight(8);
    layout->addWidget(preview, 1);
    layout->addWidget(handle);
    layout->addWidget(dock);
    column.resize(300, 700);
    column.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&column, vt::test::kHangCapMs));

    // The pointer as the window sees it, at a fixed window height.
    const auto moveTo = [&](int windowY) {
        layout->activate();
        const QPointF local = handle->mapFrom(&column, QPointF(150, windowY));
        QMouseEvent move(QEvent::MouseMove, local, handle->mapToGlobal(local), Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(handle, &move);
    };
    const int grip = handle->mapTo(&column, QPoint(150, 4)).y();
    QTest::mousePress(handle, Qt::LeftButton, {}, QPoint(150, 4));
    moveTo(grip - 50);
    EXPECT_EQ(dock->height(), 250);
    moveTo(grip - 60);
    EXPECT_EQ(dock->height(), 260);
    moveTo(grip - 20);
    EXPECT_EQ(dock->height(), 220);
    QTest::mouseRelease(handle, Qt::LeftButton, {}, handle->mapFrom(&column, QPoint(150, grip - 20)));
}
