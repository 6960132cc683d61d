#pragma once

#include <QString>

class QPainter;
struct PictureInfoRecord;

// The two lines over the picture: its capture resolution at the top, its
// capture time and file name at the bottom, white over a black shadow.
class InfoOverlay
{
  public:
    static QString ResolutionText(const PictureInfoRecord& record);
    static QString TimeText(const PictureInfoRecord& record);
    // Over a view height pixels high.
    static void Paint(QPainter& painter, const PictureInfoRecord& record, int height);
};
