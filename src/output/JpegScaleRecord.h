#pragma once

#include "output/PixelScale.h"

#include <QByteArray>

// The scale of a saved JPEG in its standard place: an EXIF segment whose
// first directory holds XResolution, YResolution and ResolutionUnit
// (centimetre). The encoded picture itself is left byte for byte.
namespace JpegScaleRecord {

// The EXIF segment, marker and length included.
QByteArray Segment(PixelScale::Rational pixelsPerCentimetre);

// The JPEG with the segment inserted after the start marker and a JFIF
// header, if any. Anything that does not start like a JPEG comes back unchanged.
QByteArray WithScale(const QByteArray& jpeg, PixelScale::Rational pixelsPerCentimetre);

} // namespace JpegScaleRecord
