#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

class QMimeData;

// The desktop's clipboard, in the formats its file managers and image programs
// expect.
class SystemClipboard
{
  public:
    // A file to paste as a copy: text/uri-list, x-special/gnome-copied-files
    // ("copy" and the URL) and the path as plain text.
    static QMimeData* FileCopy(const QString& path);
    // A picture: image/bmp holding the given bytes, a whole BMP file with its
    // file header (what programs here expect under that name), plus image/png
    // and the other image types Qt offers for the picture.
    static QMimeData* Picture(const QImage& picture, const QByteArray& bmp);

    // Hands data to the clipboard, which takes it in every case, and says
    // whether the clipboard now offers it.
    static bool Offer(QMimeData* data);
    static void Clear();

    static inline const QString BmpFormat = QStringLiteral("image/bmp");
    static inline const QString CopiedFilesFormat = QStringLiteral("x-special/gnome-copied-files");
};
