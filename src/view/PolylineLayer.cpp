#include "view/PolylineLayer.h"

#include "draw/CDrawMeasure.h"
#include "platform/GdiContext.h"

#include <algorithm>

#ifdef __GLIBC__
#include <malloc.h>
#endif

bool PolylineLayer::Suits(const CDrawMeasure& measure)
{
    if (measure.kind == MeasureKind::Polygon)
        return true;
    // A continuous line's label of its newest vertex measures the pointer's
    // segment until that vertex is placed.
    return measure.kind == MeasureKind::ContinuousLine &&
           (measure.LabelCount() < measure.VertexCount() ||
            measure.phase >= PolylinePhase::SegmentFixed);
}

PolylineLayer::Key PolylineLayer::KeyOf(const CDrawMeasure& measure)
{
    Key key;
    key.kind = measure.kind;
    key.phase = measure.phase;
    key.vertices.assign(measure.points.begin() + 1,
                        measure.points.begin() + 1 + measure.VertexCount());
    key.labelPoints.assign(measure.labelPoints.begin() + 1,
                           measure.labelPoints.begin() + 1 + measure.LabelCount());
    key.pen = measure.pen;
    key.font = measure.font.Log();
    key.textColour = measure.textColour;
    key.unit = measure.unit;
    key.magnification = measure.magnification;
    key.resolutionFactor = measure.resolutionFactor;
    key.pixelSize = measure.pixelSize;
    return key;
}

bool PolylineLayer::Holds(const CDrawMeasure& measure) const
{
    return built && key == KeyOf(measure);
}

void PolylineLayer::Build(QImage& working, const QImage& top, CDrawMeasure& measure,
                          TouchedArea& changed)
{
    key = KeyOf(measure);
    built = true;
    if (base.size() != top.size() || base.format() != top.format()) {
        base = top.copy();
        baseLines.Clear();
    } else {
        baseLines.CopyPixels(top, base);
        baseLines.Clear();
    }
    baseLines.SetLimits(top.rect());
    placedLabels.Clear();
    placedLabels.SetLimits(top.rect());
    pointer.Clear();
    pointer.SetLimits(top.rect());
    {
        GdiContext dc(base);
        measure.DrawParts(dc, PlacedLines);
        baseLines.AddDrawn(dc);
    }
    baseLines.CopyPixels(base, working);
    {
        GdiContext dc(working);
        measure.DrawParts(dc, PlacedLabels);
        placedLabels.AddDrawn(dc);
    }
    overColours.clear();
    AreaPixels::Layer().swap(overBase);
    labelled.SetArea(placedLabels.Runs(), working.height());
    overBase = labelled.Capture(working);
    DrawPointer(working, measure);
    changed.Add(baseLines);
    changed.Add(placedLabels);
    changed.Add(pointer);
}

void PolylineLayer::Follow(QImage& working, CDrawMeasure& measure, TouchedArea& changed)
{
    // Back to the base with the placed labels, where the pointer drew.
    labelled.Put(overBase, base, working, pointer.Runs());
    changed.Add(pointer);
    DrawPointer(working, measure);
    changed.Add(pointer);
}

void PolylineLayer::DrawPointer(QImage& working, CDrawMeasure& measure)
{
    // Where the pointer's lines will draw, with nothing drawn yet: where
    // they cross a placed label they go over the base, under the label.
    TouchedArea lines(working.rect());
    {
        GdiContext dc(working);
        dc.Painter().setClipRect(QRect(0, 0, 0, 0));
        measure.DrawParts(dc, PointerLines);
        lines.AddDrawn(dc);
    }
    const bool underLabels = labelled.Meets(lines.Runs());
    if (underLabels)
        lines.CopyPixels(base, working);
    {
        GdiContext dc(working);
        measure.DrawParts(dc, PointerLines);
    }
    if (underLabels)
        LabelLines(working, measure, lines);
    pointer.Clear();
    pointer.Add(lines);
    GdiContext dc(working);
    measure.DrawParts(dc, PointerLabels);
    pointer.AddDrawn(dc);
}

