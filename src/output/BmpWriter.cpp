#include "output/BmpWriter.h"

#include "platform/ByteCodec.h"

#include <QBuffer>
#include <QIODevice>

#include <algorithm>
#include <vector>

namespace BmpWriter {

using namespace ByteCodec;

QByteArray Header(int width, int height, uint16_t planes)
{
    QByteArray bytes(HeaderSize, '\0');
    auto* p = reinterpret_cast<uint8_t*>(bytes.data());
    const int64_t pixelBytes = RowLength(width) * height;
    PutU16(p + 0, 0x4D42);
    PutU32(p + 2, uint32_t(HeaderSize + pixelBytes));
    PutU32(p + 10, HeaderSize);
    PutU32(p + 14, 40);
    PutI32(p + 18, width);
    PutI32(p + 22, -height);
    PutU16(p + 26, planes);
    PutU16(p + 28, 24);
    PutU32(p + 34, uint32_t(pixelBytes));
    return bytes;
}

bool Write(QIODevice& device, const QImage& image)
{
    const QImage rgb = image.format() == QImage::Format_RGB32
                           ? image
                           : image.convertToFormat(QImage::Format_RGB32);
    if (rgb.isNull() && !image.isNull())
        return false;
    const int width = rgb.width();
    const int height = rgb.height();
    const QByteArray header = Header(width, height);
    if (device.write(header) != header.size())
        return false;

    // Rows are gathered into blocks of about 1 MB to keep writes few.
    const int64_t rowLength = RowLength(width);
    const int rowsPerBlock = int(std::max<int64_t>(1, (1 << 20) / std::max<int64_t>(1, rowLength)));
    std::vector<uint8_t> block(size_t(rowLength * std::min(rowsPerBlock, std::max(1, height))), 0);
    for (int y0 = 0; y0 < height; y0 += rowsPerBlock) {
        const int rows = std::min(rowsPerBlock, height - y0);
        for (int r = 0; r < rows; ++r) {
            const auto* src = reinterpret_cast<const QRgb*>(rgb.constScanLine(y0 + r));
            uint8_t* dst = block.data() + int64_t(r) * rowLength;
            for (int x = 0; x < width; ++x) {
                const QRgb c = src[x];
                dst[3 * x] = uint8_t(qBlue(c));
                dst[3 * x + 1] = uint8_t(qGreen(c));
                dst[3 * x + 2] = uint8_t(qRed(c));
            }
            // The padding bytes of the block are zero from the start and never written.
        }
        const qint64 n = qint64(rows) * rowLength;
        if (device.write(reinterpret_cast<const char*>(block.data()), n) != n)
            return false;
    }
    return true;
}

QByteArray Encode(const QImage& image)
{
    QByteArray bytes;
    bytes.reserve(qsizetype(FileSize(image.width(), image.height())));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    Write(buffer, image);
    return bytes;
}

} // namespace BmpWriter
