#pragma once

#include "draw/CDrawPen.h"
#include "draw/CDrawShape.h"
#include "draw/CDrawText.h"
#include "view/ToolProtocol.h"

#include <QStringList>

#include <gtest/gtest.h>

// Drives a protocol over a 640 x 480 picture shown at its own size, with a
// scale of 0.05 mm per pixel (pixel size 0.5, magnification 10), and keeps
// what the last commit handed over.
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
    // e Enter.
    void Run(const char* script)
    {
        for (const QString& step : QString::fromLatin1(script).split(u' ', Qt::SkipEmptyParts)) {
            const QStringList xy = step.mid(1).split(u',');
            const GdiPoint p =
                xy.size() == 2 ? GdiPoint{xy[0].toInt(), xy[1].toInt()} : GdiPoint{0, 0};
            switch (step[0].toLatin1()) {
            case 'p':
                Take(protocol.Press(p));
                break;
            case 'r':
                Take(protocol.Release(p));
                break;
            case 'c':
                Take(protocol.Press(p));
                Take(protocol.Release(p));
                break;
            case 'm':
                Take(protocol.Move(p));
                break;
            case 'd':
                Take(protocol.DoubleClick());
                Take(protocol.Release(p));
                break;
            case 'x':
                Take(protocol.Cancel());
                break;
            case 'b':
                Take(protocol.RemoveLast());
                break;
            case 'e':
                Take(protocol.Enter());
                break;
            case 't':
                for (QChar c : step.mid(1))
                    Take(protocol.Type(c.unicode()));
                break;
            }
        }
    }

    void Take(ToolEffects effects)
    {
        chooseAgain = chooseAgain || effects.chooseToolAgain;
        if (effects.calibration)
            calibration = effects.calibration;
        if (!effects.commit)
            return;
        ++commits;
        points.clear();
        labels.clear();
        CDrawObject* done = effects.finished.get();
        if (effects.measurement) {
            points = effects.measurement->points;
            for (const MeasureLabel& label : effects.measurement->labels)
                labels << label.text;
        } else if (auto* shape = dynamic_cast<CDrawShape*>(done)) {
            if (CDrawShape::KeepsDirection(shape->kind))
                points = {shape->points[0], shape->points[1]};
            else
                points = {{shape->bounds.left, shape->bounds.top},
                          {shape->bounds.right, shape->bounds.bottom}};
        } else if (auto* stroke = dynamic_cast<CDrawPen*>(done)) {
            points = stroke->points;
        } else if (auto* text = dynamic_cast<CDrawText*>(done)) {
            points = {{text->bounds.left, text->bounds.top}};
            labels << text->text;
        }
    }

    AnnotationStyle style;
    MeasuringScale scale;
    ToolProtocol protocol;
    int commits = 0;
    std::vector<GdiPoint> points;
    QStringList labels;
    std::optional<double> calibration;
    bool chooseAgain = false;
};
