// The 220-byte properties record, read over the view's defaults as a stored
// value of any length would be, then used for a drawing and a text.
#include "FuzzSupport.h"

#include "app/PropertiesRecord.h"
#include "platform/GdiContext.h"
#include "platform/GdiFont.h"
#include "platform/GdiPen.h"

#include <QImage>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    FuzzSupport::StartApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using FuzzSupport::Require;
    QByteArray bytes = PropertiesRecord().ToBytes();
    std::memcpy(bytes.data(), data, std::min<size_t>(size, PropertiesRecord::ByteSize));
    const PropertiesRecord record = PropertiesRecord::FromBytes(bytes);
    Require(record.ToBytes() == bytes);

    QImage target(48, 48, QImage::Format_RGB32);
    target.fill(Qt::white);
    GdiContext dc(target);
    // Widths and styles as the view hands them on: twice the chosen width.
    const auto width = [](int32_t chosen) {
        return int(std::clamp(chosen, -64, 64)) * 2;
    };
    dc.SelectPen(GdiPen::Styled(record.drawColor, width(record.drawWidth), record.drawPenStyle));
    dc.MoveTo(2, 2);
    dc.LineTo(40, 30);
    dc.SelectPen(
        GdiPen::Styled(record.measureColor, width(record.measureWidth), record.measurePenStyle));
    dc.Rectangle(4, 4, 30, 40);
    for (const LogFont& font : {record.textFont, record.labelFont}) {
        if (font.ToQFont().pixelSize() <= 512) {
            dc.SelectFont(GdiFont(font));
            dc.TextOut(0, 0, QStringLiteral("12.5 um"));
        }
    }
    return 0;
}
