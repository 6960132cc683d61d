#include "draw/MeasureReadout.h"

#include "draw/CDrawMeasure.h"

#include <algorithm>
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
    // A polyline's placed labels lie away from the pointer unless one was
    // just placed there: the pointer's own are read alone, without a text
    // for each of a thousand placed labels.
    const GdiPoint p = measure.PointerPoint();
    unsigned parts = AllParts;
    if (measure.kind == MeasureKind::ContinuousLine || measure.kind == MeasureKind::Polygon) {
        const auto first = measure.labelPoints.begin() + 1;
        const auto last = first + measure.LabelCount();
        if (std::find(first, last, p) == last)
            parts = PointerLabels;
    }
    std::vector<MeasureLabel> texts;
    for (MeasureLabel& label : measure.Labels(LineStep, parts)) {
        // Labels are numbers: a lone "o" is the mark after the one before.
        if (label.text == QLatin1String("o") && !texts.empty())
            texts.back().text += QChar(0x00B0);
        else
            texts.push_back(std::move(label));
    }
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
