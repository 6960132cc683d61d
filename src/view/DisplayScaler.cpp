#include "view/DisplayScaler.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <numeric>
#include <type_traits>

namespace {

// Built for the plain and the wide vector units where there are two; the
// loader picks the one this processor has.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define LUMVEX_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define LUMVEX_VECTOR_CLONES
#endif

// The lanes of a pixel's bytes in memory that hold blue, green and red.
constexpr int BlueLane = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? 0 : 3;
constexpr int GreenLane = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? 1 : 2;
constexpr int RedLane = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? 2 : 1;

// Picture columns summed at a time: the sums of a view row stay in the cache
// and their buffer stays small for however wide a picture.
constexpr int ColumnsPerPass = 2048;

// Adds weight times every byte of a row of pixels to four lanes per pixel.
template <typename Lane>
LUMVEX_VECTOR_CLONES void AddWeighted(Lane* sums, const uint8_t* bytes, size_t n, uint32_t weight)
{
    for (size_t i = 0; i < n; ++i)
        sums[i] += Lane(weight) * bytes[i];
}

template <typename Lane>
LUMVEX_VECTOR_CLONES void SetWeighted(Lane* sums, const uint8_t* bytes, size_t n, uint32_t weight)
{
    for (size_t i = 0; i < n; ++i)
        sums[i] = Lane(weight) * bytes[i];
}

// Count rows at once, so the sums are written once rather than once a row.
template <int Count, typename Lane>
LUMVEX_VECTOR_CLONES void SumWeighted(Lane* sums, const uint8_t* const* rows,
                                      const uint32_t* weights, size_t n)
{
    Lane w[Count];
    const uint8_t* r[Count];
    for (int k = 0; k < Count; ++k) {
        w[k] = Lane(weights[k]);
        r[k] = rows[k];
    }
    for (size_t i = 0; i < n; ++i) {
        Lane sum = 0;
        for (int k = 0; k < Count; ++k)
            sum += w[k] * r[k][i];
        sums[i] = sum;
    }
}

// Rounds sum / total to the nearest integer, halves up, without a division:
// the floating-point estimate is off by at most one either way.
class RoundingDivider
{
  public:
    explicit RoundingDivider(uint64_t total) : total(total), inverse(1.0 / double(total)) {}

    int operator()(uint64_t sum) const
    {
        const uint64_t n = sum + total / 2;
        uint64_t q = uint64_t(double(n) * inverse);
        if (q * total > n)
            --q;
        else if ((q + 1) * total <= n)
            ++q;
        return int(q);
    }

  private:
    uint64_t total;
    double inverse;
};

} // namespace

DisplayScaler::DisplayScaler(QSize picture, QSize view)
    : picture(picture), view(view), columns(MakeAxis(picture.width(), view.width())),
      rows(MakeAxis(picture.height(), view.height()))
{}

DisplayScaler::Axis DisplayScaler::MakeAxis(int in, int out)
{
    Axis axis;
    if (in <= 0 || out <= 0)
        return axis;
    const int64_t unit = std::gcd(int64_t(in), int64_t(out));
    axis.total = uint32_t(in / unit);
    axis.first.resize(size_t(out));
    axis.count.resize(size_t(out));
    axis.offset.resize(size_t(out));
    axis.repeatsPrevious.resize(size_t(out));
    // View pixel i covers [i * in, (i + 1) * in) and picture pixel k covers
    // [k * out, (k + 1) * out), both in units of 1/out picture pixel.
    for (int i = 0; i < out; ++i) {
        const int64_t from = int64_t(i) * in;
        const int64_t to = from + in;
        const int k0 = int(from / out);
        const int k1 = int((to - 1) / out);
        axis.first[size_t(i)] = k0;
        axis.count[size_t(i)] = k1 - k0 + 1;
        axis.offset[size_t(i)] = int(axis.weights.size());
        for (int k = k0; k <= k1; ++k) {
            const int64_t overlap =
                std::min(to, int64_t(k + 1) * out) - std::max(from, int64_t(k) * out);
            axis.weights.push_back(uint32_t(overlap / unit));
        }
        if (i > 0 && k0 == axis.first[size_t(i - 1)] &&
            axis.count[size_t(i)] == axis.count[size_t(i - 1)]) {
            const auto* mine = axis.weights.data() + axis.offset[size_t(i)];
            const auto* before = axis.weights.data() + axis.offset[size_t(i - 1)];
            axis.repeatsPrevious[size_t(i)] =
                std::equal(mine, mine + axis.count[size_t(i)], before);
        }
    }
    axis.firstView.resize(size_t(in));
    axis.lastView.resize(size_t(in));
    for (int k = 0; k < in; ++k) {
        axis.firstView[size_t(k)] = First(k, in, out);
        axis.lastView[size_t(k)] = Last(k, in, out);
    }
    return axis;
}

