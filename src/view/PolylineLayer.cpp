#include "view/PolylineLayer.h"

#include "draw/CDrawMeasure.h"
#include "platform/GdiContext.h"
#include "platform/OutlineText.h"

#include <QRegion>

#include <algorithm>

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
        measure.DrawParts(dc, PointerLines);
        pointer.AddDrawn(dc);
    }
    labels.clear();
    stampBytes = 0;
    {
        GdiContext dc(working);
        measure.DrawParts(dc, PlacedLabels);
        placedLabels.AddDrawn(dc);
        dc.SelectFont(measure.font);
        for (MeasureLabel& label : measure.Labels(measure.font.Log().height, PlacedLabels)) {
            const QRect area = dc.TextArea(label.at.x, label.at.y, label.text);
            const bool outlined = OutlineText::Suits(measure.font.Font(), label.text);
            labels.push_back({label.at, std::move(label.text), area, outlined, nullptr});
        }
    }
    {
        GdiContext dc(working);
        measure.DrawParts(dc, PointerLabels);
        pointer.AddDrawn(dc);
    }
    changed.Add(baseLines);
    changed.Add(placedLabels);
    changed.Add(pointer);
}

void PolylineLayer::Follow(QImage& working, CDrawMeasure& measure, TouchedArea& changed)
{
    // Back to the snapshot with the placed lines, where the pointer drew.
    pointer.CopyPixels(base, working);
    changed.Add(pointer);
    TouchedArea redrawn = pointer;

    // The pointer's lines go under the placed labels: where they will draw
    // is known once drawn, so where they crossed a label that is put back
    // and drawn once more.
    TouchedArea lines(working.rect());
    {
        GdiContext dc(working);
        measure.DrawParts(dc, PointerLines);
        lines.AddDrawn(dc);
    }
    if (CrossesLabels(lines)) {
        lines.CopyPixels(base, working);
        GdiContext dc(working);
        measure.DrawParts(dc, PointerLines);
    }
    redrawn.Add(lines);
    DrawPlacedLabels(working, measure, redrawn);

    pointer.Clear();
    pointer.Add(lines);
    {
        GdiContext dc(working);
        measure.DrawParts(dc, PointerLabels);
        pointer.AddDrawn(dc);
    }
    changed.Add(pointer);
}

void PolylineLayer::DrawPlacedLabels(QImage& working, const CDrawMeasure& measure,
                                     TouchedArea& within)
{
    const std::vector<TouchedArea::Run>& runs = within.Runs();
    if (runs.empty() || labels.empty())
        return;
    GdiContext dc(working);
    dc.SelectFont(measure.font);
    dc.SetTextColor(measure.textColour);
    dc.SetBkMode(GdiContext::Transparent);
    std::vector<QRect> parts;
    for (Label& label : labels) {
        parts.clear();
        Within(runs, label.area, &parts);
        if (parts.empty())
            continue;
        // Glyphs from the cache are quick to draw again, outlines are not.
        if (!label.outlined) {
            QRegion region;
            region.setRects(parts.data(), int(parts.size()));
            dc.Painter().setClipRegion(region);
            dc.TextOut(label.at.x, label.at.y, label.text);
            continue;
        }
        Stamp(label, measure.font).Blend(working, measure.textColour, parts);
    }
}

bool PolylineLayer::Within(const std::vector<TouchedArea::Run>& runs, const QRect& area,
                           std::vector<QRect>* parts)
{
    auto run = std::lower_bound(runs.begin(), runs.end(), area.top(),
                                [](const TouchedArea::Run& r, int y) { return r.y < y; });
    bool any = false;
    for (; run != runs.end() && run->y <= area.bottom(); ++run) {
        const int left = std::max(run->left, area.left());
        const int right = std::min(run->right, area.right());
        if (left > right)
            continue;
        if (!parts)
            return true;
        parts->push_back(QRect(QPoint(left, run->y), QPoint(right, run->y)));
        any = true;
    }
    return any;
}

bool PolylineLayer::CrossesLabels(TouchedArea& area) const
{
    if (area.IsEmpty())
        return false;
    const std::vector<TouchedArea::Run>& runs = area.Runs();
    return std::any_of(labels.begin(), labels.end(),
                       [&](const Label& label) { return Within(runs, label.area, nullptr); });
}

const TextStamp& PolylineLayer::Stamp(Label& label, const GdiFont& font)
{
    // Kept up to a budget; beyond it they are made again as needed.
    constexpr qsizetype StampBudget = 64 << 20;
    if (!label.stamp) {
        if (stampBytes > StampBudget) {
            for (Label& other : labels)
                other.stamp.reset();
            stampBytes = 0;
        }
        // Drawn on the base, where the picture's coordinates are the same.
        label.stamp = std::make_unique<const TextStamp>(base, font, label.at.ToQPoint(), label.text,
                                                        label.area);
        stampBytes += label.stamp->SizeInBytes();
    }
    return *label.stamp;
}

void PolylineLayer::AddDrawn(TouchedArea& area) const
{
    if (!built)
        return;
    area.Add(baseLines);
    area.Add(placedLabels);
    area.Add(pointer);
}

void PolylineLayer::Release()
{
    built = false;
    base = QImage();
    baseLines.Clear();
    labels.clear();
    stampBytes = 0;
}
