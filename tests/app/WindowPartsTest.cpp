#include "app/CBitmapButton.h"
#include "app/DragTracker.h"
#include "app/LayoutTable.h"
#include "app/StatusLine.h"
#include "text/LanguageTable.h"

#include <QPixmap>

#include <gtest/gtest.h>

namespace {

TEST(LayoutTable, EveryControlHasArtworkATooltipAndARectangleInsideTheWindow)
{
    const LanguageTable english(0), chinese(1);
    for (int step = 0; step < LayoutTable::StepCount; ++step) {
        const QRect window(QPoint(0, 0), LayoutTable::WindowSize(step));
        std::vector<QRect> placed;
        for (const LayoutRow& row : LayoutTable::Rows()) {
            SCOPED_TRACE(testing::Message() << row.controlId << " step " << step);
            if (row.kind == LayoutRow::Window || !row.visible)
                continue;
            const QRect rect = row.rects[size_t(step)];
            EXPECT_TRUE(window.contains(rect));
            for (const QRect& other : placed)
                EXPECT_FALSE(rect.intersects(other));
            placed.push_back(rect);
            if (!row.IsButton())
                continue;
            const QString caption = QString::fromLatin1(row.artwork) +
                                    (row.kind == LayoutRow::SkinnedButton ? "BLUE" : "");
            const QPixmap art(CBitmapButton::FindBitmap(caption + "U"));
            EXPECT_EQ(art.size(), rect.size()) << caption.toStdString();
            ASSERT_TRUE(row.HasTooltip());
            EXPECT_FALSE(english.TooltipText(row.tooltip).isEmpty());
            EXPECT_FALSE(chinese.TooltipText(row.tooltip).isEmpty());
        }
    }
    // Steps outside 0..3 take the nearest size.
    EXPECT_EQ(LayoutTable::WindowSize(7), LayoutTable::WindowSize(3));
    EXPECT_EQ(LayoutTable::WindowSize(-1), QSize(660, 560));
    EXPECT_TRUE(LayoutTable::RectOf(4711, 0).isNull());
}

TEST(LayoutTable, WindowButtonsStayAtTheRightEdge)
{
    for (int step = 0; step < 4; ++step) {
        const int width = LayoutTable::WindowSize(step).width();
        EXPECT_EQ(LayoutTable::RectOf(1006, step), QRect(width - 20, 5, 20, 20)) << step;
        EXPECT_EQ(LayoutTable::RectOf(1026, step).right(), width - 11) << step;
    }
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
