#include "draw/MeasureReadout.h"

#include "draw/CDrawMeasure.h"

#include <map>
#include <vector>

namespace {

// Far apart lines, so the line below the pointer is told from any other text.
constexpr int LineStep = -100000;
constexpr int MaxLinesBelow = 3;

} // namespace

QStringList MeasureReadout::Lines(CDrawMeasure& measure)
{
    // Drawing again from the same state writes the same values it drew last.
    std::vector<MeasureLabel> texts;
    for (MeasureLabel& label : measure.Labels(LineStep)) {
        // Labels are numbers: a lone "o" is the mark after the one before.
        if (label.text == QLatin1String("o") && !texts.empty())
            texts.back().text += QChar(0x00B0);
        else
            texts.push_back(std::move(label));
    }
    const GdiPoint p = measure.PointerPoint();
    std::map<int, QString> below;
    for (const MeasureLabel& t : texts) {
        const int64_t dy = int64_t(t.at.y) - p.y;
        if (t.at.x != p.x || dy % LineStep != 0)
            continue;
        const int64_t line = dy / -LineStep;
        if (line >= 0 && line <= MaxLinesBelow)
            below[int(line)] = t.text;
    }
    QStringList lines;
    for (const auto& [line, text] : below)
        lines << text;
    if (lines.isEmpty())
        for (const MeasureLabel& t : texts)
            lines << t.text;
    return lines;
}
