#include "draw/CDrawMeasure.h"
#include "platform/GdiContext.h"

#include <QImage>

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr ColorRef Red = MakeColorRef(255, 0, 0);
constexpr ColorRef Blue = MakeColorRef(0, 0, 255);

bool IsRed(QRgb c)
{
    return qRed(c) > 200 && qGreen(c) < 60 && qBlue(c) < 60;
}
bool IsCyan(QRgb c)
{
    return qRed(c) < 60 && qGreen(c) > 200 && qBlue(c) > 200;
}
bool IsWhite(QRgb c)
{
    return c == qRgb(255, 255, 255);
}
bool IsBluish(QRgb c)
{
    return qBlue(c) > qRed(c) + 60 && qBlue(c) > qGreen(c) + 60;
}

class MeasureRender : public testing::Test
{
  protected:
    std::unique_ptr<CDrawMeasure> Make(int kind, int width = 4, int style = 0)
    {
        auto m = std::make_unique<CDrawMeasure>(MeasureKind(kind), GdiRect{});
        m->SetPen(Red, width, style);
        m->SetFont(LogFont::DefaultTextFont(), Blue);
        m->magnification = 50.0;
        return m;
    }

    void Render(CDrawMeasure& m)
    {
        GdiContext dc(picture);
        m.Draw(dc);
    }

    QRgb At(int x, int y) const { return picture.pixel(x, y); }

    int Count(const QRect& area, bool (*test)(QRgb)) const
    {
        int count = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                count += test(At(x, y)) ? 1 : 0;
        return count;
    }

    QImage picture = [] {
        QImage image(400, 400, QImage::Format_RGB32);
        image.fill(Qt::white);
        return image;
    }();
};

} // namespace

TEST_F(MeasureRender, FollowingLineShowsDottedGuidesInTheComplement)
{
    auto m = Make(1);
    m->points[0] = {100, 100};
    m->pointIndex = 1;
    m->SetBounds({100, 100}, {300, 100});
    Render(*m);

    // Vertical guides through both ends across the whole picture, dotted.
    const int column = Count(QRect(100, 150, 1, 250), IsCyan);
    EXPECT_GT(column, 80);
    EXPECT_LT(column, 170);
    EXPECT_GT(Count(QRect(300, 0, 1, 80), IsCyan), 25);
    EXPECT_TRUE(IsRed(At(200, 100)));
    // The measuring pen is back after the guides: no cyan on the line.
    EXPECT_EQ(Count(QRect(110, 98, 180, 5), IsCyan), 0);
}

TEST_F(MeasureRender, ThreePointArcIsTheUpperSector)
{
    auto m = Make(8);
    m->points[1] = {100, 200};
    m->points[2] = {200, 100};
    m->points[3] = {300, 200};
    m->pointIndex = 3;
    m->allPointsPlaced = true;
    m->SetBounds({0, 0}, {10, 330});
    Render(*m);

    EXPECT_TRUE(IsRed(At(200, 100)));
    EXPECT_TRUE(IsRed(At(129, 129)));
    // Both radii lie on the diameter; the lower half stays empty.
    EXPECT_TRUE(IsRed(At(150, 200)));
    EXPECT_TRUE(IsRed(At(250, 200)));
    EXPECT_EQ(Count(QRect(110, 215, 180, 80), IsRed), 0);
    EXPECT_EQ(Count(picture.rect(), IsCyan), 0);
}

TEST_F(MeasureRender, NearlyParallelLinesMeetFarAway)
{
    // The lines cross about 10^9 pixels away; the extension is clipped to
    // the picture and drawing stays quick.
    auto m = Make(9, 4, 1);
    m->points[1] = {0, 100};
    m->points[2] = {30000, 101};
    m->points[3] = {0, 300};
    m->points[4] = {30001, 301};
    m->pointIndex = 5;
    m->allPointsPlaced = true;
    m->SetBounds({0, 0}, {10, 10});
    Render(*m);
    EXPECT_GT(Count(QRect(0, 95, 400, 10), IsRed), 100);
}
