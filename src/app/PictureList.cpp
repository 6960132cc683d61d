#include "app/PictureList.h"

#include <QDir>

#include <algorithm>

namespace PictureList {

namespace {

bool EndsWithSeparator(const QString& folder)
{
    return folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\'));
}

QString Join(const QString& folder, const QString& name)
{
    if (folder.isEmpty() || EndsWithSeparator(folder))
        return folder + name;
    return folder + QLatin1Char('/') + name;
}

} // namespace

bool IsPictureName(const QString& name)
{
    const QString extension = name.right(3).toLower();
    if (extension != QLatin1String("bmp") && extension != QLatin1String("jpg"))
        return false;
    if (name.size() - 4 != 13)
        return false;
    for (int i = 0; i < 13; ++i) {
        const QChar c = name.at(i);
        // A digit is alphanumeric and not alphabetic.
        if (c.isLetterOrNumber() && !c.isLetter())
            continue;
        if (c == QLatin1Char('_') && i == 8)
            continue;
        return false;
    }
    return true;
}

QString FolderOf(const QString& picturePath)
{
    const qsizetype cut = std::max(picturePath.lastIndexOf(QLatin1Char('/')),
                                   picturePath.lastIndexOf(QLatin1Char('\\')));
    return picturePath.left(cut + 1);
}

QStringList BuildPictureList(const QString& folderPath)
{
    const QDir folder(folderPath.isEmpty() ? QStringLiteral(".") : folderPath);
    const QStringList entries = folder.entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Unsorted);
    QStringList list;
    for (const QString& name : entries) {
        if (IsPictureName(name))
            list.append(Join(folderPath, name));
    }
    std::sort(list.begin(), list.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseSensitive) < 0;
    });
    return list;
}

int IndexOf(const QStringList& list, const QString& path)
{
    for (int i = 0; i < list.size(); ++i) {
        if (QString::compare(list.at(i), path, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

std::optional<QString> AdjacentPicture(const QStringList& list, const QString& current,
                                       int direction)
{
    const int i = IndexOf(list, current);
    if (i < 0)
        return std::nullopt;
    const int j = i + (direction > 0 ? 1 : -1);
    if (j < 0 || j >= list.size())
        return std::nullopt;
    return list.at(j);
}

bool ShowAdjacentPicture(int direction, QString& picturePath, const QString& folderPath,
                         const AdjacentPictureSteps& steps)
{
    if (steps.isModified && steps.isModified()) {
        const int answer = steps.askSave ? steps.askSave() : 0;
        if (answer == 1 && steps.saveAs)
            steps.saveAs();
    }
    if (steps.cancelOperation)
        steps.cancelOperation();

    const std::optional<QString> next =
        AdjacentPicture(BuildPictureList(folderPath), picturePath, direction);
    if (!next)
        return false;

    picturePath = *next;
    if (steps.savePictureInfo)
        steps.savePictureInfo();
    const bool loaded = steps.loadPicture ? steps.loadPicture(picturePath) : false;
    if (loaded && steps.loadPictureInfo)
        steps.loadPictureInfo(picturePath);
    if (steps.refreshBoxes)
        steps.refreshBoxes();
    return true;
}

} // namespace PictureList
