#pragma once

#include "platform/LogFont.h"

#include <QFont>
#include <QFontMetrics>

// A font built from a LOGFONT description, with the metrics text layout needs.
class GdiFont
{
  public:
    // The context's font before anything is selected.
    GdiFont();
    explicit GdiFont(const LogFont& logFont);

    const LogFont& Log() const { return logFont; }
    const QFont& Font() const { return font; }
    const QFontMetrics& Metrics() const { return metrics; }
    // Ascent plus descent: the height of a line of text in pixels.
    int Height() const { return metrics.height(); }
    int Ascent() const { return metrics.ascent(); }

  private:
    LogFont logFont;
    QFont font;
    QFontMetrics metrics;
};
