#pragma once

#include "results/ResultRow.h"
#include "results/ResultsTexts.h"

#include <vector>

// Texts in two languages, shaped like the program's (a segment name with its
// number, a unit in the pixel size header).
inline ResultsTexts TestTexts(bool chinese = false)
{
    ResultsTexts t;
    const auto s = [chinese](const char* english, const char* other) {
        return QString::fromUtf8(chinese ? other : english);
    };
    t.number = s("No.", "序号");
    t.kind = s("Kind", "类型");
    t.unit = s("Unit", "单位");
    t.magnification = s("Magnification", "倍率");
    t.pixelSize = s("Pixel size (mm)", "像素尺寸 (mm)");
    t.points = s("Points", "点坐标");
    t.quantities = {s("Length", "长度"),
                    s("Segment %1", "线段%1"),
                    s("Total", "总长"),
                    s("Radius", "半径"),
                    s("Diameter", "直径"),
                    s("Circumference", "圆周长"),
                    s("Perimeter", "多边形周长"),
                    s("Arc length", "弧长"),
                    s("Area", "面积"),
                    s("Angle", "角度")};
    t.count = s("Count", "计数");
    t.mean = s("Mean", "平均值");
    t.deviation = s("SD", "标准差");
    t.minimum = s("Min", "最小值");
    t.maximum = s("Max", "最大值");
    t.title = s("Results - %1", "测量结果 - %1");
    t.exportButton = s("Export CSV...", "导出 CSV...");
    t.copyButton = s("Copy", "复制");
    t.unreadable = s("The results file %1 could not be read: %2", "无法读取 %1：%2");
    t.writeFailed = s("Could not write %1: %2", "无法写入 %1：%2");
    return t;
}

inline ResultRow LineRow(const char* kind, const char* number, const char* unit = "mm")
{
    ResultRow row;
    row.kind = QString::fromUtf8(kind);
    row.values = {{Quantity::Length, 0, QString::fromLatin1(number), QString::fromLatin1(unit)}};
    row.unit = QString::fromLatin1(unit);
    row.magnification = QStringLiteral("50");
    row.pixelSize = QStringLiteral("0.355");
    row.points = QStringLiteral("(0,0) (100,0)");
    return row;
}
