#include "results/ResultsLayout.h"

#include <algorithm>
#include <set>

ResultsLayout::ResultsLayout(const std::vector<ResultRow>& rows)
{
    std::set<ValueColumn> present;
    for (const ResultRow& row : rows)
        for (const MeasuredValue& value : row.values)
            present.insert({value.quantity, value.segment, value.unit});
    columns.assign(present.begin(), present.end());
}

QString ResultsLayout::HeaderOf(const ValueColumn& column, const ResultsTexts& texts)
{
    return QStringLiteral("%1 (%2)").arg(texts.QuantityName(column.quantity, column.segment),
                                         column.unit);
}

QStringList ResultsLayout::Header(const ResultsTexts& texts) const
{
    QStringList cells{texts.number, texts.kind};
    for (const ValueColumn& column : columns)
        cells.append(HeaderOf(column, texts));
    cells << texts.unit << texts.magnification << texts.pixelSize << texts.points;
    return cells;
}

QStringList ResultsLayout::Cells(const ResultRow& row, int number) const
{
    QStringList cells{QString::number(number), row.kind};
    for (const ValueColumn& column : columns) {
        const auto found = std::find_if(row.values.begin(), row.values.end(),
                                        [&](const MeasuredValue& v) { return column.Holds(v); });
        cells.append(found == row.values.end() ? QString() : found->number);
    }
    cells << row.unit << row.magnification << row.pixelSize << row.points;
    return cells;
}

std::vector<ResultsStatistics> ResultsLayout::Statistics(const std::vector<ResultRow>& rows) const
{
    std::vector<ResultsStatistics> statistics;
    for (const ValueColumn& column : columns) {
        std::vector<double> numbers;
        for (const ResultRow& row : rows) {
            for (const MeasuredValue& value : row.values) {
                bool ok = false;
                const double v = value.number.toDouble(&ok);
                if (ok && column.Holds(value))
                    numbers.push_back(v);
            }
        }
        statistics.push_back(ResultsStatistics::Of(numbers));
    }
    return statistics;
}

std::vector<QStringList> ResultsLayout::SummaryLines(const std::vector<ResultRow>& rows,
                                                     const ResultsTexts& texts) const
{
    using Field = double ResultsStatistics::*;
    struct Line
    {
        const QString* name;
        Field field; // null for the count
    };
    const Line lines[] = {{&texts.count, nullptr},
                          {&texts.mean, &ResultsStatistics::mean},
                          {&texts.deviation, &ResultsStatistics::deviation},
                          {&texts.minimum, &ResultsStatistics::minimum},
                          {&texts.maximum, &ResultsStatistics::maximum}};
    const std::vector<ResultsStatistics> statistics = Statistics(rows);
    std::vector<QStringList> result;
    for (const Line& line : lines) {
        QStringList cells{QString(), *line.name};
        for (const ResultsStatistics& s : statistics) {
            if (!line.field)
                cells.append(QString::number(s.count));
            else if (s.count == 0 || (line.field == &ResultsStatistics::deviation && s.count < 2))
                cells.append(QString());
            else
                cells.append(QString::asprintf("%f", s.*line.field));
        }
        for (int i = 0; i < TrailingColumns; ++i)
            cells.append(QString());
        result.push_back(cells);
    }
    return result;
}
