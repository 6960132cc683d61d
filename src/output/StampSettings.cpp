#include "output/StampSettings.h"

#include "platform/ByteCodec.h"
#include "platform/SettingsStore.h"

namespace {

uint32_t ReadU32(const SettingsStore& store, const QString& name, uint32_t defaultValue)
{
    uint8_t bytes[4];
    ByteCodec::PutU32(bytes, defaultValue);
    store.Read(name, bytes, 4);
    return ByteCodec::GetU32(bytes);
}

} // namespace

StampSettings StampSettings::Read(const SettingsStore& store)
{
    StampSettings s;
    s.flags = uint8_t(ReadU32(store, QStringLiteral("PhotoSavedInfo"), 0) & 0xFF);
    s.color = ReadU32(store, QStringLiteral("PhotoSavedInfoFontColor"), 0);
    uint8_t bytes[LogFont::ByteSize];
    s.font.WriteTo(bytes);
    store.Read(QStringLiteral("PhotoSavedInfoFont"), bytes, LogFont::ByteSize);
    s.font = LogFont::FromBytes(bytes);
    return s;
}

const QString StampSettings::ScaleBarName = QStringLiteral("LumvexImgEdt/ScaleBar");

bool StampSettings::ReadScaleBar(const SettingsStore& store)
{
    return ReadU32(store, ScaleBarName, 0) != 0;
}

bool StampSettings::WriteScaleBar(SettingsStore& store, bool on)
{
    uint8_t bytes[4];
    ByteCodec::PutU32(bytes, on ? 1 : 0);
    return store.Write(ScaleBarName, bytes, 4);
}