int DisplayScaler::First(int v, int in, int out)
{
    // The first view pixel whose interval reaches past the start of v.
    return int((int64_t(v) * out) / in);
}

int DisplayScaler::Last(int v, int in, int out)
{
    return int((int64_t(v + 1) * out - 1) / in);
}

QImage DisplayScaler::ScaleAll(const QImage& source) const
{
    QImage target(view, QImage::Format_RGB32);
    if (target.isNull())
        return target;
    ScaleRect(source, target, QRect(QPoint(0, 0), view));
    return target;
}

template <typename Lane>
void DisplayScaler::SumRows(const QImage& source, int viewRow, int from, int width,
                            std::vector<Lane>& sums) const
{
    const size_t lanes = size_t(width) * 4;
    sums.resize(lanes);
    const int rowFirst = rows.first[size_t(viewRow)];
    const uint32_t* weights = rows.weights.data() + rows.offset[size_t(viewRow)];
    const int count = rows.count[size_t(viewRow)];
    // Rows found from the start and stride: thin runs call this often.
    const uint8_t* first = source.constBits() + size_t(rowFirst) * size_t(source.bytesPerLine());
    const size_t stride = size_t(source.bytesPerLine());
    if (count <= 8) {
        const uint8_t* bytes[8];
        for (int r = 0; r < count; ++r)
            bytes[r] = first + size_t(r) * stride + size_t(from) * 4;
        using Sum = void (*)(Lane*, const uint8_t* const*, const uint32_t*, size_t);
        static const Sum sumOf[] = {
            SumWeighted<1, Lane>, SumWeighted<2, Lane>, SumWeighted<3, Lane>, SumWeighted<4, Lane>,
            SumWeighted<5, Lane>, SumWeighted<6, Lane>, SumWeighted<7, Lane>, SumWeighted<8, Lane>};
        sumOf[count - 1](sums.data(), bytes, weights, lanes);
        return;
    }
    for (int r = 0; r < count; ++r) {
        const uint8_t* bytes = first + size_t(r) * stride + size_t(from) * 4;
        if (r == 0)
            SetWeighted(sums.data(), bytes, lanes, weights[r]);
        else
            AddWeighted(sums.data(), bytes, lanes, weights[r]);
    }
}

