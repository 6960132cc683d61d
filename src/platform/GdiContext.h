#pragma once

#include <QImage>
#include <QPainter>

// A drawing context on a picture with the semantics the annotation objects
// were designed for: a current position, selected pen, brush and font.
class GdiContext
{
public:
    explicit GdiContext(QImage& target);
    ~GdiContext();

    GdiContext(const GdiContext&) = delete;
    GdiContext& operator=(const GdiContext&) = delete;

    QImage& Target() { return target; }
    QPainter& Painter() { return painter; }

private:
    QImage& target;
    QPainter painter;
};
