#pragma once

#include "platform/GdiTypes.h"
#include "platform/LogFont.h"

#include <cstdint>

class SettingsStore;

// How saved pictures are stamped; read once at start-up, never written here.
struct StampSettings {
    uint8_t flags = 0;
    ColorRef color = 0;
    LogFont font = LogFont::DefaultStampFont();

    // "PhotoSavedInfo" (low 8 bits), "PhotoSavedInfoFontColor", "PhotoSavedInfoFont".
    static StampSettings Read(const SettingsStore& store);
};