void PolylineLayer::LabelLines(QImage& working, CDrawMeasure& measure, TouchedArea& lines)
{
    std::vector<Stretch> stretches;
    labelled.ForEachMeeting(lines.Runs(), [&](int y, int left, int right, size_t at) {
        stretches.push_back({y, left, right, at});
    });
    // The labels over the colour of the pixel last met, made when first met
    // and kept up to a budget: enough for the pointer's pen and its guides'
    // over the labels of the camera's largest picture. Beyond it they last
    // for this move.
    constexpr size_t KeptBytes = 80 << 20;
    std::vector<Over> passing;
    QRgb colour = 0;
    const QRgb* over = nullptr;
    auto find = [&](const std::vector<Over>& in) -> const QRgb* {
        for (const Over& o : in)
            if (o.colour == colour)
                return o.pixels.data();
        return nullptr;
    };
    auto labelsOver = [&](QRgb pixel) {
        if (over && pixel == colour)
            return over;
        colour = pixel;
        over = find(overColours);
        if (!over)
            over = find(passing);
        if (!over) {
            // What the kept ones would take with this one.
            size_t bytes = overBase.size() * sizeof(QRgb);
            for (const Over& o : overColours)
                bytes += o.pixels.size() * sizeof(QRgb);
            std::vector<Over>& into = bytes <= KeptBytes ? overColours : passing;
            into.push_back({colour, LabelsOver(colour, working, measure, stretches)});
            over = into.back().pixels.data();
        }
        return over;
    };
    // Unchanged pixels take the labels over the base, the lines' pixels the
    // labels over their colour. The stretches lie rows apart in the layers:
    // their pixels are fetched a few stretches ahead.
    constexpr size_t Ahead = 8;
    for (size_t i = 0; i < stretches.size(); ++i) {
        if (i + Ahead < stretches.size()) {
            const Stretch& next = stretches[i + Ahead];
            __builtin_prefetch(overBase.data() + next.at);
            for (const Over& o : overColours)
                __builtin_prefetch(o.pixels.data() + next.at);
        }
        const Stretch& s = stretches[i];
        QRgb* row = reinterpret_cast<QRgb*>(working.scanLine(s.y));
        const QRgb* under = reinterpret_cast<const QRgb*>(base.constScanLine(s.y));
        const size_t shift = s.at - size_t(s.left);
        for (int x = s.left; x <= s.right; ++x) {
            const QRgb pixel = row[x];
            row[x] = pixel == under[x] ? overBase[shift + size_t(x)]
                                       : labelsOver(pixel)[shift + size_t(x)];
        }
    }
}

AreaPixels::Layer PolylineLayer::LabelsOver(QRgb colour, QImage& working, CDrawMeasure& measure,
                                            const std::vector<Stretch>& lines) const
{
    // Drawn on the working picture, where the coordinates are the same (Qt's
    // outline filling is not the same under every shift), then put back:
    // within the labels' area it holds the labels over the base, except on
    // the lines.
    std::vector<QRgb> kept;
    for (const Stretch& s : lines) {
        const auto* row = reinterpret_cast<const QRgb*>(working.constScanLine(s.y));
        kept.insert(kept.end(), row + s.left, row + s.right + 1);
    }
    labelled.Fill(working, colour);
    {
        GdiContext dc(working);
        measure.DrawParts(dc, PlacedLabels);
    }
    AreaPixels::Layer layer = labelled.Capture(working);
    labelled.Put(overBase, working);
    const QRgb* from = kept.data();
    for (const Stretch& s : lines) {
        auto* row = reinterpret_cast<QRgb*>(working.scanLine(s.y));
        std::copy_n(from, s.right - s.left + 1, row + s.left);
        from += s.right - s.left + 1;
    }
    return layer;
}

void PolylineLayer::AddDrawn(TouchedArea& area) const
{
    if (!built)
        return;
    area.Add(baseLines);
    area.Add(placedLabels);
    area.Add(pointer);
}

PolylineLayer::~PolylineLayer()
{
    Release();
}

void PolylineLayer::Release()
{
    const bool held = !overBase.empty();
    built = false;
    base = QImage();
    baseLines.Clear();
    labelled.Clear();
    AreaPixels::Layer().swap(overBase);
    overColours.clear();
#ifdef __GLIBC__
    // The labels' layers take tens of megabytes, which the heap would keep
    // for the process once a line is finished.
    if (held)
        malloc_trim(0);
#endif
}
