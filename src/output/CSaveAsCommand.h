#pragma once

#include "output/CSaveAsDialog.h"
#include "output/SaveAsRules.h"
#include "output/StampSettings.h"
#include "output/TiffWriter.h"

#include <QImage>
#include <QString>

#include <functional>
#include <optional>

class QWidget;
struct PictureInfoRecord;

// Saves the working picture as the user sees it, resampled and stamped, as a
// BMP, JPEG or TIFF file; the JPEG and the TIFF carry the picture's scale.
// The editor window runs it for SAVEAS and before leaving a modified picture;
// it sets the modification count to 0 only on Saved.
class CSaveAsCommand
{
  public:
    enum class Result { Saved, Cancelled, Failed, OutOfMemory };

    explicit CSaveAsCommand(QWidget* parent = nullptr);

    // The chooser; the default runs CSaveAsDialog modally.
    std::function<std::optional<SaveChoice>(QWidget* parent, const SaveStart& start)> choose;
    // The progress window: opened with the chooser's title and the row count,
    // told each finished row, closed at the end on every path.
    std::function<void(const QString& title, int rowCount)> beginProgress;
    std::function<void(int row)> stepProgress;
    std::function<void()> endProgress;
    // Repaints the view before resampling starts.
    std::function<void()> repaintView;
    // A target that cannot be written; the default shows a critical message box.
    std::function<void(const QString& message)> showError;

    int language = 0;
    StampSettings stamp;
    // The scale the measurement labels use; uncalibrated until the window sets it.
    MeasureGeometry::Scale labelScale{0.355, 1.0, 0.0, 0};
    // The scale bar choice: the chooser starts with it and stores the user's answer.
    bool scaleBar = false;

    Result Run(const QImage& picture, const QString& picturePath, const PictureInfoRecord& record);

    // The output picture: resampled to outputSize and stamped.
    QImage Render(const QImage& picture, QSize outputSize, const QString& picturePath,
                  const PictureInfoRecord& record) const;

    // The tags of a saved file: its scale when calibrated, the capture time,
    // the program and the remark.
    TiffWriter::Tags FileTags(QSize pictureSize, QSize outputSize,
                              const PictureInfoRecord& record) const;

    // Writes the picture to the target through a temporary file in the same
    // folder that replaces the target only when complete. On failure the
    // error holds a message naming the file and the system's reason.
    static bool Write(const QImage& output, const SaveAsRules::SaveTarget& target,
                      const TiffWriter::Tags& tags, QString* error);

  private:
    void RenderInto(QImage& output, const QImage& picture, const QString& picturePath,
                    const PictureInfoRecord& record) const;
    bool StampBottomLineUsed(const PictureInfoRecord& record) const;

    QWidget* parent;
};
