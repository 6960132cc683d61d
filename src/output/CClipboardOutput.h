#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <functional>

class QMimeData;
class QWidget;

// COPYFILE and COPYIMAGE: the picture's file for a file manager to paste as a
// copy, or the working picture as shown for an image program.
class CClipboardOutput
{
  public:
    // "Lumvex.bmp" in the user's private temporary folder; empty, with the
    // reason, when no such folder can be had.
    static QString TemporaryPicturePath(QString* reason = nullptr);
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
    // The temporary file could not be written; the default tells nobody.
    std::function<void(const QString& path, const QString& reason)> writeFailed;
    int language = 0;

    bool CopyFile(const QString& picturePath);
    // The temporary file is left in place and overwritten by the next copy.
    // When it cannot be written the clipboard stays empty and writeFailed
    // hears the system's reason.
    bool CopyPicture(const QImage& workingPicture);

  private:
    QWidget* parent;
};
