#include "platform/GdiContext.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

namespace {

constexpr QRgb Paper = 0xFFFFFFFF;
constexpr ColorRef Red = MakeColorRef(255, 0, 0);

class GdiContextTest : public ::testing::Test
{
  protected:
    QImage picture{240, 160, QImage::Format_RGB32};
    void SetUp() override { picture.fill(Paper); }
    bool Ink(int x, int y) const { return picture.pixel(x, y) != Paper; }
};

// Dashes and gaps follow the style table, solid and unknown styles have none;
// round caps lengthen each dash by one width and shorten each gap by the same,
// as they do on the picture.
TEST_F(GdiContextTest, GapsFallWhereTheStyleTablePutsThem)
{
    const int x0 = 20, x1 = 230;
    int y = 0;
    for (const auto& [style, width] : {std::pair{1, 1},
                                       {1, 5},
                                       {2, 2},
                                       {2, 4},
                                       {3, 3},
                                       {4, 2},
                                       {4, 6},
                                       {0, 2},
                                       {7, 2},
                                       {-1, 2}}) {
        y += 14;
        GdiContext dc(picture);
        dc.SelectPen(GdiPen::Styled(Red, width, style));
        dc.MoveTo(x0, y);
        dc.LineTo(x1, y);
        const std::vector<int> pattern = UserStylePattern(style, width);
        if (pattern.empty()) {
            for (int x = x0; x < x1; ++x)
                ASSERT_TRUE(Ink(x, y)) << "style " << style << " x " << x;
            continue;
        }
        int offset = x0;
        for (size_t i = 0; offset < x1 - 4 * width; i += 2) {
            const int dash = pattern[i % pattern.size()];
            const int gap = pattern[(i + 1) % pattern.size()];
            EXPECT_TRUE(Ink(offset + dash / 2, y))
                << style << "/" << width << " dash at " << offset;
            EXPECT_FALSE(Ink(int(offset + dash + gap / 2.0), y))
                << style << "/" << width << " gap after " << offset;
            offset += dash + gap;
        }
    }
    // The guide pen: three on, three off.
    GdiContext dc(picture);
    dc.SelectPen(GdiPen::Dotted(Red));
    dc.MoveTo(10, 155);
    dc.LineTo(40, 155);
    for (int x = 10; x < 40; ++x)
        EXPECT_EQ(Ink(x, 155), (x - 10) % 6 < 3) << x;
}

TEST_F(GdiContextTest, WidePenHasRoundCapsAndCentredThickness)
{
    GdiContext dc(picture);
    dc.SelectPen(GdiPen::Solid(Red, 8));
    dc.MoveTo(50, 50);
    dc.LineTo(150, 50);
    EXPECT_TRUE(Ink(47, 50) && Ink(153, 50)); // caps reach half a width beyond the ends
    EXPECT_FALSE(Ink(46, 46));                // but are not square
    EXPECT_TRUE(Ink(100, 47) && Ink(100, 53));
    EXPECT_FALSE(Ink(100, 44) || Ink(100, 56));

    dc.MoveTo(50, 100);
    dc.LineTo(50, 100); // a dot as wide as the pen
    EXPECT_TRUE(Ink(50, 100) && Ink(47, 100) && Ink(50, 103));
    EXPECT_FALSE(Ink(47, 97) || Ink(55, 100));
}

// The outline runs along the last pixels inside the box; a hollow brush
// leaves the inside, a solid one fills it short of the right and bottom edge.
TEST_F(GdiContextTest, RectangleStaysInsideItsBox)
{
    GdiContext dc(picture);
    dc.SelectPen(GdiPen::Solid(Red, 1));
    dc.SelectBrush(GdiBrush::Hollow());
    dc.Rectangle(60, 50, 20, 30); // corners in either order
    EXPECT_TRUE(Ink(20, 30) && Ink(59, 49) && Ink(59, 40));
    EXPECT_FALSE(Ink(60, 40) || Ink(40, 50));
    for (int y = 31; y < 49; ++y)
        for (int x = 21; x < 59; ++x)
            ASSERT_FALSE(Ink(x, y)) << x << "," << y;

    dc.SelectPen(GdiPen());
    dc.SelectBrush(GdiBrush::Solid(Red));
    dc.Rectangle(120, 30, 160, 50);
    EXPECT_TRUE(Ink(120, 30) && Ink(159, 49));
    EXPECT_FALSE(Ink(160, 49) || Ink(159, 50));
}

TEST_F(GdiContextTest, InvertRectInvertsExactlyTheBoxAndUndoesItself)
{
    picture.setPixel(30, 30, qRgb(10, 20, 30));
    GdiContext dc(picture);
    dc.InvertRect({40, 40, 30, 30});
    EXPECT_EQ(picture.pixel(30, 30), qRgb(245, 235, 225));
    EXPECT_EQ(picture.pixel(39, 39), qRgb(0, 0, 0));
    EXPECT_EQ(picture.pixel(40, 39), Paper);
    EXPECT_EQ(picture.pixel(39, 40), Paper);
    dc.InvertRect({30, 30, 40, 40});
    EXPECT_EQ(picture.pixel(30, 30), qRgb(10, 20, 30));
    EXPECT_EQ(picture.pixel(35, 35), Paper);
}

TEST_F(GdiContextTest, AngleArcRunsCounterclockwiseFromTheLeadingLine)
{
    GdiContext dc(picture);
    dc.SelectPen(GdiPen::Solid(Red, 1));
    dc.MoveTo(100, 80);
    dc.AngleArc(100, 80, 40, 0.0f, 90.0f);
    EXPECT_TRUE(Ink(120, 80)); // leading line from the centre to the start
    EXPECT_TRUE(Ink(128, 52) || Ink(128, 51) || Ink(129, 52)); // 45 degrees, above
    EXPECT_FALSE(Ink(128, 108));
    EXPECT_FALSE(Ink(72, 52));
    EXPECT_EQ(dc.CurrentPosition(), (GdiPoint{100, 40}));

    dc.MoveTo(100, 80);
    dc.AngleArc(100, 80, 40, 180.0f, -90.0f);
    EXPECT_TRUE(Ink(72, 52) || Ink(72, 51) || Ink(71, 52)); // clockwise: up over the left
    EXPECT_FALSE(Ink(72, 108));
    EXPECT_EQ(dc.CurrentPosition(), (GdiPoint{100, 40}));
}

// Also at the label sizes of large pictures, where Qt stops caching glyphs.
TEST_F(GdiContextTest, TextOutPlacesTheTextTopLeftAtThePoint)
{
    for (const int height : {-30, -64, -65, -97, -180}) {
        picture = QImage(4 * -height, 3 * -height, QImage::Format_RGB32);
        picture.fill(Paper);
        LogFont log = LogFont::DefaultTextFont();
        log.height = height;
        GdiContext dc(picture);
        dc.SelectFont(GdiFont(log));
        dc.SetTextColor(Red);
        dc.SetBkMode(GdiContext::Transparent);
        dc.TextOut(50, 40, QStringLiteral("HH"));
        int top = picture.height(), left = picture.width(), bottom = -1;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                if (Ink(x, y)) {
                    top = std::min(top, y);
                    left = std::min(left, x);
                    bottom = std::max(bottom, y);
                }
        ASSERT_GE(bottom, 0) << height;
        EXPECT_GE(left, 50) << height;
        EXPECT_LE(left, 50 - height / 6) << height;
        EXPECT_GE(top, 40) << height;
        EXPECT_LE(bottom, 40 + dc.TextHeight()) << height;
        EXPECT_GT(bottom - top, -height / 2) << height;
        EXPECT_EQ(dc.CurrentLogFont().height, height);
    }
}

// Text too large for Qt's glyph cache is drawn in groups of glyphs; the
// pixels are still those of one QPainter::drawText, clipped or not.
TEST_F(GdiContextTest, LargeTextGivesThePixelsOfOneDrawText)
{
    const QString texts[] = {QStringLiteral("Total=12.345678 mm"),
                             QStringLiteral("A=0.252050 mm^2"), QStringLiteral("WAVE 1/7 ff il 00"),
                             QStringLiteral("Hi \u4e2d"), QStringLiteral("C=4.461061 inch")};
    QImage background(900, 1024, QImage::Format_RGB32);
    for (int y = 0; y < background.height(); ++y)
        for (int x = 0; x < background.width(); ++x)
            background.setPixel(x, y, qRgb(x & 0xFF, y & 0xFF, (x * y) & 0xFF));
    int i = 0;
    for (const int height : {-66, -98, -150, -300})
        for (const bool italic : {false, true})
            for (const QString& text : texts) {
                LogFont log = LogFont::DefaultTextFont();
                log.height = height;
                log.italic = italic;
                log.weight = italic ? 700 : 400;
                const GdiFont font(log);
                const QRect clip = ++i % 2 ? QRect() : QRect(200 + i * 7, 10, 9, 300);
                // Some texts start left of the picture.
                const int x = i % 3 ? 40 + i : -7;
                QImage expected = background.copy();
                picture = background.copy();
                // The second time, lower down, from the glyphs' kept coverage.
                for (const int y : {30, 540, 620}) {
                    {
                        QPainter painter(&expected);
                        painter.setRenderHint(QPainter::TextAntialiasing, true);
                        painter.setFont(font.Font());
                        painter.setPen(QColor(20, 200, 90));
                        if (!clip.isEmpty())
                            painter.setClipRect(clip);
                        painter.drawText(QPoint(x + (y - 30) / 10, y + font.Ascent()), text);
                    }
                    GdiContext dc(picture);
                    dc.SelectFont(font);
                    dc.SetTextColor(MakeColorRef(20, 200, 90));
                    dc.SetBkMode(GdiContext::Transparent);
                    if (!clip.isEmpty())
                        dc.Painter().setClipRect(clip);
                    dc.TextOut(x + (y - 30) / 10, y, text);
                    ASSERT_TRUE(picture == expected)
                        << height << " " << italic << " " << y << " " << qPrintable(text);
                }
            }
}

// Computed coordinates may lie anywhere in the int range.
TEST_F(GdiContextTest, ExtremeCoordinatesDrawOnlyWhatCrossesThePicture)
{
    constexpr int Lo = std::numeric_limits<int>::min();
    constexpr int Hi = std::numeric_limits<int>::max();
    GdiContext dc(picture);
    dc.SelectPen(GdiPen::Styled(Red, 6, 1));
    dc.SelectBrush(GdiBrush::Solid(Red));
    dc.Rectangle(Lo, Lo, Hi, Hi);
    dc.Ellipse(Lo, 50, Hi, 60);
    dc.InvertRect({Hi, Lo, Lo, Hi});
    dc.MoveTo(Lo, Lo);
    dc.LineTo(Hi, Hi);
    dc.AngleArc(120, 80, 4000000000u, 10.0f, 3000.0f);
    dc.AngleArc(120, 80, 100000, 0.0f, 360.0f);
    EXPECT_EQ(dc.TouchedRect(), picture.rect());
}

} // namespace
