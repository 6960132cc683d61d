#include "app/DragTracker.h"
#include "app/LayoutTable.h"
#include "app/StatusLine.h"

#include <gtest/gtest.h>

namespace {

TEST(LayoutTable, WindowAndFrameGrowWithTheSizeStep)
{
    const QSize windows[4] = {{660, 560}, {817, 678}, {860, 710}, {980, 800}};
    const QRect frames[4] = {
        {10, 50, 640, 480}, {10, 50, 797, 598}, {10, 50, 840, 630}, {10, 50, 960, 720}};
    const QRect remarks[4] = {
        {10, 540, 635, 16}, {10, 658, 792, 16}, {10, 690, 835, 16}, {10, 780, 955, 16}};
    for (int step = 0; step < 4; ++step) {
        EXPECT_EQ(LayoutTable::WindowSize(step), windows[step]) << step;
        EXPECT_EQ(LayoutTable::RectOf(1005, step), frames[step]) << step;
        EXPECT_EQ(LayoutTable::RectOf(1032, step), remarks[step]) << step;
    }
    EXPECT_EQ(LayoutTable::WindowSize(7), windows[3]);
    EXPECT_EQ(LayoutTable::WindowSize(-1), windows[0]);
}

TEST(LayoutTable, WindowButtonsStayAtTheRightEdge)
{
    // MIN, MAX and CLOSE keep their distance to the window's right edge at every step.
    for (int step = 0; step < 4; ++step) {
        const int width = LayoutTable::WindowSize(step).width();
        EXPECT_EQ(LayoutTable::RectOf(1008, step), QRect(width - 64, 5, 20, 20)) << step;
        EXPECT_EQ(LayoutTable::RectOf(1007, step), QRect(width - 42, 5, 20, 20)) << step;
        EXPECT_EQ(LayoutTable::RectOf(1006, step), QRect(width - 20, 5, 20, 20)) << step;
        EXPECT_EQ(LayoutTable::RectOf(1026, step).right(), width - 11) << step;
    }
}

TEST(LayoutTable, ToolButtonsSitSideBySide)
{
    // Each group of picture buttons is a row without gaps or overlaps.
    const std::vector<std::vector<int>> groups = {{1014, 1011, 1010, 1009},
                                                  {1017, 1020, 1016, 1019, 1015, 1018},
                                                  {1023, 1022, 1021, 1012, 1024, 1025}};
    for (const auto& group : groups) {
        for (size_t i = 1; i < group.size(); ++i) {
            const QRect before = LayoutTable::RectOf(group[i - 1], 2);
            const QRect after = LayoutTable::RectOf(group[i], 2);
            EXPECT_EQ(before.x() + before.width(), after.x()) << group[i];
            EXPECT_EQ(after.y(), 10);
        }
    }
    EXPECT_EQ(LayoutTable::RectOf(1020, 0).size(), QSize(10, 24));
    EXPECT_EQ(LayoutTable::RectOf(1027, 3), QRect(760, 28, 115, 16));
    EXPECT_EQ(LayoutTable::RowOf(1013), -1);
    EXPECT_TRUE(LayoutTable::RectOf(4711, 0).isNull());
}

TEST(StatusLine, LongPathsKeepTheirLast33Characters)
{
    const QString forty = QStringLiteral("/data/pictures/2008/dec/20081231_1234.bm");
    ASSERT_EQ(forty.size(), 40);
    EXPECT_EQ(StatusLine::Text(forty, QString()), forty);

    const QString fortyOne = forty + u'p';
    const QString shown = StatusLine::Text(fortyOne, QString());
    EXPECT_EQ(shown, QStringLiteral("......") + fortyOne.right(33));
    EXPECT_EQ(shown.size(), 39);
}

TEST(StatusLine, RemarkFollowsTheSeparator)
{
    EXPECT_EQ(StatusLine::Text(QStringLiteral("/p/a.bmp"), QStringLiteral("abc")),
              QStringLiteral("/p/a.bmp   --   abc"));
    EXPECT_EQ(StatusLine::Text(QString(), QStringLiteral("abc")), QStringLiteral("   --   abc"));
    EXPECT_EQ(StatusLine::Text(QString(), QString()), QString());
}

struct HitCase
{
    QPoint point;
    bool hits;
};

class StatusHitTest : public ::testing::TestWithParam<HitCase>
{};

TEST_P(StatusHitTest, EdgesAreInside)
{
    const QRect status(10, 540, 635, 16);
    EXPECT_EQ(StatusLine::Hits(status, GetParam().point), GetParam().hits);
}

INSTANTIATE_TEST_SUITE_P(Edges, StatusHitTest,
                         ::testing::Values(HitCase{{10, 540}, true}, HitCase{{645, 556}, true},
                                           HitCase{{645, 540}, true}, HitCase{{10, 556}, true},
                                           HitCase{{646, 548}, false}, HitCase{{300, 557}, false},
                                           HitCase{{9, 548}, false}, HitCase{{300, 539}, false}));

TEST(DragTracker, QuickMovesWithTheButtonDownMoveTheWindow)
{
    DragTracker drag;
    EXPECT_EQ(drag.Move({100, 100}, 10000, true), QPoint()); // first move only anchors
    EXPECT_EQ(drag.Move({130, 100}, 10050, true), QPoint(30, 0));
    EXPECT_EQ(drag.Move({130, 130}, 10349, true), QPoint(0, 30));
    // A pause of 300 ms or more only re-anchors; the drag then goes on from there.
    EXPECT_EQ(drag.Move({160, 130}, 10649, true), QPoint());
    EXPECT_EQ(drag.Move({170, 140}, 10700, true), QPoint(10, 10));
    // Without the button the pointer only re-anchors.
    EXPECT_EQ(drag.Move({200, 140}, 10710, false), QPoint());
    EXPECT_EQ(drag.Move({205, 140}, 10720, true), QPoint(5, 0));
}

TEST(DragTracker, TickCountWrapsAround)
{
    DragTracker drag;
    drag.Move({0, 0}, 0xFFFFFFF0u, true);
    EXPECT_EQ(drag.Move({30, 0}, 0x00000010u, true), QPoint(30, 0));
}

} // namespace
