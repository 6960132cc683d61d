#include "view/ProgressPainter.h"

#include "draw/CDrawMeasure.h"
#include "draw/CDrawPen.h"
#include "platform/GdiContext.h"

#include <algorithm>

void ProgressPainter::Forget()
{
    drawn.Clear();
    mergedRuns = 0;
    strokePoints.clear();
    layer.Release();
}

TouchedArea& ProgressPainter::Draw(QImage& working, const QImage& top, CDrawObject* object)
{
    changed.Clear();
    changed.SetLimits(working.rect());
    drawn.SetLimits(working.rect());

    const auto* stroke = dynamic_cast<const CDrawPen*>(object);
    if (stroke && Grow(working, *stroke))
        return changed;
    auto* measure = dynamic_cast<CDrawMeasure*>(object);
    const bool layered = measure && PolylineLayer::Suits(*measure);
    if (layered && layer.Holds(*measure)) {
        layer.Follow(working, *measure, changed);
        return changed;
    }

    Restore(working, top);
    if (layered) {
        layer.Build(working, top, *measure, changed);
        return changed;
    }
    if (object) {
        GdiContext dc(working);
        object->Draw(dc);
        drawn.AddDrawn(dc);
        // Sorted now for the next copy back, so both lists merge.
        drawn.Runs();
        changed.Add(drawn);
    }
    if (stroke) {
        strokePoints = stroke->points;
        strokePen = stroke->pen;
    }
    return changed;
}

bool ProgressPainter::Grow(QImage& working, const CDrawPen& stroke)
{
    const size_t had = strokePoints.size();
    if (had == 0 || stroke.points.size() < had || !(stroke.pen == strokePen) ||
        !std::equal(strokePoints.begin(), strokePoints.end(), stroke.points.begin()))
        return false;
    if (stroke.points.size() == had)
        return true;
    TouchedArea added(working.rect());
    {
        GdiContext dc(working);
        stroke.DrawFrom(dc, had);
        added.AddDrawn(dc);
    }
    drawn.Add(added);
    changed.Add(added);
    strokePoints.insert(strokePoints.end(), stroke.points.begin() + long(had), stroke.points.end());
    // Merged now and then, so a long stroke keeps few runs per row.
    if (drawn.RunCount() > 2 * mergedRuns + size_t(std::max(1, working.height()))) {
        drawn.Runs();
        mergedRuns = drawn.RunCount();
    }
    return true;
}

void ProgressPainter::Restore(QImage& working, const QImage& top)
{
    layer.AddDrawn(drawn);
    layer.Clear();
    strokePoints.clear();
    drawn.CopyPixels(top, working);
    changed.Add(drawn);
    drawn.Clear();
    mergedRuns = 0;
}
