#pragma once

#include "draw/AnnotationStyle.h"

#include <QByteArray>

#include <cstdint>

// The style settings as stored in "Properties": 220 bytes, little-endian,
// no padding.
struct PropertiesRecord : AnnotationStyle
{
    static constexpr int ByteSize = 220;
    static constexpr int UnitOffset = 216;

    QByteArray ToBytes() const;
    static PropertiesRecord FromBytes(const QByteArray& bytes);

    bool operator==(const PropertiesRecord&) const = default;
};
