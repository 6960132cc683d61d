#include "output/TiffWriter.h"

#include "platform/ByteCodec.h"

#include <QImage>

#include <tiffio.h>

#include <cstring>
#include <memory>
#include <vector>

namespace TiffWriter {

namespace {

// A growing in-memory file for the library's client interface.
struct MemoryFile
{
    QByteArray data;
    toff_t position = 0;
};

MemoryFile& FileOf(thandle_t handle)
{
    return *static_cast<MemoryFile*>(handle);
}

tmsize_t ReadProc(thandle_t handle, void* buffer, tmsize_t size)
{
    MemoryFile& f = FileOf(handle);
    if (f.position >= toff_t(f.data.size()))
        return 0;
    const tmsize_t n = std::min<tmsize_t>(size, tmsize_t(f.data.size()) - tmsize_t(f.position));
    std::memcpy(buffer, f.data.constData() + f.position, size_t(n));
    f.position += toff_t(n);
    return n;
}

tmsize_t WriteProc(thandle_t handle, void* buffer, tmsize_t size)
{
    MemoryFile& f = FileOf(handle);
    const toff_t end = f.position + toff_t(size);
    if (end > toff_t(f.data.size()))
        f.data.resize(qsizetype(end));
    std::memcpy(f.data.data() + f.position, buffer, size_t(size));
    f.position = end;
    return size;
}

toff_t SeekProc(thandle_t handle, toff_t offset, int whence)
{
    MemoryFile& f = FileOf(handle);
    if (whence == SEEK_CUR)
        offset += f.position;
    else if (whence == SEEK_END)
        offset += toff_t(f.data.size());
    f.position = offset;
    return offset;
}

int CloseProc(thandle_t)
{
    return 0;
}

toff_t SizeProc(thandle_t handle)
{
    return toff_t(FileOf(handle).data.size());
}

int MapProc(thandle_t, void**, toff_t*)
{
    return 0;
}

void UnmapProc(thandle_t, void*, toff_t) {}

// The library keeps the resolution in single precision and writes that value;
// the directory entries it made get the exact fraction instead.
void WriteExactResolution(QByteArray& file, PixelScale::Rational r)
{
    auto* p = reinterpret_cast<uint8_t*>(file.data());
    const auto size = uint64_t(file.size());
    if (size < 8 || !file.startsWith(QByteArrayLiteral("II*\0")))
        return;
    const uint64_t directory = ByteCodec::GetU32(p + 4);
    if (directory + 2 > size)
        return;
    const uint16_t count = ByteCodec::GetU16(p + directory);
    for (uint16_t i = 0; i < count && directory + 2 + 12 * (i + 1) <= size; ++i) {
        const uint64_t entry = directory + 2 + 12 * i;
        const uint16_t tag = ByteCodec::GetU16(p + entry);
        const bool resolution = tag == TIFFTAG_XRESOLUTION || tag == TIFFTAG_YRESOLUTION;
        const uint64_t at = ByteCodec::GetU32(p + entry + 8);
        if (resolution && ByteCodec::GetU16(p + entry + 2) == TIFF_RATIONAL &&
            ByteCodec::GetU32(p + entry + 4) == 1 && at + 8 <= size) {
            ByteCodec::PutU32(p + at, r.numerator);
            ByteCodec::PutU32(p + at + 4, r.denominator);
        }
    }
}

} // namespace

QByteArray Encode(const QImage& image, const Tags& tags)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    if (rgb.isNull())
        return {};
    MemoryFile file;
    std::unique_ptr<TIFF, void (*)(TIFF*)> tiff(TIFFClientOpen("picture", "w", &file, ReadProc,
                                                               WriteProc, SeekProc, CloseProc,
                                                               SizeProc, MapProc, UnmapProc),
                                                TIFFClose);
    if (!tiff)
        return {};
    TIFF* t = tiff.get();
    const uint32_t width = uint32_t(rgb.width());
    bool ok = TIFFSetField(t, TIFFTAG_IMAGEWIDTH, width) &&
              TIFFSetField(t, TIFFTAG_IMAGELENGTH, uint32_t(rgb.height())) &&
              TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, uint16_t(8)) &&
              TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, uint16_t(3)) &&
              TIFFSetField(t, TIFFTAG_PHOTOMETRIC, uint16_t(PHOTOMETRIC_RGB)) &&
              TIFFSetField(t, TIFFTAG_PLANARCONFIG, uint16_t(PLANARCONFIG_CONTIG)) &&
              TIFFSetField(t, TIFFTAG_ORIENTATION, uint16_t(ORIENTATION_TOPLEFT)) &&
              TIFFSetField(t, TIFFTAG_COMPRESSION, uint16_t(COMPRESSION_LZW)) &&
              TIFFSetField(t, TIFFTAG_PREDICTOR, uint16_t(PREDICTOR_HORIZONTAL)) &&
              TIFFSetField(t, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(t, 0)) &&
              TIFFSetField(t, TIFFTAG_SOFTWARE, tags.software.toUtf8().constData()) &&
              TIFFSetField(t, TIFFTAG_DATETIME, tags.dateTime.toLatin1().constData());
    if (ok && !tags.documentName.isEmpty())
        ok = TIFFSetField(t, TIFFTAG_DOCUMENTNAME, tags.documentName.constData());
    if (ok && tags.pixelsPerCentimetre) {
        const double perCentimetre = tags.pixelsPerCentimetre->Value();
        ok = TIFFSetField(t, TIFFTAG_XRESOLUTION, perCentimetre) &&
             TIFFSetField(t, TIFFTAG_YRESOLUTION, perCentimetre) &&
             TIFFSetField(t, TIFFTAG_RESOLUTIONUNIT, uint16_t(RESUNIT_CENTIMETER));
    }
    // The predictor rewrites the row it is given, so each row goes through a copy.
    std::vector<uint8_t> row(size_t(width) * 3);
    for (int y = 0; ok && y < rgb.height(); ++y) {
        std::memcpy(row.data(), rgb.constScanLine(y), row.size());
        ok = TIFFWriteScanline(t, row.data(), uint32_t(y), 0) == 1;
    }
    ok = ok && TIFFWriteDirectory(t);
    tiff.reset();
    if (!ok)
        return {};
    if (tags.pixelsPerCentimetre)
        WriteExactResolution(file.data, *tags.pixelsPerCentimetre);
    return file.data;
}

} // namespace TiffWriter
