#pragma once

#include "results/ResultRow.h"
#include "results/ResultsTexts.h"
#include "text/LanguageTable.h"

#include <vector>

// The program's own texts: English, or Chinese.
inline ResultsTexts TestTexts(bool chinese = false)
{
    return ResultsTexts::For(LanguageTable(chinese ? 1 : 0));
}

inline ResultRow LineRow(const char* kind, const char* number, const char* unit = "mm")
{
    ResultRow row;
    row.kind = QString::fromUtf8(kind);
    row.values = {{Quantity::Length, 0, QString::fromLatin1(number), QString::fromLatin1(unit)}};
    row.unit = QString::fromLatin1(unit);
    row.magnification = QStringLiteral("50");
    row.pixelSize = QStringLiteral("0.355");
    row.points = QStringLiteral("(0,0) (100,0)");
    return row;
}
