#include "platform/SystemClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QUrl>

QMimeData* SystemClipboard::FileCopy(const QString& path)
{
    auto* data = new QMimeData;
    const QUrl url = QUrl::fromLocalFile(path);
    data->setUrls({url});
    data->setData(CopiedFilesFormat, QByteArrayLiteral("copy\n") + url.toEncoded());
    data->setText(path);
    return data;
}

QMimeData* SystemClipboard::Picture(const QImage& picture, const QByteArray& bmp)
{
    auto* data = new QMimeData;
    data->setImageData(picture);
    data->setData(BmpFormat, bmp);
    return data;
}

bool SystemClipboard::Offer(QMimeData* data)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) {
        delete data;
        return false;
    }
    const QStringList formats = data->formats();
    clipboard->setMimeData(data);
    // A clipboard that could not take ownership offers someone else's data.
    const QMimeData* now = clipboard->mimeData();
    return now && !formats.isEmpty() && now->hasFormat(formats.last());
}

void SystemClipboard::Clear()
{
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->clear();
}
