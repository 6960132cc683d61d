#pragma once

#include "platform/GdiTypes.h"
#include "platform/LogFont.h"

#include <cstdint>

// The pens, fonts, colours and unit new objects are made with. The editor
// window keeps the one copy (it is also the stored properties record); the
// view and its tool protocol read it.
struct AnnotationStyle
{
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

    bool operator==(const AnnotationStyle&) const = default;
};
