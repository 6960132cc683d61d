#pragma once

#include "output/SaveAsRules.h"

#include <QFileDialog>

#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;

// What the user chose in the save chooser.
struct SaveChoice
{
    QString path;
    SaveAsRules::SaveType type = SaveAsRules::SaveType::Bmp; // the selected file type
    bool keepPictureSize = true; // "Original size" rather than "320X240"
    bool scaleBar = false;
};

// What the chooser opens with: its texts in the editor's language, and the
// picture's folder and base name.
struct SaveStart
{
    QString title;
    QString folder;
    QString name;
    QString smallSizeText;    // "320X240"
    QString originalSizeText; // "Original size"
    QString tiffTypeText;     // "TIFF image(*.tif)"
    QString scaleBarText;     // "Scale bar"
    QString withoutScaleText; // the note on a picture without calibration
    bool calibrated = false;  // the picture has a physical scale to save
    bool scaleBar = false;    // the remembered scale bar choice

    static SaveStart For(int language, const QString& picturePath);
};

// The save chooser: the platform-independent file dialog with the two size
// choices and the scale bar choice below its own controls.
class CSaveAsDialog : public QFileDialog
{
    Q_OBJECT

  public:
    // The file types in the order of SaveAsRules::SaveType.
    static QStringList NameFilters(const SaveStart& start);

    CSaveAsDialog(QWidget* parent, const SaveStart& start);

    // Runs the chooser modally; nothing when cancelled.
    static std::optional<SaveChoice> Choose(QWidget* parent, const SaveStart& start);

    SaveChoice Choice() const;
    QRadioButton* SmallSizeButton() const { return smallSize; }
    QRadioButton* OriginalSizeButton() const { return originalSize; }
    QCheckBox* ScaleBarBox() const { return scaleBar; }
    // Says that the picture is saved without a scale; hidden when it has one.
    QLabel* NoScaleNote() const { return noScale; }
    QLineEdit* FileNameEdit() const;

    // 1 when "Original size" was selected at OK, 0 when "320X240" was.
    int keepPictureSize = 1;

  public slots:
    void accept() override;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    QRadioButton* smallSize = nullptr;
    QRadioButton* originalSize = nullptr;
    QCheckBox* scaleBar = nullptr;
    QLabel* noScale = nullptr;
};
