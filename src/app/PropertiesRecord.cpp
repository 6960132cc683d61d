#include "app/PropertiesRecord.h"

#include "platform/ByteCodec.h"

using namespace ByteCodec;

QByteArray PropertiesRecord::ToBytes() const
{
    QByteArray bytes(ByteSize, '\0');
    auto* p = reinterpret_cast<uint8_t*>(bytes.data());
    PutU32(p + 0, drawColor);
    PutI32(p + 4, drawWidth);
    PutI32(p + 8, drawPenStyle);
    PutU32(p + 12, textColor);
    textFont.WriteTo(p + 16);
    PutU32(p + 108, measureColor);
    PutI32(p + 112, measureWidth);
    PutI32(p + 116, measurePenStyle);
    PutU32(p + 120, labelColor);
    labelFont.WriteTo(p + 124);
    PutI32(p + UnitOffset, unit);
    return bytes;
}

PropertiesRecord PropertiesRecord::FromBytes(const QByteArray& bytes)
{
    // Bytes past a short value keep the defaults, as a short read would.
    QByteArray full = PropertiesRecord().ToBytes();
    full.replace(0, std::min<qsizetype>(bytes.size(), ByteSize), bytes.left(ByteSize));
    const auto* p = reinterpret_cast<const uint8_t*>(full.constData());
    PropertiesRecord r;
    r.drawColor = GetU32(p + 0);
    r.drawWidth = GetI32(p + 4);
    r.drawPenStyle = GetI32(p + 8);
    r.textColor = GetU32(p + 12);
    r.textFont = LogFont::FromBytes(p + 16);
    r.measureColor = GetU32(p + 108);
    r.measureWidth = GetI32(p + 112);
    r.measurePenStyle = GetI32(p + 116);
    r.labelColor = GetU32(p + 120);
    r.labelFont = LogFont::FromBytes(p + 124);
    r.unit = GetI32(p + UnitOffset);
    return r;
}
