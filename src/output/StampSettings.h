#pragma once

#include "platform/GdiTypes.h"
#include "platform/LogFont.h"

#include <QString>

#include <cstdint>

class SettingsStore;

// How saved pictures are stamped; read once at start-up, never written here.
struct StampSettings
{
    uint8_t flags = 0;
    ColorRef color = 0;
    LogFont font = LogFont::DefaultStampFont();

    // "PhotoSavedInfo" (low 8 bits), "PhotoSavedInfoFontColor", "PhotoSavedInfoFont".
    static StampSettings Read(const SettingsStore& store);

    // The save chooser's "Scale bar" choice, off until first chosen. It lives in
    // the editor's own key, apart from the values shared with the capture program.
    static const QString ScaleBarName;
    static bool ReadScaleBar(const SettingsStore& store);
    static bool WriteScaleBar(SettingsStore& store, bool on);
};
