#include "platform/GdiContext.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace {

struct Shape
{
    const char* name;
    std::vector<GdiPoint> points;
};

std::vector<Shape> Shapes()
{
    std::vector<Shape> shapes;
    Shape zigzag{"zigzag", {}};
    for (int i = 0; i < 60; ++i)
        zigzag.points.push_back({20 + i * 6, i % 2 == 0 ? 20 : 380});
    shapes.push_back(zigzag);
    Shape walk{"walk", {}};
    std::mt19937 rng(5);
    GdiPoint p{200, 200};
    for (int i = 0; i < 120; ++i) {
        walk.points.push_back(p);
        p.x = std::clamp(p.x + int(rng() % 61) - 30, 0, 399);
        p.y = std::clamp(p.y + int(rng() % 61) - 30, 0, 399);
    }
    shapes.push_back(walk);
    Shape spiral{"spiral", {}};
    for (int i = 0; i < 90; ++i) {
        const double a = i * 0.35, r = 20 + i * 1.9;
        spiral.points.push_back({200 + int(r * std::cos(a)), 200 + int(r * std::sin(a))});
    }
    shapes.push_back(spiral);
    return shapes;
}

// Long polylines are drawn in pieces. They give the pixels of one continuous
// stroke, dashes included, except for a few pixels on the outside of some
// sharp wide joins between pieces, where a round cap and a round join are
// flattened differently.
TEST(PolylinePiecesTest, PiecesDrawWhatOneStrokeDrawsButAtSomeJoins)
{
    for (const Shape& shape : Shapes()) {
        for (int width : {2, 3, 8, 22}) {
            for (int style = 0; style <= 4; ++style) {
                const GdiPen pen = GdiPen::Styled(MakeColorRef(0, 0, 0), width, style);
                QImage pieces(400, 400, QImage::Format_RGB32);
                pieces.fill(Qt::white);
                QImage whole = pieces;
                {
                    GdiContext dc(pieces);
                    dc.SelectPen(pen);
                    dc.Polyline(shape.points.data(), shape.points.size());
                }
                {
                    QPainter painter(&whole);
                    painter.setPen(pen.ToQPen());
                    QPolygonF polygon;
                    for (const GdiPoint& q : shape.points)
                        polygon.append(QPointF(q.x, q.y));
                    painter.drawPolyline(polygon);
                }
                int differing = 0;
                for (int y = 0; y < 400; ++y) {
                    for (int x = 0; x < 400; ++x) {
                        if (pieces.pixel(x, y) == whole.pixel(x, y))
                            continue;
                        ++differing;
                        const bool atJoin = std::any_of(
                            shape.points.begin() + 1, shape.points.end() - 1,
                            [&](GdiPoint v) { return std::hypot(x - v.x, y - v.y) <= width; });
                        EXPECT_TRUE(atJoin) << shape.name << ", width " << width << ", style "
                                            << style << ": pixel " << x << "," << y;
                    }
                }
                if (shape.name != std::string("walk"))
                    EXPECT_EQ(differing, 0)
                        << shape.name << ", width " << width << ", style " << style;
                EXPECT_LE(differing, 8) << shape.name << ", width " << width << ", style " << style;
            }
        }
    }
}

} // namespace
