#pragma once

#include "output/SaveAsRules.h"

#include <QFileDialog>

#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;

// What the save chooser starts with.
struct SaveChooserSetup
{
    QString title;
    QString startName;
    int language = 0;
    bool calibrated = false; // the picture has a physical scale to save
    bool scaleBar = false;   // the remembered state of the scale bar choice
};

// What the user chose in the save chooser.
struct SaveChoice
{
    QString path;
    SaveAsRules::SaveType type = SaveAsRules::SaveType::Bmp; // the selected file type
    bool keepPictureSize = true; // "Original size" rather than "320X240"
    bool scaleBar = false;
};

// The save chooser: the platform-independent file dialog with the two size
// choices and the scale bar choice below its own controls.
class CSaveAsDialog : public QFileDialog
{
    Q_OBJECT

  public:
    static QString Title(int language);
    // The file types in the order of SaveAsRules::SaveType.
    static QStringList NameFilters(int language);

    explicit CSaveAsDialog(QWidget* parent, const SaveChooserSetup& setup);

    // Runs the chooser modally; nothing when cancelled.
    static std::optional<SaveChoice> Choose(QWidget* parent, const SaveChooserSetup& setup);

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
    int language = 0;
    QRadioButton* smallSize = nullptr;
    QRadioButton* originalSize = nullptr;
    QCheckBox* scaleBar = nullptr;
    QLabel* noScale = nullptr;
};
