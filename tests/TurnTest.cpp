// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>
#include <numbers>

#include "ui/CubePainter.h"
#include "ui/LampWidget.h"

namespace ledcube {
namespace {

constexpr double kPi = std::numbers::pi;

TEST(CubeTurn, TheFrontViewIsTheEditorsPicture) {
    const QRectF area(8, 8, 500, 460);
    for (int n = 1; n <= kCellCount; ++n) {
        EXPECT_EQ(TurnedLampCircle(n, {}, area), LampCircle(n, area)) << n;
        EXPECT_EQ(TurnedLampAtPoint(LampCircle(n, area).center(), {}, area), n) << n;
    }
    // A turn too small to see moves no lamp by more than a pixel.
    for (int n = 1; n <= kCellCount; ++n) {
        const QPointF moved =
            TurnedLampCircle(n, {1e-4, 1e-4, 1}, area).center() - LampCircle(n, area).center();
        EXPECT_LT(moved.manhattanLength(), 1.0) << n;
    }
}

// After a turn, a point where the front view shows one lamp shows another:
// the one the turn brought there, the nearest where lamps cover each other.
TEST(CubeTurn, AClickFindsTheLampTheTurnBroughtThere) {
    const QRectF area(8, 8, 500, 460);
    struct Case {
        CubeTurn turn;
        int shownAt;  // the lamp whose front-view place is clicked
        int found;
    };
    const Case cases[] = {
        {{kPi, 0, 1}, 9, 1},  // half round: the back left corner comes to the front right
        {{kPi, 0, 1}, 1, 9},
        {{kPi / 2, 0, 1}, 3, 1},  // a quarter: back left to back right
        {{kPi / 2, 0, 1}, 9, 3},
        {{-kPi / 2, 0, 1}, 7, 1},  // a quarter the other way: back left to front left
        {{0, kPi / 2, 1}, 7, 1},   // tipped forward: the back of the bottom layer comes down front
        {{0, kPi / 2, 1}, 25, 7},
        {{2 * kPi, 0, 1}, 14, 14},  // once round: the front view again
        {{0, 0, 2}, 14, 14},        // zoomed about the centre
    };
    for (const Case& c : cases) {
        const QPointF point = c.turn.zoom == 1 ? LampCircle(c.shownAt, area).center()
                                               : TurnedLampCircle(c.shownAt, c.turn, area).center();
        EXPECT_EQ(TurnedLampAtPoint(point, c.turn, area), c.found)
            << c.turn.yaw << " " << c.turn.pitch << " at " << c.shownAt;
    }
    // Half round, the front row is the farthest: drawn first, covered by the others.
    for (int n = 1; n <= 3; ++n)
        EXPECT_GT(TurnedDepth(n, {kPi, 0, 1}), TurnedDepth(n + 6, {kPi, 0, 1}));
    EXPECT_EQ(TurnedLampAtPoint(QPointF(-100, -100), {kPi, 0, 1}, area), 0);
}

// The player's cube dragged half round: the drag turns it and clicks nothing;
// a click on the lamp now in front is the back LED; a double-click and Home
// bring back the front view.
TEST(CubeTurn, TheCubeViewTurnsWhenDraggedAndClicksTheLampInAnyView) {
    CubeView view;
    view.resize(520, 480);
    view.show();
    QSignalSpy clicked(&view, &CubeView::LampClicked);
    const QPoint start(100, 240);
    QTest::mousePress(&view, Qt::LeftButton, {}, start);
    // Half the view's width turns it half round.
    for (int x = 100; x <= 100 + view.width() / 2; x += 20) QTest::mouseMove(&view, QPoint(x, 240));
    QTest::mouseMove(&view, QPoint(100 + view.width() / 2, 240));
    QTest::mouseRelease(&view, Qt::LeftButton, {}, QPoint(100 + view.width() / 2, 240));
    EXPECT_EQ(clicked.count(), 0);
    EXPECT_NEAR(std::abs(view.Turn().yaw), kPi, 0.05);
    view.SetTurn({kPi, 0, 1});
    const QPoint front = TurnedLampCircle(1, view.Turn(), view.LampArea()).center().toPoint();
    QTest::mouseClick(&view, Qt::LeftButton, {}, front);
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked.front().front().toInt(), 1);
    // The lamp of LED 1 is where the view draws it, over the ones behind.
    EXPECT_EQ(view.Lamp(1)->geometry().center(),
              TurnedLampCircle(1, view.Turn(), view.LampArea()).toAlignedRect().center());
    QTest::mouseDClick(&view, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(view.Turn(), CubeTurn{});
    view.SetTurn({1, 0.5, 1.5});
    view.setFocus();
    QTest::keyClick(&view, Qt::Key_Home);
    EXPECT_EQ(view.Turn(), CubeTurn{});
}

}  // namespace
}  // namespace ledcube
