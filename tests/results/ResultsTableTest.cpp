#include "ResultsTestSupport.h"

#include "results/ResultsLayout.h"
#include "results/ResultsTable.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// The table against a model of the history itself: the rows after each step,
// with a cursor that undo and redo move. Whatever the order of commits (with
// and without a row), undos and redos, the rows must be those of the step
// the cursor is on.
TEST(ResultsTableTest, RowsFollowTheHistoryThroughAnySequence)
{
    std::mt19937 random(7);
    for (int run = 0; run < 20; ++run) {
        ResultsTable table;
        table.Replace({LineRow("stored", "1.000000")});
        std::vector<std::vector<ResultRow>> states{table.Rows()};
        size_t cursor = 0;
        int made = 0;
        for (int op = 0; op < 200; ++op) {
            const int choice = int(random() % 5);
            if (choice <= 1) {
                std::optional<ResultRow> row;
                if (choice == 0)
                    row = LineRow("line", QByteArray::number(++made).constData());
                std::vector<ResultRow> next = states[cursor];
                if (row)
                    next.push_back(*row);
                states.resize(cursor + 1);
                states.push_back(next);
                ++cursor;
                EXPECT_EQ(table.Committed(row), row.has_value());
            } else if (choice <= 3 && cursor > 0) {
                --cursor;
                EXPECT_EQ(table.Undone(), states[cursor] != states[cursor + 1]);
            } else if (choice == 4 && cursor + 1 < states.size()) {
                ++cursor;
                EXPECT_EQ(table.Redone(), states[cursor] != states[cursor - 1]);
            }
            ASSERT_EQ(table.Rows(), states[cursor]) << "run " << run << " op " << op;
        }
    }
}

TEST(ResultsLayoutTest, ColumnsPerValueKindAndUnitWithSummaryLines)
{
    const ResultsTexts texts = TestTexts();
    ResultRow circle = LineRow("Radius circle", "");
    circle.values = {{Quantity::Radius, 0, QStringLiteral("0.710000"), QStringLiteral("mm")},
                     {Quantity::Area, 0, QStringLiteral("1.583677"), QStringLiteral("mm^2")}};
    const std::vector<ResultRow> rows{LineRow("Any Angle Line", "2.000000"),
                                      LineRow("Any Angle Line", "4.000000"), circle,
                                      LineRow("Any Angle Line", "710.000000", "um")};
    const ResultsLayout layout(rows);
    EXPECT_EQ(layout.Header(texts),
              (QStringList{"No.", "Kind", "Length (mm)", "Length (um)", "Radius (mm)",
                           "Area (mm^2)", "Unit", "Magnification", "Pixel size (mm)", "Points"}));
    EXPECT_EQ(layout.Cells(rows[2], 3),
              (QStringList{"3", "Radius circle", "", "", "0.710000", "1.583677", "mm", "50",
                           "0.355", "(0,0) (100,0)"}));

    const std::vector<QStringList> summary = layout.SummaryLines(rows, texts);
    ASSERT_EQ(summary.size(), 5u);
    const auto column = [&](int line) {
        return summary[size_t(line)].mid(1, 3);
    };
    EXPECT_EQ(column(0), (QStringList{"Count", "2", "1"}));
    EXPECT_EQ(column(1), (QStringList{"Mean", "3.000000", "710.000000"}));
    // The sample deviation (the population's would be 1), none for a single value.
    EXPECT_EQ(column(2), (QStringList{"SD", "1.414214", ""}));
    EXPECT_EQ(column(3), (QStringList{"Min", "2.000000", "710.000000"}));
    EXPECT_EQ(column(4), (QStringList{"Max", "4.000000", "710.000000"}));
    for (const QStringList& line : summary)
        EXPECT_EQ(line.size(), layout.ColumnCount());
    // Nearly equal large values keep their small spread; no values, no count.
    EXPECT_NEAR(ResultsStatistics::Of({1e9 + 1, 1e9 + 2, 1e9 + 3}).deviation, 1.0, 1e-6);
    EXPECT_EQ(ResultsStatistics::Of({}).count, 0);
}

} // namespace
