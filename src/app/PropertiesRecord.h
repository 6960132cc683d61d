#pragma once

#include "platform/LogFont.h"

#include <QByteArray>

#include <cstdint>

#include "platform/GdiTypes.h"

// The drawing, measuring, text and label settings stored as "Properties":
// 220 bytes, little-endian, no padding.
struct PropertiesRecord
{
    static constexpr int ByteSize = 220;
    static constexpr int UnitOffset = 216;

    ColorRef drawColor = 0;
    int32_t drawWidth = 1;
    int32_t drawPenStyle = 0;
    ColorRef textColor = 0;
    LogFont textFont = LogFont::DefaultTextFont();
    ColorRef measureColor = 0;
    int32_t measureWidth = 1;
    int32_t measurePenStyle = 0;
    ColorRef labelColor = 0;
    LogFont labelFont = LogFont::DefaultTextFont();
    int32_t unit = 0;

    QByteArray ToBytes() const;
    static PropertiesRecord FromBytes(const QByteArray& bytes);

    bool operator==(const PropertiesRecord&) const = default;
};
