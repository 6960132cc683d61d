#include "view/TouchedArea.h"

#include "platform/GdiContext.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>

namespace {

// std::floor for values well within the int range, without a library call
// on processors whose baseline has no rounding instruction.
inline int FloorToInt(double v)
{
    const int i = int(v);
    return i - (v < double(i));
}

} // namespace

void TouchedArea::Clear()
{
    runs.clear();
    normalized = true;
}

void TouchedArea::AddRun(int y, int left, int right)
{
    if (y < limits.top() || y > limits.bottom())
        return;
    left = std::max(left, limits.left());
    right = std::min(right, limits.right());
    if (left > right)
        return;
    runs.push_back({y, left, right});
    normalized = false;
}

void TouchedArea::AddRect(const QRect& rect)
{
    const QRect r = rect.normalized() & limits;
    if (r.isEmpty())
        return;
    for (int y = r.top(); y <= r.bottom(); ++y)
        runs.push_back({y, r.left(), r.right()});
    normalized = false;
}

void TouchedArea::AddSegment(QPointF from, QPointF to, double reach)
{
    if (!std::isfinite(from.x()) || !std::isfinite(from.y()) || !std::isfinite(to.x()) ||
        !std::isfinite(to.y()) || !std::isfinite(reach))
        return;
    reach = std::max(reach, 0.0);
    const double top = std::min(from.y(), to.y()) - reach;
    const double bottom = std::max(from.y(), to.y()) + reach;
    const int y0 = std::max(int(std::floor(std::max(top, -1e9))), limits.top());
    const int y1 = std::min(int(std::ceil(std::min(bottom, 1e9))), limits.bottom());
    if (y0 > y1)
        return;
    const double dy = to.y() - from.y();
    // One run a row: room made once rather than as they come.
    const size_t needed = runs.size() + size_t(y1 - y0 + 1);
    if (runs.capacity() < needed)
        runs.reserve(std::max(needed, 2 * runs.capacity()));
    const bool level = std::abs(dy) < 1e-9;
    const double inverse = level ? 0.0 : 1.0 / dy;
    const double dx = to.x() - from.x();
    for (int y = y0; y <= y1; ++y) {
        // The pixels of row y are within reach of the centre line where it
        // passes through y - reach .. y + 1 + reach; beyond its ends the caps
        // stay within reach of the end points. The margin of a pixel more
        // covers any rounding here.
        double xa = from.x(), xb = to.x();
        if (!level) {
            double ta = (y - reach - from.y()) * inverse;
            double tb = (y + 1 + reach - from.y()) * inverse;
            if (ta > tb)
                std::swap(ta, tb);
            xa = from.x() + std::clamp(ta, 0.0, 1.0) * dx;
            xb = from.x() + std::clamp(tb, 0.0, 1.0) * dx;
        }
        const double left = std::min(xa, xb) - reach - 1;
        const double right = std::max(xa, xb) + reach + 1;
        const int l = std::max(FloorToInt(std::max(left, -1e9)), limits.left());
        const int r = std::min(-FloorToInt(-std::min(right, 1e9)), limits.right());
        if (l <= r) {
            runs.push_back({y, l, r});
            normalized = false;
        }
    }
}

void TouchedArea::Add(const TouchedArea& other)
{
    if (other.runs.empty())
        return;
    // Runs kept within limits that lie within these need no clipping again,
    // and two sorted lists merge in one pass.
    if (limits.contains(other.limits) && normalized && other.normalized) {
        thread_local std::vector<Run> merged;
        merged.clear();
        std::merge(runs.begin(), runs.end(), other.runs.begin(), other.runs.end(),
                   std::back_inserter(merged), Before);
        Coalesce(merged);
        return;
    }
    if (limits.contains(other.limits)) {
        runs.insert(runs.end(), other.runs.begin(), other.runs.end());
        normalized = false;
        return;
    }
    for (const Run& run : other.runs)
        AddRun(run.y, run.left, run.right);
}

