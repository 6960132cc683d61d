#include "app/StatusLine.h"

namespace StatusLine {

QString Text(const QString& picturePath, const QString& remark)
{
    QString text = picturePath.size() > PathLimit
                       ? QStringLiteral("......") + picturePath.right(PathTail)
                       : picturePath;
    if (!remark.isEmpty())
        text += QStringLiteral("   --   ") + remark;
    return text;
}

bool Hits(const QRect& statusRect, QPoint point)
{
    return point.x() >= statusRect.x() && point.x() <= statusRect.x() + statusRect.width() &&
           point.y() >= statusRect.y() && point.y() <= statusRect.y() + statusRect.height();
}

} // namespace StatusLine
