#pragma once

#include "platform/GdiTypes.h"

#include <QPoint>
#include <QSize>
#include <QString>

#include <cstdint>

struct PictureInfoRecord;

// The arithmetic of saving a picture: target names, output size, resampling
// and the stamp layout. No files, no widgets.
namespace SaveAsRules {

// Bits of the stamp flags setting.
enum StampFlag : uint8_t {
    StampFileName = 0x04,
    StampResolution = 0x08,
    StampMagnification = 0x10,
    StampDateTime = 0x20,
};

// Output sizes the chooser offers when the picture's own size is not kept.
constexpr int SmallWidth = 320;
constexpr int SmallHeight = 240;

// The file types of the chooser, in its order.
enum class SaveType { Bmp, Jpeg, Tiff };

struct SaveTarget
{
    QString path;
    SaveType type = SaveType::Bmp; // the format the file is written in
};

// The path the picture is written to and its format, from the chosen path
// and the file type selected in the chooser: a name without extension takes
// the selected type's, any other name than .bmp, .jpg or .tif gets .bmp, and
// the final extension decides the format.
SaveTarget TargetFor(const QString& chosenPath, SaveType selectedType);

QSize OutputSize(QSize pictureSize, bool keepPictureSize);

// Source pixels per output pixel: the smaller of the two ratios, computed in
// single precision, so every source index stays inside the picture.
float ResampleRatio(QSize pictureSize, QSize outputSize);

// The source index of output index i, never past limit - 1.
inline int SourceIndex(int i, float ratio, int limit)
{
    const int s = int(float(i) * ratio);
    return s < limit ? s : limit - 1;
}

// Texts of the stamp. An empty text means the item is not drawn.
QString ResolutionStampText(QSize outputSize);
QString DateTimeStampText(const PictureInfoRecord& record);
QString FileNameStampText(const QString& picturePath);
// Empty unless the magnification in force is above 1.0.
QString MagnificationStampText(const PictureInfoRecord& record);

// Top-left corner of a stamp text of n characters for one flag, on an output
// of the given size with the stamp font's height fontHeight (either sign).
QPoint StampPosition(StampFlag flag, QSize outputSize, int fontHeight, int n);

// Each of red, green and blue becomes 255 minus itself.
inline ColorRef ComplementColor(ColorRef c)
{
    return MakeColorRef(255 - int(c & 0xFF), 255 - int((c >> 8) & 0xFF),
                        255 - int((c >> 16) & 0xFF));
}

// The chooser's start name: the file name without its last 4 characters.
QString StartFileName(const QString& picturePath);

// The part before the last folder separator (either kind); empty for a bare name.
QString FolderOf(const QString& path);

// The part after the last folder separator (either kind).
QString FileNameOf(const QString& path);

} // namespace SaveAsRules
