#include "magnification/PictureInfoRecord.h"

#include "platform/ByteCodec.h"

#include <algorithm>
#include <cstring>

using namespace ByteCodec;

SystemTime SystemTime::FromDateTime(const QDateTime& local)
{
    const QDate d = local.date();
    const QTime t = local.time();
    SystemTime s;
    s.year = uint16_t(d.year());
    s.month = uint16_t(d.month());
    s.dayOfWeek = uint16_t(d.dayOfWeek() % 7); // Sunday is 0
    s.day = uint16_t(d.day());
    s.hour = uint16_t(t.hour());
    s.minute = uint16_t(t.minute());
    s.second = uint16_t(t.second());
    s.milliseconds = uint16_t(t.msec());
    return s;
}

void StoreFieldText(char* field, int fieldSize, const QString& text)
{
    std::memset(field, 0, size_t(fieldSize));
    const QByteArray utf8 = text.toUtf8();
    qsizetype n = std::min<qsizetype>(utf8.size(), fieldSize - 1);
    // Step back over continuation bytes so the last character stays whole.
    if (n < utf8.size()) {
        while (n > 0 && (uchar(utf8[n]) & 0xC0) == 0x80)
            --n;
    }
    std::memcpy(field, utf8.constData(), size_t(n));
}

QString FieldText(const char* field, int fieldSize)
{
    const auto n = qsizetype(strnlen(field, size_t(fieldSize)));
    return QString::fromUtf8(field, n);
}

QString PictureInfoRecord::PathText() const
{
    return FieldText(pathText.data(), TextSize);
}
QString PictureInfoRecord::Remark() const
{
    return FieldText(remark.data(), TextSize);
}
void PictureInfoRecord::SetPathText(const QString& text)
{
    StoreFieldText(pathText.data(), TextSize, text);
}
void PictureInfoRecord::SetRemark(const QString& text)
{
    StoreFieldText(remark.data(), TextSize, text);
}

QByteArray PictureInfoRecord::ToBytes() const
{
    QByteArray bytes(ByteSize, '\0');
    auto* p = reinterpret_cast<uint8_t*>(bytes.data());
    std::memcpy(p, pathText.data(), TextSize);
    std::memcpy(p + 260, remark.data(), TextSize);
    const uint16_t t[8] = {captureTime.year,   captureTime.month,       captureTime.dayOfWeek,
                           captureTime.day,    captureTime.hour,        captureTime.minute,
                           captureTime.second, captureTime.milliseconds};
    for (int i = 0; i < 8; ++i)
        PutU16(p + 520 + 2 * i, t[i]);
    PutF64(p + 536, pictureMagnification);
    PutF64(p + 544, adjustedMagnification);
    PutU32(p + 552, captureResolutionCode);
    PutU32(p + 556, scaleResolutionCode);
    PutU32(p + 560, cameraCode);
    PutU32(p + 564, reserved);
    return bytes;
}

PictureInfoRecord PictureInfoRecord::FromBytes(const QByteArray& bytes)
{
    QByteArray full(ByteSize, '\0');
    std::memcpy(full.data(), bytes.constData(),
                size_t(std::min<qsizetype>(bytes.size(), ByteSize)));
    const auto* p = reinterpret_cast<const uint8_t*>(full.constData());
    PictureInfoRecord r;
    std::memcpy(r.pathText.data(), p, TextSize);
    std::memcpy(r.remark.data(), p + 260, TextSize);
    uint16_t* t[8] = {&r.captureTime.year,   &r.captureTime.month,       &r.captureTime.dayOfWeek,
                      &r.captureTime.day,    &r.captureTime.hour,        &r.captureTime.minute,
                      &r.captureTime.second, &r.captureTime.milliseconds};
    for (int i = 0; i < 8; ++i)
        *t[i] = GetU16(p + 520 + 2 * i);
    r.pictureMagnification = GetF64(p + 536);
    r.adjustedMagnification = GetF64(p + 544);
    r.captureResolutionCode = GetU32(p + 552);
    r.scaleResolutionCode = GetU32(p + 556);
    r.cameraCode = GetU32(p + 560);
    r.reserved = GetU32(p + 564);
    return r;
}

QString ResolutionText(uint32_t code)
{
    static constexpr int sizes[][2] = {{3488, 2616}, {2560, 1920}, {2048, 1536}, {1600, 1200},
                                       {1280, 1024}, {1280, 960},  {800, 600},   {640, 480},
                                       {352, 288},   {320, 240},   {176, 144},   {160, 120}};
    for (const auto& s : sizes) {
        if (ResolutionCode(s[0], s[1]) == code)
            return QStringLiteral("%1X%2").arg(s[0]).arg(s[1]);
    }
    return {};
}
