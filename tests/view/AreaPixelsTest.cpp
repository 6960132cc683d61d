#include "view/AreaPixels.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// Random areas of several runs a row, and runs crossing them every way:
// putting back gives the kept pixels inside the area, the other picture's
// outside it, and leaves every other pixel alone.
TEST(AreaPixelsTest, PutTakesTheLayerInsideTheAreaAndTheOtherPictureOutside)
{
    std::mt19937 random(7);
    const QSize size(40, 12);
    auto randomArea = [&](int runsPerRow) {
        TouchedArea area(QRect(QPoint(0, 0), size));
        for (int y = 0; y < size.height(); ++y)
            for (int i = 0; i < runsPerRow; ++i) {
                const int left = int(random() % 40);
                area.AddRow(y, left, left + int(random() % 8));
            }
        return area;
    };
    auto filled = [&](QRgb base) {
        QImage picture(size, QImage::Format_RGB32);
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                picture.setPixel(x, y, base + QRgb(y * size.width() + x));
        return picture;
    };
    const QImage kept = filled(0xFF000000), outside = filled(0xFF100000);
    for (int round = 0; round < 20; ++round) {
        TouchedArea area = randomArea(3), runs = randomArea(2);
        AreaPixels pixels;
        pixels.SetArea(area.Runs(), size.height());
        const AreaPixels::Layer layer = pixels.Capture(kept);
        QImage picture = filled(0xFF200000);
        const QImage before = picture;
        pixels.Put(layer, outside, picture, runs.Runs());
        auto contains = [](TouchedArea& a, int x, int y) {
            for (const TouchedArea::Run& r : a.Runs())
                if (r.y == y && r.left <= x && x <= r.right)
                    return true;
            return false;
        };
        bool met = false;
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x) {
                const bool inRuns = contains(runs, x, y);
                const bool inBoth = inRuns && contains(area, x, y);
                met = met || inBoth;
                const QRgb expected = inBoth   ? kept.pixel(x, y)
                                      : inRuns ? outside.pixel(x, y)
                                               : before.pixel(x, y);
                ASSERT_EQ(picture.pixel(x, y), expected) << round << ": " << x << "," << y;
            }
        EXPECT_EQ(pixels.Meets(runs.Runs()), met);
    }
}

} // namespace
