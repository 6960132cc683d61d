#include "output/JpegScaleRecord.h"

#include "platform/ByteCodec.h"

#include <array>

namespace JpegScaleRecord {

namespace {

constexpr uint16_t TagXResolution = 282;
constexpr uint16_t TagYResolution = 283;
constexpr uint16_t TagResolutionUnit = 296;
constexpr uint16_t TypeShort = 3;
constexpr uint16_t TypeRational = 5;
constexpr uint16_t UnitCentimetre = 3;

// Little-endian TIFF header, one directory of three entries, no next
// directory, then the two fractions.
constexpr int EntryCount = 3;
constexpr int DirectoryOffset = 8;
constexpr int DataOffset = DirectoryOffset + 2 + 12 * EntryCount + 4;
constexpr int TiffSize = DataOffset + 16;
constexpr char ExifName[] = "Exif\0"; // with the array's own NUL: "Exif" and two zero bytes

void PutEntry(uint8_t* p, uint16_t tag, uint16_t type, uint32_t value)
{
    ByteCodec::PutU16(p, tag);
    ByteCodec::PutU16(p + 2, type);
    ByteCodec::PutU32(p + 4, 1);
    ByteCodec::PutU32(p + 8, value);
}

} // namespace

QByteArray Segment(PixelScale::Rational pixelsPerCentimetre)
{
    std::array<uint8_t, TiffSize> tiff{};
    tiff[0] = 'I';
    tiff[1] = 'I';
    ByteCodec::PutU16(&tiff[2], 42);
    ByteCodec::PutU32(&tiff[4], DirectoryOffset);
    uint8_t* entry = &tiff[DirectoryOffset];
    ByteCodec::PutU16(entry, EntryCount);
    PutEntry(entry + 2, TagXResolution, TypeRational, DataOffset);
    PutEntry(entry + 14, TagYResolution, TypeRational, DataOffset + 8);
    PutEntry(entry + 26, TagResolutionUnit, TypeShort, UnitCentimetre);
    for (int i = 0; i < 2; ++i) {
        ByteCodec::PutU32(&tiff[DataOffset + 8 * i], pixelsPerCentimetre.numerator);
        ByteCodec::PutU32(&tiff[DataOffset + 8 * i + 4], pixelsPerCentimetre.denominator);
    }

    const int length = 2 + int(sizeof ExifName) + TiffSize;
    QByteArray segment;
    segment.append(char(0xFF)).append(char(0xE1));
    segment.append(char(length >> 8)).append(char(length & 0xFF));
    segment.append(ExifName, sizeof ExifName);
    segment.append(reinterpret_cast<const char*>(tiff.data()), TiffSize);
    return segment;
}

QByteArray WithScale(const QByteArray& jpeg, PixelScale::Rational pixelsPerCentimetre)
{
    auto byte = [&](qsizetype i) {
        return uint8_t(jpeg.at(i));
    };
    if (jpeg.size() < 4 || byte(0) != 0xFF || byte(1) != 0xD8)
        return jpeg;
    qsizetype at = 2;
    // After a JFIF header, which must come first.
    if (byte(2) == 0xFF && byte(3) == 0xE0 && jpeg.size() >= 6) {
        const qsizetype length = qsizetype(byte(4)) << 8 | byte(5);
        if (at + 2 + length <= jpeg.size())
            at += 2 + length;
    }
    QByteArray out = jpeg;
    out.insert(at, Segment(pixelsPerCentimetre));
    return out;
}

} // namespace JpegScaleRecord
