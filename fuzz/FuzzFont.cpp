// The 92-byte font record and its conversion to and from the toolkit's fonts,
// measured and drawn as the stamp and the text tool use it.
#include "FuzzSupport.h"

#include "platform/GdiContext.h"
#include "platform/GdiFont.h"
#include "platform/LogFont.h"

#include <QImage>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    FuzzSupport::StartApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using FuzzSupport::Require;
    uint8_t bytes[LogFont::ByteSize] = {};
    std::memcpy(bytes, data, std::min<size_t>(size, LogFont::ByteSize));
    const LogFont font = LogFont::FromBytes(bytes);
    Require(font.ToBytes() == QByteArray(reinterpret_cast<const char*>(bytes), LogFont::ByteSize));

    const QFont converted = font.ToQFont();
    Require(converted.pixelSize() >= 1 && converted.pixelSize() <= LogFont::MaxPixelSize);
    const LogFont back = LogFont::FromQFont(converted, font);
    Require(back.height < 0 && back.height >= -LogFont::MaxPixelSize);

    // Drawing is only tried at sizes a picture could show, to keep runs quick.
    if (converted.pixelSize() <= 512) {
        QImage target(64, 32, QImage::Format_RGB32);
        target.fill(Qt::white);
        GdiContext dc(target);
        dc.SelectFont(GdiFont(font));
        dc.TextOut(1, 1, font.FaceName().left(8) + QStringLiteral("Ag"));
    }
    return 0;
}
