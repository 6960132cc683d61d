#pragma once

#include <QMap>
#include <QProcess>
#include <QString>

// Reads a saved picture with another language's imaging library, a reader
// that shares no code with the writer. Keys: x and y (resolution "num/den" or
// "none"), unit, datetime, software, document, pixels (MD5 of the RGB bytes).
inline QMap<QString, QString> ReadWithImagingLibrary(const QString& path)
{
    static const char* script = R"(
import hashlib, sys
from PIL import Image
im = Image.open(sys.argv[1])
tags = im.tag_v2 if im.format == "TIFF" else im.getexif()
for key, tag in (("x", 282), ("y", 283), ("unit", 296), ("datetime", 306), ("software", 305), ("document", 269)):
    v = tags.get(tag, "none")
    print(key, "%d/%d" % (v.numerator, v.denominator) if type(v).__name__ == "IFDRational" else v)
print("pixels", hashlib.md5(im.convert("RGB").tobytes()).hexdigest())
)";
    QProcess python;
    python.start(QStringLiteral(LUMVEX_PYTHON),
                 {QStringLiteral("-c"), QString::fromUtf8(script), path});
    QMap<QString, QString> values;
    python.waitForFinished(-1);
    values[QStringLiteral("error")] = QString::fromUtf8(python.readAllStandardError());
    for (const QString& line : QString::fromUtf8(python.readAllStandardOutput()).split(u'\n'))
        if (const qsizetype space = line.indexOf(u' '); space > 0)
            values[line.left(space)] = line.mid(space + 1);
    return values;
}

// Micrometres per pixel from a resolution in pixels per centimetre, "num/den".
inline double MicrometresPerPixel(const QString& fraction)
{
    return 10000.0 * fraction.section(u'/', 1).toDouble() / fraction.section(u'/', 0, 0).toDouble();
}
