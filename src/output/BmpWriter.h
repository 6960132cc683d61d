#pragma once

#include <QByteArray>
#include <QImage>

#include <cstdint>

class QIODevice;

// The saved-picture BMP layout: a 14-byte file header and a 40-byte
// information header, then top-down rows of blue, green, red padded with
// zeros to a multiple of 4 bytes (the height is stored negative).
namespace BmpWriter {

constexpr int HeaderSize = 54;

constexpr int64_t RowLength(int width)
{
    return (int64_t(width) * 3 + 3) / 4 * 4;
}
constexpr int64_t FileSize(int width, int height)
{
    return HeaderSize + RowLength(width) * height;
}

QByteArray Header(int width, int height, uint16_t planes = 1);

// Writes the whole file for an image of any format (converted to 24-bit
// colour row by row). Returns false when the device refuses a write.
bool Write(QIODevice& device, const QImage& image);

QByteArray Encode(const QImage& image);

} // namespace BmpWriter
