#pragma once

#include <QFileDialog>

#include <optional>

class QLineEdit;
class QRadioButton;

// What the user chose in the save chooser.
struct SaveChoice {
    QString path;
    bool jpegType = false;       // "JPEG image(*.jpg)" was the selected type
    bool keepPictureSize = true; // "Original size" rather than "320X240"
};

// The save chooser: the platform-independent file dialog with the two size
// choices below its own controls.
class CSaveAsDialog : public QFileDialog {
    Q_OBJECT

  public:
    static QString Title(int language);
    static const QStringList& NameFilters();

    CSaveAsDialog(QWidget* parent, const QString& title, const QString& startName);

    // Runs the chooser modally; nothing when cancelled.
    static std::optional<SaveChoice> Choose(QWidget* parent, const QString& title,
                                            const QString& startName);

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
