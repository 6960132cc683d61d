#include "view/TouchedArea.h"

#include <algorithm>
#include <cmath>

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
    runs.reserve(runs.size() + size_t(r.height()));
    for (int y = r.top(); y <= r.bottom(); ++y)
        runs.push_back({y, r.left(), r.right()});
    normalized = false;
}

void TouchedArea::AddSegment(QPointF from, QPointF to, double reach)
{
    if (!std::isfinite(from.x()) || !std::isfinite(from.y()) || !std::isfinite(to.x()) || !std::isfinite(to.y()) ||
        !std::isfinite(reach))
        return;
    reach = std::max(reach, 0.0);
    const double top = std::min(from.y(), to.y()) - reach;
    const double bottom = std::max(from.y(), to.y()) + reach;
    const int y0 = std::max(int(std::floor(std::max(top, -1e9))), limits.top());
    const int y1 = std::min(int(std::ceil(std::min(bottom, 1e9))), limits.bottom());
    if (y0 > y1)
        return;
    const double dy = to.y() - from.y();
    runs.reserve(runs.size() + size_t(y1 - y0 + 1));
    for (int y = y0; y <= y1; ++y) {
        // The pixels of row y are within reach of the centre line where it
        // passes through y - reach .. y + 1 + reach; beyond its ends the caps
        // stay within reach of the end points.
        double lo = y - reach;
        double hi = y + 1 + reach;
        double xa, xb;
        if (std::abs(dy) < 1e-9) {
            xa = from.x();
            xb = to.x();
        } else {
            double ta = (lo - from.y()) / dy;
            double tb = (hi - from.y()) / dy;
            if (ta > tb)
                std::swap(ta, tb);
            ta = std::clamp(ta, 0.0, 1.0);
            tb = std::clamp(tb, 0.0, 1.0);
            xa = from.x() + ta * (to.x() - from.x());
            xb = from.x() + tb * (to.x() - from.x());
        }
        const double left = std::min(xa, xb) - reach - 1;
        const double right = std::max(xa, xb) + reach + 1;
        AddRun(y, int(std::floor(std::max(left, -1e9))), int(std::ceil(std::min(right, 1e9))));
    }
}

void TouchedArea::Add(const TouchedArea& other)
{
    for (const Run& run : other.runs)
        AddRun(run.y, run.left, run.right);
}

void TouchedArea::Normalize()
{
    if (normalized)
        return;
    std::sort(runs.begin(), runs.end(), [](const Run& a, const Run& b) {
        return a.y != b.y ? a.y < b.y : a.left < b.left;
    });
    size_t kept = 0;
    for (size_t i = 0; i < runs.size(); ++i) {
        if (kept > 0 && runs[kept - 1].y == runs[i].y && runs[i].left <= runs[kept - 1].right + 1) {
            runs[kept - 1].right = std::max(runs[kept - 1].right, runs[i].right);
        } else {
            runs[kept++] = runs[i];
        }
    }
    runs.resize(kept);
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

int64_t TouchedArea::PixelCount()
{
    int64_t count = 0;
    for (const Run& run : Runs())
        count += run.right - run.left + 1;
    return count;
}
