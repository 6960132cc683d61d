#pragma once

#include "output/PixelScale.h"

#include <QByteArray>
#include <QString>

#include <optional>

class QImage;

// Encodes a saved picture as an 8-bit RGB TIFF, LZW compressed, with the
// tags analysis programs read: the resolution in pixels per centimetre, the
// capture time, the program and the remark.
namespace TiffWriter {

struct Tags
{
    // Absent for a picture without calibration: no resolution tags at all.
    std::optional<PixelScale::Rational> pixelsPerCentimetre;
    QString dateTime; // "YYYY:MM:DD HH:MM:SS"
    QString software;
    QByteArray documentName; // left out when empty
};

// The whole file; empty when the encoder fails.
QByteArray Encode(const QImage& image, const Tags& tags);

} // namespace TiffWriter
