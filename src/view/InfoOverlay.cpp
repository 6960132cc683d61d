#include "view/InfoOverlay.h"

#include "magnification/PictureInfoRecord.h"

#include <QPainter>

QString InfoOverlay::ResolutionText(const PictureInfoRecord& record)
{
    return ::ResolutionText(record.captureResolutionCode);
}

QString InfoOverlay::TimeText(const PictureInfoRecord& record)
{
    QString name = record.PathText();
    const qsizetype cut = std::max(name.lastIndexOf(u'\\'), name.lastIndexOf(u'/'));
    if (cut >= 0)
        name = name.mid(cut + 1);
    name = name.left(13);
    const SystemTime& t = record.captureTime;
    return QString::asprintf("%d/%d/%d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute,
                             t.second) +
           QString(28, u' ') + name;
}

void InfoOverlay::Paint(QPainter& painter, const PictureInfoRecord& record, int height)
{
    const QString resolution = ResolutionText(record);
    const QString time = TimeText(record);
    const int ascent = painter.fontMetrics().ascent();
    painter.setPen(Qt::black);
    painter.drawText(0, ascent, resolution);
    painter.drawText(0, height - 21 + ascent, time);
    painter.setPen(Qt::white);
    painter.drawText(1, 1 + ascent, resolution);
    painter.drawText(1, height - 20 + ascent, time);
}
