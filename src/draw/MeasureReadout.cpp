#include "draw/MeasureReadout.h"

#include "draw/CDrawMeasure.h"
#include "draw/MeasureCanvas.h"

#include <map>
#include <vector>

namespace {

// Far apart lines, so the line below the pointer is told from any other text.
constexpr int LineStep = -100000;
constexpr int MaxLinesBelow = 3;

class TextRecorder : public MeasureCanvas
{
  public:
    struct Text
    {
        GdiPoint at;
        QString text;
    };
    std::vector<Text> texts;

    void MoveTo(GdiPoint) override {}
    void LineTo(GdiPoint) override {}
    void Polyline(const GdiPoint*, int) override {}
    void Ellipse(const GdiRect&) override {}
    void AngleArc(GdiPoint, uint32_t, float, float) override {}
    void GuideLine(GdiPoint, GdiPoint) override {}
    GdiPoint ToDevice(GdiPoint p) const override { return p; }
    void TextOut(GdiPoint p, const QString& text) override
    {
        // Labels are numbers: a lone "o" is the mark after the one before.
        if (text == QLatin1String("o") && !texts.empty())
            texts.back().text += QChar(0x00B0);
        else
            texts.push_back({p, text});
    }
};

} // namespace

QStringList MeasureReadout::Lines(CDrawMeasure& measure)
{
    TextRecorder recorder;
    // Drawing again from the same state writes the same values it drew last.
    measure.DrawOn(recorder, LineStep);
    const GdiPoint p = measure.PointerPoint();
    std::map<int, QString> below;
    for (const TextRecorder::Text& t : recorder.texts) {
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
        for (const TextRecorder::Text& t : recorder.texts)
            lines << t.text;
    return lines;
}
