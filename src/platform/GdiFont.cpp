#include "platform/GdiFont.h"

namespace {
LogFont StockLogFont()
{
    LogFont log;
    log.height = -16;
    log.weight = 400;
    return log;
}
} // namespace

GdiFont::GdiFont() : GdiFont(StockLogFont()) {}

GdiFont::GdiFont(const LogFont& logFont) : logFont(logFont), font(logFont.ToQFont()), metrics(font)
{}
