#pragma once

#include "results/MeasurementRecord.h"

#include <QString>

#include <array>

class LanguageTable;

// Every text of the results table and its window in one language.
struct ResultsTexts
{
    static constexpr int QuantityCount = int(Quantity::Angle) + 1;

    QString number;
    QString kind;
    QString unit;
    QString magnification;
    QString pixelSize;
    QString points;
    // By quantity; the segment name holds "%1" for the segment's number.
    std::array<QString, QuantityCount> quantities;
    QString count;
    QString mean;
    QString deviation;
    QString minimum;
    QString maximum;
    QString title;        // "%1" is the picture's base name
    QString exportButton; // also the save dialog's title
    QString copyButton;
    QString unreadable;  // "%1" the file, "%2" the reason
    QString writeFailed; // "%1" the file, "%2" the reason

    QString QuantityName(Quantity quantity, int segment) const;

    static ResultsTexts For(const LanguageTable& language);
    // The measuring menu's item that opens the results.
    static QString MenuText(const LanguageTable& language);
};
