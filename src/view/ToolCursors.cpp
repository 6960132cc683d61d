#include "view/ToolCursors.h"

#include "view/ToolMode.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

QPixmap Canvas()
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

} // namespace

QCursor ToolCursors::Pencil()
{
    static const QCursor cursor = [] {
        QPixmap pixmap = Canvas();
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        // A pencil lying from the upper right down to its tip at (11, 20).
        p.translate(11, 20);
        p.rotate(-45);
        QPainterPath body;
        body.moveTo(0, 0);
        body.lineTo(6, -3);
        body.lineTo(20, -3);
        body.lineTo(20, 3);
        body.lineTo(6, 3);
        body.closeSubpath();
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(QColor(250, 210, 80));
        p.drawPath(body);
        p.setBrush(QColor(240, 200, 170));
        QPainterPath wood;
        wood.moveTo(0, 0);
        wood.lineTo(6, -3);
        wood.lineTo(6, 3);
        wood.closeSubpath();
        p.drawPath(wood);
        p.setBrush(Qt::black);
        p.drawEllipse(QPointF(1, 0), 1.2, 1.2);
        p.setBrush(QColor(230, 120, 140));
        p.drawRect(QRectF(20, -3, 4, 6));
        return QCursor(pixmap, 11, 20);
    }();
    return cursor;
}

QCursor ToolCursors::CrossHair()
{
    static const QCursor cursor = [] {
        QPixmap pixmap = Canvas();
        QPainter p(&pixmap);
        // A white outline keeps the black cross visible on dark pictures.
        for (const auto& [colour, width] :
             {std::pair{QColor(Qt::white), 3}, {QColor(Qt::black), 1}}) {
            p.setPen(QPen(colour, width, Qt::SolidLine, Qt::FlatCap));
            p.drawLine(QPointF(16.5, 1), QPointF(16.5, 12));
            p.drawLine(QPointF(16.5, 19), QPointF(16.5, 30));
            p.drawLine(QPointF(2, 15.5), QPointF(13, 15.5));
            p.drawLine(QPointF(20, 15.5), QPointF(31, 15.5));
        }
        p.fillRect(QRect(16, 15, 1, 1), Qt::black);
        return QCursor(pixmap, 16, 15);
    }();
    return cursor;
}

QCursor ToolCursors::ForTool(ToolMode toolMode)
{
    switch (toolMode) {
    case ToolMode::ToolFreehand:
        return Pencil();
    case ToolMode::ToolThreePointCircle:
    case ToolMode::ToolThreePointArc:
    case ToolMode::ToolThreePointAngle:
    case ToolMode::ToolFourPointAngle:
    case ToolMode::ToolLine:
    case ToolMode::ToolArrow:
    case ToolMode::ToolRectangle:
    case ToolMode::ToolEllipse:
    case ToolMode::ToolContinuousLine:
    case ToolMode::ToolPolygon:
    case ToolMode::ToolRadiusCircle:
    case ToolMode::ToolDiameterCircle:
    case ToolMode::ToolCalibration:
    case ToolMode::ToolAnyAngleLine:
    case ToolMode::ToolStraightAngleLine:
    case ToolMode::ToolFortyFiveLine:
    case ToolMode::ToolText:
        return CrossHair();
    default:
        return QCursor(Qt::ArrowCursor);
    }
}
