#include "view/Loupe.h"

#include <QFont>
#include <QPainter>

#include <algorithm>
#include <array>

namespace {

// One axis of the placement: on the preferred side of the pointer unless the
// view's edge cuts the loupe off there; where neither side fits (a view too
// small for it), on the side with more room.
int PlaceOnAxis(int pointer, int length, bool preferAfter)
{
    const int after = pointer + Loupe::Gap;
    const int before = pointer - Loupe::Gap - Loupe::Side;
    const bool afterFits = after + Loupe::Side <= length;
    const bool beforeFits = before >= 0;
    if (afterFits && (preferAfter || !beforeFits))
        return after;
    if (beforeFits)
        return before;
    return length - pointer > pointer ? after : before;
}

} // namespace

QRect Loupe::Placement(QPoint pointer, QSize view)
{
    const int x = PlaceOnAxis(pointer.x(), view.width(), true);
    const int y = PlaceOnAxis(pointer.y(), view.height(), false);
    return {x, y, Side, Side};
}

QImage Loupe::Magnify(const QImage& picture, QPoint centre, qreal dpr)
{
    const int cell = std::max(1, qRound(Zoom * dpr));
    QImage out(Cells * cell, Cells * cell, QImage::Format_RGB32);
    const QImage source = picture.format() == QImage::Format_RGB32
                              ? picture
                              : picture.convertToFormat(QImage::Format_RGB32);
    std::array<QRgb, Cells> row{};
    for (int cy = 0; cy < Cells; ++cy) {
        const int py = centre.y() - Reach + cy;
        const bool rowInside = py >= 0 && py < source.height();
        const auto* line =
            rowInside ? reinterpret_cast<const QRgb*>(source.constScanLine(py)) : nullptr;
        for (int cx = 0; cx < Cells; ++cx) {
            const int px = centre.x() - Reach + cx;
            row[size_t(cx)] = line && px >= 0 && px < source.width() ? line[px] : Outside;
        }
        for (int dy = 0; dy < cell; ++dy) {
            auto* target = reinterpret_cast<QRgb*>(out.scanLine(cy * cell + dy));
            for (int cx = 0; cx < Cells; ++cx)
                std::fill_n(target + cx * cell, cell, row[size_t(cx)] | 0xFF000000u);
        }
    }
    out.setDevicePixelRatio(qreal(cell) / Zoom);
    return out;
}

QRect Loupe::TextBand(int lines)
{
    const int height = std::min(lines, MaxLines) * LineHeight + 4;
    return {0, Side - height, Side, height};
}

QStringList Loupe::Lines(QPoint centre, const QStringList& readout)
{
    QStringList lines{QStringLiteral("%1, %2").arg(centre.x()).arg(centre.y())};
    lines += readout.mid(0, MaxLines - 1);
    return lines;
}

void Loupe::Paint(QPainter& painter, const QRect& box, const QImage& picture, QPoint centre,
                  const QStringList& readout)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setClipRect(box);
    painter.translate(box.topLeft());
    painter.drawImage(0, 0, Magnify(picture, centre, painter.device()->devicePixelRatioF()));

    // The crosshair leaves the aimed pixel and its neighbours visible: an
    // outline around it and hair lines up to the next cell but one, black
    // with a white edge so that they show on any picture.
    const int near = Reach * Zoom;
    const int inner = near - Zoom - 1;
    const int outer = near + 2 * Zoom;
    painter.setBrush(Qt::NoBrush);
    for (const int edge : {1, 0}) {
        painter.setPen(QPen(edge ? Qt::white : Qt::black, 0));
        painter.drawRect(near - 1 - edge, near - 1 - edge, Zoom + 1 + 2 * edge,
                         Zoom + 1 + 2 * edge);
        const int mid = near + Zoom / 2 - edge;
        painter.drawLine(0, mid, inner, mid);
        painter.drawLine(outer, mid, Side - 1, mid);
        painter.drawLine(mid, 0, mid, inner);
        painter.drawLine(mid, outer, mid, Side - 1);
    }

    const QStringList lines = Lines(centre, readout);
    const QRect band = TextBand(int(lines.size()));
    painter.fillRect(band, QColor(0, 0, 0, 170));
    QFont font = painter.font();
    font.setPixelSize(TextPixelSize);
    painter.setFont(font);
    painter.setPen(Qt::white);
    for (int i = 0; i < lines.size(); ++i)
        painter.drawText(QRect(4, band.top() + 2 + i * LineHeight, Side - 8, LineHeight),
                         Qt::AlignLeft | Qt::AlignVCenter, lines[i]);

    painter.setPen(QPen(QColor(40, 40, 40), 0));
    painter.drawRect(0, 0, Side - 1, Side - 1);
    painter.restore();
}
