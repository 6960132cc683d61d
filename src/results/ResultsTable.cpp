#include "results/ResultsTable.h"

void ResultsTable::Replace(std::vector<ResultRow> stored)
{
    rows = std::move(stored);
    steps.clear();
    applied = 0;
}

bool ResultsTable::Committed(std::optional<ResultRow> row)
{
    // A commit after undos gives up the redo side, as the history does.
    steps.resize(applied);
    const bool changed = row.has_value();
    if (row)
        rows.push_back(*row);
    steps.push_back({std::move(row)});
    ++applied;
    return changed;
}

bool ResultsTable::Undone()
{
    if (applied == 0)
        return false;
    Step& step = steps[--applied];
    // Steps are undone last first, so a step's row is the last row.
    if (!step.row || rows.empty())
        return false;
    step.row = std::move(rows.back());
    rows.pop_back();
    return true;
}

bool ResultsTable::Redone()
{
    if (applied == steps.size())
        return false;
    const Step& step = steps[applied++];
    if (!step.row)
        return false;
    rows.push_back(*step.row);
    return true;
}
