#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <functional>

class QMimeData;
class QWidget;

// COPYFILE and COPYIMAGE: the picture's file for a file manager to paste as a
// copy, or the working picture as shown for an image program.
class CClipboardOutput {
  public:
    // "Lumvex.bmp" in the system temporary folder.
    static QString TemporaryPicturePath();
    static QString WarningCaption(int language);
    static QString NotEnoughMemoryText(int language);

    explicit CClipboardOutput(QWidget* parent = nullptr);

    // Hands the data to the clipboard (which takes it in every case) and says
    // whether the clipboard now offers it. The default uses the application's
    // clipboard.
    std::function<bool(QMimeData* data)> setClipboard;
    std::function<void()> clearClipboard;
    // The warning box; the default is a message box with the warning icon.
    std::function<void(const QString& caption, const QString& text)> warn;
    int language = 0;

    bool CopyFile(const QString& picturePath);
    // The temporary file is left in place and overwritten by the next copy.
    // When it cannot be written or read back the clipboard stays empty.
    bool CopyPicture(const QImage& workingPicture);

  private:
    QWidget* parent;
};
