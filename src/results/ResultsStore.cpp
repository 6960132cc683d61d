#include "results/ResultsStore.h"

#include "platform/AtomicFileWriter.h"
#include "results/ResultsCsv.h"

#include <QFile>
#include <QFileInfo>

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
    AtomicFileWriter writer(path);
    if (!writer.Write(contents)) {
        error = writer.ErrorString();
        return false;
    }
    return true;
}

} // namespace ResultsStore
