#include "view/DisplayScaler.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <cstdint>
#include <random>

namespace {

// How much of picture pixel k view pixel i covers along one axis, in units of
// 1/out picture pixel.
int64_t Overlap(int i, int k, int in, int out)
{
    const int64_t from = std::max(int64_t(i) * in, int64_t(k) * out);
    const int64_t to = std::min(int64_t(i + 1) * in, int64_t(k + 1) * out);
    return std::max<int64_t>(0, to - from);
}

// The area average straight from its definition, over every picture pixel.
QRgb ReferencePixel(const QImage& picture, QSize view, int i, int j)
{
    const int inW = picture.width(), inH = picture.height();
    int64_t red = 0, green = 0, blue = 0;
    for (int l = 0; l < inH; ++l) {
        const int64_t wy = Overlap(j, l, inH, view.height());
        for (int k = 0; wy && k < inW; ++k) {
            const int64_t w = wy * Overlap(i, k, inW, view.width());
            const QRgb p = picture.pixel(k, l);
            red += w * qRed(p);
            green += w * qGreen(p);
            blue += w * qBlue(p);
        }
    }
    const int64_t total = int64_t(inW) * inH;
    return qRgb(int((red + total / 2) / total), int((green + total / 2) / total),
                int((blue + total / 2) / total));
}

// Every view pixel is the rounded area average, and any rectangle redrawn
// alone matches the whole view.
TEST(DisplayScalerTest, EveryViewPixelIsTheRoundedAreaAverage)
{
    const std::pair<QSize, QSize> shapes[] = {
        {{109, 87}, {20, 16}}, // shrunk, gcd > 1
        {{101, 53}, {17, 13}}, // shrunk, coprime
        {{13, 7}, {40, 29}},   // enlarged
        {{64, 5}, {9, 21}},    // mixed
        {{3001, 1}, {30, 7}},  // one row
        {{1, 2501}, {11, 23}}, // one column
        {{4500, 3}, {33, 4}},  // wider than a pass
    };
    std::mt19937 random(11);
    for (const auto& [size, view] : shapes) {
        SCOPED_TRACE(testing::Message() << size.width() << "x" << size.height());
        QImage picture(size, QImage::Format_RGB32);
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                picture.setPixel(x, y, random() | 0xFF000000u);
        const DisplayScaler scaler(size, view);
        const QImage whole = scaler.ScaleAll(picture);
        ASSERT_EQ(whole.size(), view);
        for (int j = 0; j < view.height(); ++j)
            for (int i = 0; i < view.width(); ++i)
                ASSERT_EQ(whole.pixel(i, j), ReferencePixel(picture, view, i, j)) << i << "," << j;

        for (int n = 0; n < 20; ++n) {
            const QPoint a(int(random() % uint32_t(view.width())),
                           int(random() % uint32_t(view.height())));
            const QPoint b(int(random() % uint32_t(view.width())),
                           int(random() % uint32_t(view.height())));
            const QRect rect = QRect(a, b).normalized();
            QImage part = whole;
            QPainter(&part).fillRect(rect, qRgb(1, 2, 3)); // shows wherever the redraw leaves off
            scaler.ScaleRect(picture, part, rect);
            ASSERT_TRUE(part == whole) << "rectangle " << rect.x() << "," << rect.y() << " "
                                       << rect.width() << "x" << rect.height();
        }
    }
}

} // namespace
