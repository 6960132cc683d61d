#pragma once

#include <QMap>
#include <QProcess>
#include <QString>

// Reads a saved picture with an imaging library of another language, so the
// file is checked by a reader that shares no code with the writer. Keys: format,
// mode, size, x and y (resolution as "num/den" or "none"), unit, datetime,
// software, document, pixels (MD5 of the RGB bytes, rows top first).
inline QMap<QString, QString> ReadWithImagingLibrary(const QString& path)
{
    static const char* script = R"(
import hashlib, sys
from PIL import Image
im = Image.open(sys.argv[1])
tags = im.tag_v2 if im.format == "TIFF" else im.getexif()
def rational(tag):
    v = tags.get(tag)
    return "none" if v is None else "%d/%d" % (v.numerator, v.denominator)
print("format", im.format)
print("mode", im.mode)
print("size", "%dx%d" % im.size)
print("x", rational(282))
print("y", rational(283))
print("unit", tags.get(296, "none"))
print("datetime", tags.get(306, "none"))
print("software", tags.get(305, "none"))
print("document", tags.get(269, "none"))
print("pixels", hashlib.md5(im.convert("RGB").tobytes()).hexdigest())
)";
    QProcess python;
    python.start(QStringLiteral(LUMVEX_PYTHON),
                 {QStringLiteral("-c"), QString::fromUtf8(script), path});
    QMap<QString, QString> values;
    if (!python.waitForFinished(60000) || python.exitCode() != 0) {
        values[QStringLiteral("error")] = QString::fromUtf8(python.readAllStandardError());
        return values;
    }
    for (const QString& line : QString::fromUtf8(python.readAllStandardOutput()).split(u'\n')) {
        const qsizetype space = line.indexOf(u' ');
        if (space > 0)
            values[line.left(space)] = line.mid(space + 1);
    }
    return values;
}
