#include "results/ResultRow.h"

#include <QLocale>
#include <QStringList>

#include <QStringList>
#include <algorithm>
#include <tuple>

ResultRow ResultRow::From(const MeasurementRecord& record, const QString& kindName)
{
    ResultRow row;
    row.kind = kindName;
    row.values = record.values;
    // In column order, as a row read back from its file has them.
    std::stable_sort(row.values.begin(), row.values.end(), [](const auto& a, const auto& b) {
        return std::tie(a.quantity, a.segment, a.unit) < std::tie(b.quantity, b.segment, b.unit);
    });
    row.unit = record.unit;
    row.magnification = ExactNumber(record.magnification);
    row.pixelSize = ExactNumber(record.pixelSize * record.resolutionFactor);
    row.points = PointsText(record.points);
    return row;
}

QString ResultRow::PointsText(const std::vector<GdiPoint>& points)
{
    QStringList parts;
    for (const GdiPoint& p : points)
        parts.append(QStringLiteral("(%1,%2)").arg(p.x).arg(p.y));
    return parts.join(QLatin1Char(' '));
}

QString ResultRow::ExactNumber(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}
