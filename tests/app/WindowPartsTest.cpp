#include "app/CBitmapButton.h"
#include "app/DragTracker.h"
#include "app/LayoutTable.h"
#include "app/StatusLine.h"
#include "app/WindowPlacement.h"
#include "text/LanguageTable.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

QImage Art(const QString& name)
{
    return QImage(":/artwork/" + name + ".png");
}

// Every shown control lies inside the window without overlapping another at
// every size; every button has a tooltip in both languages and opaque artwork
// of its rectangle's size for each skin, a pressed state, and no disabled state
// (it would change which state a button shows).
TEST(LayoutTable, EveryControlHasArtworkATooltipAndARectangleInsideTheWindow)
{
    const LanguageTable english(0), chinese(1);
    for (int step = 0; step < LayoutTable::StepCount; ++step) {
        const QRect window(QPoint(0, 0), LayoutTable::WindowSize(step));
        std::vector<QRect> placed;
        for (const LayoutRow& row : LayoutTable::Rows()) {
            SCOPED_TRACE(testing::Message() << CommandOf(row.controlId) << " step " << step);
            if (row.kind == LayoutRow::Window || !row.visible)
                continue;
            const QRect rect = row.rects[size_t(step)];
            EXPECT_TRUE(window.contains(rect));
            for (const QRect& other : placed)
                EXPECT_FALSE(rect.intersects(other));
            placed.push_back(rect);
            if (!row.IsButton())
                continue;
            ASSERT_TRUE(row.HasTooltip());
            EXPECT_FALSE(english.TooltipText(row.tooltip).isEmpty());
            EXPECT_FALSE(chinese.TooltipText(row.tooltip).isEmpty());
            const bool skinned = row.kind == LayoutRow::SkinnedButton;
            for (const QString skin : skinned ? QStringList{"BLUE", "GOLD"} : QStringList{""}) {
                const QString stem = QString::fromLatin1(row.artwork) + skin;
                const QImage normal = Art(stem + "U");
                EXPECT_EQ(normal.size(), rect.size()) << stem.toStdString();
                EXPECT_FALSE(normal.hasAlphaChannel());
                EXPECT_FALSE(Art(stem + "D").isNull());
                EXPECT_NE(Art(stem + "D"), normal);
                EXPECT_TRUE(Art(stem + "X").isNull());
            }
        }
    }
    // Window buttons keep their distance from the right edge.
    for (int step = 0; step < LayoutTable::StepCount; ++step) {
        const int width = LayoutTable::WindowSize(step).width();
        EXPECT_EQ(LayoutTable::RectOf(ControlId::Close, step), QRect(width - 20, 5, 20, 20));
        EXPECT_EQ(LayoutTable::RectOf(ControlId::MagnificationBox, step).right(), width - 11);
    }
    EXPECT_EQ(LayoutTable::WindowSize(7), LayoutTable::WindowSize(3));
    EXPECT_EQ(Art("MAGNIFICATION").size(), QSize(115, 16));
}

TEST(StatusLine, LongPathsKeepTheirLast33CharactersAndTheRemarkFollows)
{
    const QString forty = QStringLiteral("/data/pictures/2008/dec/20081231_1234.bm");
    ASSERT_EQ(forty.size(), 40);
    EXPECT_EQ(StatusLine::Text(forty, QString()), forty);
    EXPECT_EQ(StatusLine::Text(forty + u'p', QString()), "......" + (forty + u'p').right(33));
    EXPECT_EQ(StatusLine::Text(QStringLiteral("/p/a.bmp"), QStringLiteral("abc")),
              QStringLiteral("/p/a.bmp   --   abc"));
    EXPECT_EQ(StatusLine::Text(QString(), QString()), QString());
}

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
    // The tick count wraps around.
    drag.Move({0, 0}, 0xFFFFFFF0u, true);
    EXPECT_EQ(drag.Move({30, 0}, 0x00000010u, true), QPoint(30, 0));
}

// The largest size on a small screen starts at the top.
TEST(WindowPlacement, AnAxisThatDoesNotFitStartsAtZero)
{
    EXPECT_EQ(WindowPlacement::WindowGeometry(3, {1024, 768}), QRect(22, 0, 980, 800));
}

} // namespace
