#pragma once

#include <QImage>
#include <QString>

#include <functional>

struct PictureInfoRecord;
struct StampSettings;

// Builds the picture that a save writes: the working picture resampled to
// the output size, then stamped.
namespace SaveRendering {

// Nearest neighbour with the smaller ratio, into output (already allocated,
// Format_RGB32, at the output size). rowDone runs after each output row.
void Resample(const QImage& picture, QImage& output, const std::function<void(int)>& rowDone = {});

// Draws the stamp items chosen by the settings' flags.
void DrawStamp(QImage& output, const StampSettings& stamp, const PictureInfoRecord& record,
               const QString& picturePath);

} // namespace SaveRendering
