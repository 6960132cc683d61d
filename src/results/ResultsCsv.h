#pragma once

#include "results/ResultRow.h"
#include "results/ResultsTexts.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

#include <optional>
#include <vector>

class ResultsLayout;

// The results table as text: comma-separated UTF-8 with quoting where a field
// needs it and CRLF line ends, and tab-separated text for pasting.
namespace ResultsCsv {

// Header and the rows at the given indexes (all rows when empty), numbered
// by their place in the whole table.
QList<QStringList> Lines(const std::vector<ResultRow>& rows, const std::vector<int>& selected,
                         const ResultsTexts& texts);

QByteArray Csv(const QList<QStringList>& lines);
// Tabs and line breaks inside a field become spaces: a paste keeps its grid.
QString Tabbed(const QList<QStringList>& lines);

// The records of CSV text; empty with a reason when the quoting is broken.
std::optional<QList<QStringList>> ParseRecords(const QByteArray& data, QString& error);

// The rows of a results file whose header is in any of the given languages;
// empty with a reason when the file is not one.
std::optional<std::vector<ResultRow>>
Read(const QByteArray& data, const std::vector<ResultsTexts>& languages, QString& error);

} // namespace ResultsCsv
