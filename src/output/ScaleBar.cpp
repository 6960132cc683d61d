#include "output/ScaleBar.h"

#include "draw/MeasureGeometry.h"
#include "output/SaveAsRules.h"
#include "output/StampSettings.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdlib>

double ScaleBar::RoundLength(double target, int* exponent)
{
    int n = int(std::floor(std::log10(target)));
    double best = 0;
    int bestExponent = n;
    // 10 x 10^n is 1 x 10^(n+1): it competes too.
    for (const auto& [mantissa, shift] : {std::pair{1, 0}, {2, 0}, {5, 0}, {1, 1}}) {
        const double candidate = mantissa * std::pow(10.0, n + shift);
        if (best == 0 || std::abs(candidate - target) < std::abs(best - target)) {
            best = candidate;
            bestExponent = n + shift;
        }
    }
    if (exponent)
        *exponent = bestExponent;
    return best;
}

QString ScaleBar::LengthText(double length, int exponent, int unit)
{
    const QString number = exponent >= 0 ? QString::number(std::llround(length))
                                         : QString::number(length, 'f', -exponent);
    return number + QLatin1Char(' ') + QLatin1String(MeasureGeometry::UnitWord(unit));
}

ScaleBar ScaleBar::For(double unitPerPixel, int unit, int outputWidth)
{
    ScaleBar bar;
    int exponent = 0;
    bar.length = RoundLength(unitPerPixel * outputWidth / 5.0, &exponent);
    bar.pixels = int(std::lround(bar.length / unitPerPixel));
    bar.label = LengthText(bar.length, exponent, unit);
    return bar;
}

ScaleBar::Placement ScaleBar::Place(QSize output, const QFontMetrics& metrics, int stampFontHeight,
                                    bool stampBottomLineUsed) const
{
    const int h = std::abs(stampFontHeight);
    const int margin = std::max(2, h / 2);
    const int thickness = std::max(3, h / 4);
    // Above the stamp's bottom line, the bar's shadow row keeps one free row to it.
    const int floor =
        stampBottomLineUsed
            ? SaveAsRules::StampPosition(SaveAsRules::StampDateTime, output, h, 0).y() - 2
            : output.height() - margin;
    Placement p;
    p.bar = QRect(output.width() - margin - pixels, floor - thickness, pixels, thickness);
    const int labelWidth = metrics.horizontalAdvance(label);
    const int x = std::clamp(p.bar.center().x() - labelWidth / 2, 0,
                             std::max(0, output.width() - 1 - labelWidth));
    const int y = p.bar.top() - 2 - metrics.height();
    p.labelCorner = QPoint(x, y);
    p.labelBox = QRect(x, y, labelWidth + 1, metrics.height() + 1);
    return p;
}

void ScaleBar::Draw(QImage& output, const StampSettings& stamp, bool stampBottomLineUsed) const
{
    if (pixels <= 0)
        return;
    const QFont font = stamp.font.ToQFont();
    const QFontMetrics metrics(font);
    const Placement p = Place(output.size(), metrics, stamp.font.height, stampBottomLineUsed);
    QPainter painter(&output);
    painter.setFont(font);
    const QColor colors[] = {ToQColor(SaveAsRules::ComplementColor(stamp.color)),
                             ToQColor(stamp.color)};
    for (int pass = 0; pass < 2; ++pass) {
        painter.fillRect(p.bar.translated(pass, pass), colors[pass]);
        painter.setPen(colors[pass]);
        painter.drawText(p.labelCorner + QPoint(pass, pass + metrics.ascent()), label);
    }
}
