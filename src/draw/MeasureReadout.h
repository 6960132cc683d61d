#pragma once

#include <QStringList>

class CDrawMeasure;

// The values a measurement in progress writes beside the pointer, read back
// as text lines without drawing anything, so a magnifier can repeat them in
// exactly the label's format and unit.
class MeasureReadout
{
  public:
    // The lines written at the pointer point and the lines below it, in order;
    // a raised degree mark becomes a trailing degree sign. A measurement that
    // writes nothing at the pointer (the calibration line) gives all its texts.
    static QStringList Lines(CDrawMeasure& measure);
};
