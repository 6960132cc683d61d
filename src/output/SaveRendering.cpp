#include "output/SaveRendering.h"

#include "magnification/PictureInfoRecord.h"
#include "output/SaveAsRules.h"
#include "output/StampSettings.h"

#include <QFontMetrics>
#include <QPainter>

#include <cstring>
#include <vector>

namespace SaveRendering {

using namespace SaveAsRules;

void Resample(const QImage& picture, QImage& output, const std::function<void(int)>& rowDone)
{
    const QImage source = picture.format() == QImage::Format_RGB32
                              ? picture
                              : picture.convertToFormat(QImage::Format_RGB32);
    const int ws = source.width();
    const int hs = source.height();
    const int w = output.width();
    const int h = output.height();
    if (ws <= 0 || hs <= 0 || w <= 0 || h <= 0 || output.format() != QImage::Format_RGB32)
        return;

    const float s = ResampleRatio(source.size(), output.size());
    std::vector<int> columns(size_t(w), 0);
    for (int x = 0; x < w; ++x)
        columns[size_t(x)] = SourceIndex(x, s, ws);
    const bool identity = s == 1.0f && w <= ws;

    for (int y = 0; y < h; ++y) {
        const auto* src =
            reinterpret_cast<const QRgb*>(source.constScanLine(SourceIndex(y, s, hs)));
        auto* dst = reinterpret_cast<QRgb*>(output.scanLine(y));
        if (identity) {
            std::memcpy(dst, src, size_t(w) * sizeof(QRgb));
        } else {
            for (int x = 0; x < w; ++x)
                dst[x] = src[columns[size_t(x)]];
        }
        if (rowDone)
            rowDone(y);
    }
}

void DrawStamp(QImage& output, const StampSettings& stamp, const PictureInfoRecord& record,
               const QString& picturePath)
{
    const struct
    {
        StampFlag flag;
        QString text;
    } items[] = {
        {StampResolution, ResolutionStampText(output.size())},
        {StampDateTime, DateTimeStampText(record)},
        {StampFileName, FileNameStampText(picturePath)},
        {StampMagnification, MagnificationStampText(record)},
    };
    if (!(stamp.flags & (StampResolution | StampDateTime | StampFileName | StampMagnification)))
        return;

    QPainter painter(&output);
    const QFont font = stamp.font.ToQFont();
    painter.setFont(font);
    // Positions name the top-left corner of the text, QPainter wants the baseline.
    const int ascent = QFontMetrics(font).ascent();
    const QColor complement = ToQColor(ComplementColor(stamp.color));
    const QColor color = ToQColor(stamp.color);
    for (const auto& item : items) {
        if (!(stamp.flags & item.flag) || item.text.isEmpty())
            continue;
        const QPoint at =
            StampPosition(item.flag, output.size(), stamp.font.height, int(item.text.size()));
        painter.setPen(complement);
        painter.drawText(at.x(), at.y() + ascent, item.text);
        painter.setPen(color);
        painter.drawText(at.x() + 1, at.y() + 1 + ascent, item.text);
    }
}

} // namespace SaveRendering
