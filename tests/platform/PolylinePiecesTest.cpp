#include "platform/GdiContext.h"
#include "platform/PieceScanner.h"
#include "platform/PieceStroker.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace {

// Long polylines are drawn in pieces. They give the pixels of one continuous
// stroke, dashes included, for a zigzag of sharp turns and a spiral of gentle
// ones; a random walk may differ by a few pixels on the outside of some sharp
// wide joins between pieces, where a round cap and a round join are flattened
// differently.
TEST(PolylinePiecesTest, PiecesDrawWhatOneStrokeDrawsButAtSomeJoins)
{
    std::vector<GdiPoint> zigzag, spiral, walk;
    std::mt19937 rng(5);
    GdiPoint p{200, 200};
    for (int i = 0; i < 120; ++i) {
        if (i < 60)
            zigzag.push_back({20 + i * 6, i % 2 == 0 ? 20 : 380});
        if (i < 90)
            spiral.push_back({200 + int((20 + i * 1.9) * std::cos(i * 0.35)),
                              200 + int((20 + i * 1.9) * std::sin(i * 0.35))});
        walk.push_back(p);
        p.x = std::clamp(p.x + int(rng() % 61) - 30, 0, 399);
        p.y = std::clamp(p.y + int(rng() % 61) - 30, 0, 399);
    }
    for (const std::vector<GdiPoint>* shape : {&zigzag, &spiral, &walk}) {
        for (int width : {2, 3, 8, 22}) {
            for (int style = 0; style <= 4; ++style) {
                SCOPED_TRACE(testing::Message() << (shape == &walk ? "walk" : "zigzag or spiral")
                                                << ", width " << width << ", style " << style);
                const GdiPen pen = GdiPen::Styled(MakeColorRef(0, 0, 0), width, style);
                QImage pieces(400, 400, QImage::Format_RGB32);
                pieces.fill(Qt::white);
                QImage whole = pieces;
                {
                    GdiContext dc(pieces);
                    dc.SelectPen(pen);
                    dc.Polyline(shape->data(), shape->size());
                }
                QPolygonF polygon;
                for (const GdiPoint& q : *shape)
                    polygon.append(QPointF(q.x, q.y));
                QPainter painter(&whole);
                painter.setPen(pen.ToQPen());
                painter.drawPolyline(polygon);
                painter.end();
                int differing = 0;
                for (int y = 0; y < 400; ++y)
                    for (int x = 0; x < 400; ++x)
                        if (pieces.pixel(x, y) != whole.pixel(x, y)) {
                            ++differing;
                            EXPECT_TRUE(std::any_of(
                                shape->begin() + 1, shape->end() - 1,
                                [&](GdiPoint v) { return std::hypot(x - v.x, y - v.y) <= width; }))
                                << "pixel " << x << "," << y;
                        }
                EXPECT_LE(differing, shape == &walk ? 8 : 0);
            }
        }
    }
}

// Bands of rows drawn by painters of their own, at the same time, give the
// pixels one painter gives: random polylines leaving the picture, every pen
// style, narrow and wide pens, with and without a clip.
TEST(PolylinePiecesTest, BandsDrawWhatOnePainterDraws)
{
    std::mt19937 rng(11);
    for (int width : {2, 3, 8, 22}) {
        for (int style = 0; style <= 4; ++style) {
            QPolygonF polygon;
            for (int i = 0; i < 40; ++i)
                polygon.append(QPointF(int(rng() % 420) - 60, int(rng() % 360) - 60));
            const bool clipped = style % 2 == 1;
            SCOPED_TRACE(testing::Message() << "width " << width << ", style " << style);
            QImage pictures[2];
            for (int bands : {1, 3}) {
                QImage& picture = pictures[bands > 1];
                picture = QImage(300, 240, QImage::Format_RGB32);
                picture.fill(Qt::white);
                QPainter painter(&picture);
                painter.setPen(GdiPen::Styled(MakeColorRef(200, 0, 0), width, style).ToQPen());
                if (clipped)
                    painter.setClipRegion(QRegion(20, 10, 200, 100) + QRegion(150, 90, 120, 140));
                PieceStroker::Stroke(painter, picture, polygon, picture.rect(), bands);
            }
            EXPECT_TRUE(pictures[0] == pictures[1]);
        }
    }
}

// Pieces scanned here, on threads, give the pixels Qt's painter gives
// them one call at a time: sharp and gentle turns, repeated points and
// returns, solid and every dash style, narrow and wide pens.
TEST(PolylinePiecesTest, ScannedPiecesDrawWhatThePainterDrawsPieceByPiece)
{
    std::mt19937 rng(23);
    std::vector<QPolygonF> shapes(3);
    for (int i = 0; i < 150; ++i) {
        shapes[0].append(QPointF(55 + i * 2 + i % 3, i % 2 == 0 ? 60 : 330));
        if (i < 90)
            shapes[1].append(QPointF(240 + std::round((8 + i * 1.5) * std::cos(i * 0.4)),
                                     200 + std::round((8 + i * 1.5) * std::sin(i * 0.4))));
        shapes[2].append(i % 7 == 3 ? shapes[2][i - 2]
                                    : QPointF(60 + int(rng() % 300), 60 + int(rng() % 250)));
    }
    for (const QPolygonF& shape : shapes) {
        for (int width : {2, 3, 8, 22}) {
            for (int style = 0; style <= 4; ++style) {
                SCOPED_TRACE(testing::Message() << "width " << width << ", style " << style);
                const QPen pen = GdiPen::Styled(MakeColorRef(0, 90, 200), width, style).ToQPen();
                QImage pictures[2] = {QImage(500, 390, QImage::Format_RGB32)};
                pictures[0].fill(Qt::white);
                pictures[1] = pictures[0].copy();
                QPainter painter(&pictures[0]);
                painter.setPen(pen);
                const std::vector<PieceStroker::Piece> pieces = PieceStroker::Pieces(pen, shape);
                EXPECT_TRUE(PieceScanner::Draw(painter, pictures[0], shape, pieces, 2));
                painter.end();
                painter.begin(&pictures[1]);
                for (const PieceStroker::Piece& piece : pieces) {
                    QPen piecePen = pen;
                    piecePen.setDashOffset(piece.dashOffset);
                    painter.setPen(piecePen);
                    painter.drawPolyline(shape.constData() + piece.first,
                                         int(piece.last - piece.first + 1));
                }
                painter.end();
                EXPECT_TRUE(pictures[0] == pictures[1]);
            }
        }
    }
}

} // namespace
