#pragma once

#include <QIcon>
#include <QString>
#include <QStringList>

// Start-up: the single-instance rule, then the editor window until it closes.
class CLumvexImgEdtApp
{
  public:
    // The raw command line as the capture program passes it: the picture path
    // in double quotes. A shell has already removed the quotes, so they are
    // put back; no argument gives an empty command line.
    static QString RawCommandLine(const QStringList& arguments);

    // Drop the last 5 characters (closing quote and extension), keep the last
    // 13 of what remains: the picture's base name for a well-formed path.
    static QString InstanceName(const QString& commandLine);

    // The picture path: the command line without its first and last characters.
    static QString PicturePath(const QString& commandLine);

    // Exit status: 0 after a normal close or a refused second start, 1 when
    // the first picture cannot be loaded.
    static int Run(int argc, char** argv);
};
