#pragma once

#include "results/ResultRow.h"
#include "results/ResultsStatistics.h"
#include "results/ResultsTexts.h"

#include <QStringList>

#include <tuple>
#include <vector>

// A value column: one quantity in one unit ("Length (um)").
struct ValueColumn
{
    Quantity quantity = Quantity::Length;
    int segment = 0;
    QString unit;

    bool operator==(const ValueColumn&) const = default;
    bool operator<(const ValueColumn& other) const
    {
        return std::tie(quantity, segment, unit) <
               std::tie(other.quantity, other.segment, other.unit);
    }
    bool Holds(const MeasuredValue& value) const
    {
        return value.quantity == quantity && value.segment == segment && value.unit == unit;
    }
};

// The columns of a set of rows: number and kind, a column per value kind
// present, then unit, magnification, pixel size and points. The window, the
// CSV file and the clipboard all lay rows out through this one class.
class ResultsLayout
{
  public:
    static constexpr int LeadingColumns = 2;
    static constexpr int TrailingColumns = 4;

    explicit ResultsLayout(const std::vector<ResultRow>& rows);
    explicit ResultsLayout(std::vector<ValueColumn> columns) : columns(std::move(columns)) {}

    const std::vector<ValueColumn>& ValueColumns() const { return columns; }
    int ColumnCount() const { return LeadingColumns + int(columns.size()) + TrailingColumns; }

    QStringList Header(const ResultsTexts& texts) const;
    // number counts from 1.
    QStringList Cells(const ResultRow& row, int number) const;

    std::vector<ResultsStatistics> Statistics(const std::vector<ResultRow>& rows) const;
    // Count, mean, deviation, minimum and maximum lines, the name in the kind
    // column; numbers with "%f" like the labels, counts as integers.
    std::vector<QStringList> SummaryLines(const std::vector<ResultRow>& rows,
                                          const ResultsTexts& texts) const;

    static QString HeaderOf(const ValueColumn& column, const ResultsTexts& texts);

  private:
    std::vector<ValueColumn> columns;
};
