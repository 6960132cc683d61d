#include "results/ResultsStore.h"

#include "results/ResultsCsv.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace ResultsStore {

Loaded Load(const QString& path, const std::vector<ResultsTexts>& languages)
{
    Loaded loaded;
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return loaded;
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly)) {
        loaded.error = info.isFile() ? file.errorString() : QStringLiteral("not a plain file");
        return loaded;
    }
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        loaded.error = file.errorString();
        return loaded;
    }
    if (std::optional<std::vector<ResultRow>> rows =
            ResultsCsv::Read(data, languages, loaded.error))
        loaded.rows = std::move(*rows);
    return loaded;
}

bool Save(const QString& path, const QByteArray& contents, QString& error)
{
    const QFileInfo target(path);
    if (!QFileInfo(target.absolutePath()).isDir()) {
        error = QStringLiteral("no folder %1").arg(target.absolutePath());
        return false;
    }
    if (target.isSymLink() || (target.exists() && !target.isFile())) {
        error = QStringLiteral("not a plain file");
        return false;
    }
    QSaveFile file(path);
    // Unbuffered, so a short write (full disk) shows at the write itself.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        error = file.errorString();
        return false;
    }
    if (file.write(contents) != contents.size()) {
        error = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}

} // namespace ResultsStore
