#pragma once

#include <QImage>
#include <QPointF>
#include <QRect>

#include <cstdint>
#include <vector>

class GdiContext;

// The picture pixels a drawing may have changed, as runs along rows. A long
// thin line across the picture touches few pixels of each row, where its
// bounding rectangle would be the whole picture.
class TouchedArea
{
  public:
    struct Run
    {
        int y;
        int left;
        int right; // inclusive
    };

    explicit TouchedArea(QRect limits = {}) : limits(limits) {}

    void SetLimits(const QRect& newLimits) { limits = newLimits; }
    const QRect& Limits() const { return limits; }

    void Clear();
    bool IsEmpty() const { return runs.empty(); }
    // Runs as added, before merging.
    size_t RunCount() const { return runs.size(); }
    void AddAll() { AddRect(limits); }
    void AddRect(const QRect& rect);
    // The pixels left to right (inclusive) of row y.
    void AddRow(int y, int left, int right) { AddRun(y, left, right); }
    // Every pixel within reach of the segment (a thick pen, its caps and a margin).
    void AddSegment(QPointF from, QPointF to, double reach);
    void Add(const TouchedArea& other);
    // What a drawing context reports it may have changed: its lines and boxes,
    // or its rectangle when tracking many lines would cost more than copying it.
    void AddDrawn(const GdiContext& dc);

    // Sorted by row, then by left; runs of a row neither overlap nor touch.
    const std::vector<Run>& Runs();
    QRect BoundingRect() const;
    // Copies the pixels of the area from one picture to another of the same
    // size and 32-bit format.
    void CopyPixels(const QImage& from, QImage& to);
    // Pixels covered, for deciding when a whole copy is cheaper.
    int64_t PixelCount();

  private:
    void AddRun(int y, int left, int right);
    void Normalize();
    // Runs from sorted ones, touching ones of a row joined.
    void Coalesce(const std::vector<Run>& sorted);
    static bool Before(const Run& a, const Run& b)
    {
        return a.y < b.y || (a.y == b.y && a.left < b.left);
    }

    QRect limits;
    std::vector<Run> runs;
    bool normalized = true;
};
