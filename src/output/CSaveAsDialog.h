#pragma once

#include <QFileDialog>

#include <optional>

class QLineEdit;
class QRadioButton;

// What the user chose in the save chooser.
struct SaveChoice
{
    QString path;
    bool jpegType = false;       // "JPEG image(*.jpg)" was the selected type
    bool keepPictureSize = true; // "Original size" rather than "320X240"
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

    static SaveStart For(int language, const QString& picturePath);
};

// The save chooser: the platform-independent file dialog with the two size
// choices below its own controls.
class CSaveAsDialog : public QFileDialog
{
    Q_OBJECT

  public:
    static const QStringList& NameFilters();

    CSaveAsDialog(QWidget* parent, const SaveStart& start);

    // Runs the chooser modally; nothing when cancelled.
    static std::optional<SaveChoice> Choose(QWidget* parent, const SaveStart& start);

    SaveChoice Choice() const;
    QRadioButton* SmallSizeButton() const { return smallSize; }
    QRadioButton* OriginalSizeButton() const { return originalSize; }
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
};
