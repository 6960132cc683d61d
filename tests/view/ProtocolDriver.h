#pragma once

#include "draw/CDrawPen.h"
#include "draw/CDrawShape.h"
#include "draw/CDrawText.h"
#include "view/ToolProtocol.h"

#include <QStringList>

#include <gtest/gtest.h>

// Drives a protocol over a picture shown at its own size, with a scale of
// 0.05 mm per pixel (pixel size 0.5, magnification 10), and keeps the points
// and texts of what the last commit handed over.
struct ProtocolDriver
{
    explicit ProtocolDriver(QSize picture = {640, 480})
    {
        scale.pixelSize = 0.5;
        scale.pictureMagnification = 10.0;
        style.textFont.height = 30;
        protocol.SetStyle(&style);
        protocol.SetScale(&scale);
        protocol.SetSizes(picture, picture);
    }

    // Space-separated steps: p press, r release, c click, m move, d double
    // click (and its release) at "x,y"; x cancel; t<text> typing; b backspace;
    // e Enter; n no tool.
    void Run(const char* script)
    {
        for (const QString& step : QString::fromLatin1(script).split(u' ', Qt::SkipEmptyParts)) {
            const QStringList xy = step.mid(1).split(u',');
            const GdiPoint p{xy.value(0).toInt(), xy.value(1).toInt()};
            const char c = step[0].toLatin1();
            if (c == 'p' || c == 'c')
                Take(protocol.Press(p));
            if (c == 'd')
                Take(protocol.DoubleClick());
            if (c == 'r' || c == 'c' || c == 'd')
                Take(protocol.Release(p));
            if (c == 'm')
                Take(protocol.Move(p));
            if (c == 'x')
                Take(protocol.Cancel());
            if (c == 'b')
                Take(protocol.RemoveLast());
            if (c == 'e')
                Take(protocol.Enter());
            if (c == 'n')
                Take(protocol.SetTool(ToolMode::ToolNone));
            for (QChar typed : c == 't' ? step.mid(1) : QString())
                Take(protocol.Type(typed.unicode()));
        }
    }

    void Take(ToolEffects effects)
    {
        CDrawObject* done = effects.finished.get();
        if (!effects.commit || !done)
            return;
        ++commits;
        labels.clear();
        const GdiRect& b = done->bounds;
        points = {{b.left, b.top}, {b.right, b.bottom}};
        if (auto* measure = dynamic_cast<CDrawMeasure*>(done)) {
            points = measure->PlacedPoints();
            for (const MeasureLabel& label : measure->Labels(-1))
                labels << label.text;
        } else if (auto* shape = dynamic_cast<CDrawShape*>(done)) {
            if (CDrawShape::KeepsDirection(shape->kind))
                points = {shape->points[0], shape->points[1]};
        } else if (auto* stroke = dynamic_cast<CDrawPen*>(done)) {
            points = stroke->points;
        } else if (auto* text = dynamic_cast<CDrawText*>(done)) {
            points.resize(1);
            labels << text->text;
        }
    }

    AnnotationStyle style;
    MeasuringScale scale;
    ToolProtocol protocol;
    int commits = 0;
    std::vector<GdiPoint> points;
    QStringList labels;
};
