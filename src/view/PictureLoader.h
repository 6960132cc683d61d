#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// Reads a BMP or JPEG file into a 32-bit picture, or says why it could not:
// "Load image failed:\n<code in hex> - <reason>".
class PictureLoader
{
  public:
    // A null picture with failure set when the file cannot be read or decoded.
    static QImage Load(const QString& path, QString& failure);
    // Pictures up to 65536 pixels on a side and 256 megapixels load; larger
    // ones are refused like undecodable ones.
    static bool IsLoadableSize(QSize size);
};
