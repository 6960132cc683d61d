#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// PREVIOUS and NEXT: the pictures of a folder in name order, and the order of
// the steps when the editor moves from one picture to the next.
namespace PictureList {

constexpr int Next = 1;
constexpr int Previous = -1;

// A 13-character base name of digits (an underscore allowed at index 8), any
// one character, and "bmp" or "jpg" in any case.
bool IsPictureName(const QString& name);

// The folder of a picture path, ending in a separator; empty without one.
QString FolderOf(const QString& picturePath);

// Full paths of the folder's picture names, ascending by case-sensitive
// comparison. A folder that cannot be read gives an empty list.
QStringList BuildPictureList(const QString& folderPath);

// The first entry equal to path without regard to case, or -1.
int IndexOf(const QStringList& list, const QString& path);

// The picture after (Next) or before (Previous) the current one; nothing at
// either end or when the current picture is not in the list.
std::optional<QString> AdjacentPicture(const QStringList& list, const QString& current,
                                       int direction);

// What the editor window does at each step of a move; every hook may be empty.
struct AdjacentPictureSteps
{
    std::function<bool()> isModified;
    std::function<int()> askSave; // the unsaved-changes box; 1 is YES
    std::function<void()> saveAs;
    std::function<void()> cancelOperation;
    std::function<void()> savePictureInfo; // writes and clears the record of the picture left
    std::function<bool(const QString& path)> loadPicture;
    std::function<void(const QString& path)> loadPictureInfo;
    std::function<void()> refreshBoxes; // empty the remark, fill the magnification, redraw
};

// Moves picturePath to the adjacent picture of its folder. The step is never
// cancelled by the save question; a picture that fails to load is still
// moved to. Returns whether picturePath changed.
bool ShowAdjacentPicture(int direction, QString& picturePath, const QString& folderPath,
                         const AdjacentPictureSteps& steps);

} // namespace PictureList
