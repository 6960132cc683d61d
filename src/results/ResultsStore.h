#pragma once

#include "results/ResultRow.h"
#include "results/ResultsTexts.h"

#include <QString>

#include <vector>

// The results file of a picture, beside its info record in the Info folder.
namespace ResultsStore {

struct Loaded
{
    std::vector<ResultRow> rows;
    QString error; // empty when the file was read or there is none
};

// No file is an empty table; a file that cannot be read or is not a results
// table gives an empty table and the reason.
Loaded Load(const QString& path, const std::vector<ResultsTexts>& languages);

// Replaces the file in one step. Refuses a missing folder (it is never
// created) and a link or anything else that is not a plain file.
bool Save(const QString& path, const QByteArray& contents, QString& error);

} // namespace ResultsStore