void TouchedArea::Normalize()
{
    if (normalized)
        return;
    // Runs added row by row (a picture's runs mapped to the view) need only
    // merging; the others are bucketed by row: runs are many (a guide line
    // adds one per row) but each row holds few of them. The buffers are kept
    // from call to call, as every pointer move sorts thousands of runs.
    thread_local std::vector<int> start;
    thread_local std::vector<Run> sorted;
    if (std::is_sorted(runs.begin(), runs.end(), Before)) {
        sorted.swap(runs);
    } else {
        const int top = limits.top();
        const int height = limits.height();
        start.assign(size_t(height) + 1, 0);
        for (const Run& run : runs)
            ++start[size_t(run.y - top) + 1];
        for (int i = 0; i < height; ++i)
            start[size_t(i) + 1] += start[size_t(i)];
        sorted.resize(runs.size());
        for (const Run& run : runs)
            sorted[size_t(start[size_t(run.y - top)]++)] = run;
        // Each bucket's start moved to its end, the next one's start.
        // Buckets hold a few runs each: sorted by insertion.
        for (size_t first = 0, row = 0; row < size_t(height); ++row) {
            const size_t last = size_t(start[row]);
            for (size_t i = first + 1; i < last; ++i) {
                const Run run = sorted[i];
                size_t j = i;
                for (; j > first && run.left < sorted[j - 1].left; --j)
                    sorted[j] = sorted[j - 1];
                sorted[j] = run;
            }
            first = last;
        }
    }
    Coalesce(sorted);
}

void TouchedArea::Coalesce(const std::vector<Run>& sorted)
{
    runs.clear();
    for (const Run& run : sorted) {
        if (!runs.empty() && runs.back().y == run.y && run.left <= runs.back().right + 1)
            runs.back().right = std::max(runs.back().right, run.right);
        else
            runs.push_back(run);
    }
    normalized = true;
}

const std::vector<TouchedArea::Run>& TouchedArea::Runs()
{
    Normalize();
    return runs;
}

QRect TouchedArea::BoundingRect() const
{
    QRect box;
    for (const Run& run : runs)
        box |= QRect(QPoint(run.left, run.y), QPoint(run.right, run.y));
    return box;
}

void TouchedArea::CopyPixels(const QImage& from, QImage& to)
{
    const size_t bytesPerPixel = 4;
    const std::vector<Run>& all = Runs();
    if (all.empty())
        return;
    uchar* target = to.bits();
    const uchar* source = from.constBits();
    const size_t targetStride = size_t(to.bytesPerLine());
    const size_t sourceStride = size_t(from.bytesPerLine());
    // Runs of a thin line lie one to a row, each on pages of its own: asking
    // for the pixels a few runs ahead hides most of the wait for them.
    constexpr size_t Ahead = 6;
    for (size_t i = 0; i < all.size(); ++i) {
        if (i + Ahead < all.size()) {
            const Run& next = all[i + Ahead];
            __builtin_prefetch(source + size_t(next.y) * sourceStride +
                               size_t(next.left) * bytesPerPixel);
            __builtin_prefetch(
                target + size_t(next.y) * targetStride + size_t(next.left) * bytesPerPixel, 1);
        }
        const Run& run = all[i];
        std::memcpy(target + size_t(run.y) * targetStride + size_t(run.left) * bytesPerPixel,
                    source + size_t(run.y) * sourceStride + size_t(run.left) * bytesPerPixel,
                    size_t(run.right - run.left + 1) * bytesPerPixel);
    }
}

int64_t TouchedArea::PixelCount()
{
    int64_t count = 0;
    for (const Run& run : Runs())
        count += run.right - run.left + 1;
    return count;
}

void TouchedArea::AddDrawn(const GdiContext& dc)
{
    // Many lines (a long polyline) cost more to track one by one than their
    // rectangle costs to copy.
    const QRect box = dc.TouchedRect();
    double rows = 0;
    for (const GdiContext::TouchedLine& line : dc.TouchedLines())
        rows +=
            std::min(std::abs(line.to.y() - line.from.y()) + 2 * line.reach, double(box.height()));
    for (const QRect& part : dc.TouchedBoxes())
        rows += part.height();
    if (rows > 4.0 * box.height()) {
        AddRect(box);
        return;
    }
    for (const GdiContext::TouchedLine& line : dc.TouchedLines())
        AddSegment(line.from, line.to, line.reach);
    for (const QRect& part : dc.TouchedBoxes())
        AddRect(part);
}
