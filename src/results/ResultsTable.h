#pragma once

#include "results/ResultRow.h"

#include <optional>
#include <vector>

// The rows of one picture, kept in step with the picture's edit history: each
// committed edit is one step, carrying the row of its measurement if it made
// one. Undo and redo move over the steps exactly as the history does; steps
// the history no longer reaches simply stay applied, rows included.
class ResultsTable
{
  public:
    const std::vector<ResultRow>& Rows() const { return rows; }

    // Rows read from the picture's file: they predate the history.
    void Replace(std::vector<ResultRow> stored);

    // Each returns whether the rows changed.
    bool Committed(std::optional<ResultRow> row);
    bool Undone();
    bool Redone();

  private:
    struct Step
    {
        std::optional<ResultRow> row;
    };

    std::vector<ResultRow> rows;
    std::vector<Step> steps;
    size_t applied = 0; // steps[0 .. applied) are in effect
};