template <typename Lane>
void DisplayScaler::ScaleRows(const QImage& source, QImage& target, const QRect* areas,
                              size_t count) const
{
    // Small lanes hold small sums of rows, and then the column sums fit 32 bits.
    using Sum = std::conditional_t<sizeof(Lane) == 2, uint32_t, uint64_t>;
    const RoundingDivider divide(uint64_t(columns.total) * rows.total);
    thread_local std::vector<Lane> sums;
    uint8_t* targetBits = target.bits();
    const size_t targetStride = size_t(target.bytesPerLine());
    for (size_t i = 0; i < count; ++i) {
        const QRect& area = areas[i];
        if (i + 1 < count)
            Prefetch(source, areas[i + 1]);
        // View columns in groups that read at most ColumnsPerPass picture columns
        // (or one view column that reads more).
        for (int left = area.left(); left <= area.right();) {
            const int from = columns.first[size_t(left)];
            int right = left;
            while (right < area.right() &&
                   columns.first[size_t(right + 1)] + columns.count[size_t(right + 1)] - from <=
                       ColumnsPerPass)
                ++right;
            const int to = columns.first[size_t(right)] + columns.count[size_t(right)];
            const size_t outBytes = size_t(right - left + 1) * 4;
            for (int dy = area.top(); dy <= area.bottom(); ++dy) {
                auto* out = reinterpret_cast<QRgb*>(targetBits + size_t(dy) * targetStride) + left;
                if (dy > area.top() && rows.repeatsPrevious[size_t(dy)]) {
                    std::memcpy(out, targetBits + size_t(dy - 1) * targetStride + size_t(left) * 4,
                                outBytes);
                    continue;
                }
                SumRows(source, dy, from, to - from, sums);
                for (int dx = left; dx <= right; ++dx) {
                    const Lane* pixel = sums.data() + size_t(columns.first[size_t(dx)] - from) * 4;
                    const uint32_t* w = columns.weights.data() + columns.offset[size_t(dx)];
                    // All four lanes, the unused one too: one vector operation each.
                    Sum sum[4] = {};
                    for (int c = 0; c < columns.count[size_t(dx)]; ++c, pixel += 4) {
                        for (int lane = 0; lane < 4; ++lane)
                            sum[lane] += Sum(w[c]) * pixel[lane];
                    }
                    *out++ =
                        qRgb(divide(sum[RedLane]), divide(sum[GreenLane]), divide(sum[BlueLane]));
                }
            }
            left = right + 1;
        }
    }
}

void DisplayScaler::Prefetch(const QImage& source, const QRect& area) const
{
    // The picture rows of a thin area lie on pages of their own: asking for
    // the next area's first row of pixels while this one is summed hides the
    // wait for them.
    const size_t y = size_t(area.top());
    const size_t from = size_t(columns.first[size_t(area.left())]) * 4;
    const size_t to =
        size_t(columns.first[size_t(area.right())] + columns.count[size_t(area.right())]) * 4 - 1;
    const uchar* first = source.constBits() + size_t(rows.first[y]) * size_t(source.bytesPerLine());
    for (int r = 0; r < rows.count[y]; ++r) {
        const uchar* row = first + size_t(r) * size_t(source.bytesPerLine());
        __builtin_prefetch(row + from);
        __builtin_prefetch(row + to);
    }
}

void DisplayScaler::ScaleRect(const QImage& source, QImage& target, const QRect& viewRect) const
{
    const QRect area = viewRect & QRect(QPoint(0, 0), view);
    if (!area.isEmpty())
        ScaleAreas(source, target, &area, 1);
}

void DisplayScaler::ScaleRuns(const QImage& source, QImage& target,
                              const std::vector<TouchedArea::Run>& viewRuns) const
{
    thread_local std::vector<QRect> areas;
    areas.clear();
    for (const TouchedArea::Run& run : viewRuns) {
        const QRect area =
            QRect(QPoint(run.left, run.y), QPoint(run.right, run.y)) & QRect(QPoint(0, 0), view);
        if (!area.isEmpty())
            areas.push_back(area);
    }
    ScaleAreas(source, target, areas.data(), areas.size());
}

void DisplayScaler::ScaleAreas(const QImage& source, QImage& target, const QRect* areas,
                               size_t count) const
{
    if (count == 0 || source.size() != picture || target.size() != view ||
        source.format() != QImage::Format_RGB32 || target.format() != QImage::Format_RGB32)
        return;
    // Row sums reach the rows' total times 255: the narrowest lanes that hold it
    // (the camera's sizes over the usual views take 16 bits).
    const uint64_t largest = uint64_t(rows.total) * 255;
    if (largest <= std::numeric_limits<uint16_t>::max() &&
        uint64_t(columns.total) <= std::numeric_limits<uint16_t>::max())
        ScaleRows<uint16_t>(source, target, areas, count);
    else if (largest <= std::numeric_limits<uint32_t>::max())
        ScaleRows<uint32_t>(source, target, areas, count);
    else
        ScaleRows<uint64_t>(source, target, areas, count);
}
